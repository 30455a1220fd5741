#pragma once

#include "rules/JobRecord.h"

#include <string>
#include <vector>

namespace Quillmere {

// Where a sketch goes and what it carries besides the drawing.
struct SketchArea {
    double WidthMm = 297; // A4 landscape by default
    double HeightMm = 210;
    bool Heading = true; // the spacing and the inputs in words above the drawing
    bool Footer = true;  // the scale and the legend below it
};

// The standard drawing scales a sketch may take, as model length to paper length:
// 5:1, 2:1, 1:1, 1:2, 1:2.5, 1:5, 1:10, 1:20, 1:25, 1:50, 1:100 ... 1:10000.
double LargestStandardScale(double modelWidthMm, double modelHeightMm, double paperWidthMm,
                            double paperHeightMm);
// "1:2.5", "2:1".
std::string ScaleText(double scale);

// A drawing of the pipe cut along its axis at a standard scale: wall, lining and fluid,
// the two sensors with the reference point each carries (marked "markA" and "markB"), the
// beam's path for the mounting method, and the spacing dimensioned from mark to mark with
// the printed result. Words in the job's language, lengths in its unit system. An SVG of
// the area's size in millimetres.
std::string SketchSvg(const JobRecord& job, const SketchArea& area = {});

// The scale the sketch of `job` takes in `area`, and the lines a page prints below it when
// it draws them itself (SketchArea::Footer off): the scale, then the legend.
double SketchScale(const JobRecord& job, const SketchArea& area);
std::vector<std::string> SketchFooter(const JobRecord& job, const SketchArea& area);

} // namespace Quillmere
