#include "report/Sketch.h"

#include "catalogue/Catalogue.h"
#include "engine/FloatText.h"
#include "engine/NumberText.h"
#include "engine/UnitSystem.h"
#include "report/JobSummary.h"
#include "report/Svg.h"
#include "rules/Fields.h"
#include "rules/Lists.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace Quillmere {

namespace {

struct Point {
    double x, y;
};

// Paper millimetres per model millimetre, largest first.
std::vector<double> StandardScales() {
    std::vector<double> scales{5, 2, 1};
    for (double decade = 1; decade <= 1000; decade *= 10) {
        for (double step : {2.0, 2.5, 5.0, 10.0}) {
            scales.push_back(1 / (step * decade));
        }
    }
    return scales;
}

} // namespace

double LargestStandardScale(double modelWidthMm, double modelHeightMm, double paperWidthMm,
                            double paperHeightMm) {
    const std::vector<double> scales = StandardScales();
    for (double scale : scales) {
        if (modelWidthMm * scale <= paperWidthMm && modelHeightMm * scale <= paperHeightMm) {
            return scale;
        }
    }
    return scales.back();
}

std::string ScaleText(double scale) {
    return scale >= 1 ? DefaultNumberText(scale) + ":1" : "1:" + DefaultNumberText(1 / scale);
}

namespace {

// Where everything of a sketch lies: the model (mm on the pipe) and its place on paper.
struct Layout {
    const SensorTypeRecord* sensor;
    double wall, lining, od, fluid, wedgeH, bodyH;
    std::vector<Point> beam;
    bool bOnTop;
    double end, markA, markB, aLeft, aRight, bLeft, bRight;
    double minX, maxX, dimY, minY, maxY;
    double scale, originX, originY;
    double X(double x) const { return originX + x * scale; }
    double Y(double y) const { return originY + y * scale; }
};

// The beam: from its origin in sensor A's wedge, through wall and lining into the fluid,
// across it once per crossing, and out through the far layers into sensor B's wedge.
void TraceBeam(Layout& l, const SpacingBreakdown& b, int crossings) {
    const SensorTypeRecord& sensor = *l.sensor;
    l.beam = {{0, -l.wedgeH}};
    auto step = [&](double dx, double dy) {
        l.beam.push_back({l.beam.back().x + dx, l.beam.back().y + dy});
    };
    step(sensor.WedgeRun, l.wedgeH);
    step(b.WallRun, l.wall);
    step(b.LiningRun, l.lining);
    bool down = true;
    for (int i = 0; i < crossings; ++i) {
        step(b.FluidRun, down ? l.fluid : -l.fluid);
        down = !down;
    }
    l.bOnTop = crossings % 2 == 0;
    const double s = l.bOnTop ? -1 : 1;
    step(b.LiningRun, s * l.lining);
    step(b.WallRun, s * l.wall);
    step(sensor.WedgeRun, s * l.wedgeH);
    l.end = l.beam.back().x;
}

// Each sensor's reference point lies its mount offset inside the beam's path; the spacing
// is measured between the two. Sensor B sits where it is mounted: for the stepped types at
// whole 3 mm steps, a little short of where the beam comes out, so that a print at 1:1
// measures what its label says.
void PlaceSensors(Layout& l, const SpacingBreakdown& b, int sensorTypeIndex) {
    const SensorTypeRecord& sensor = *l.sensor;
    const double mounted = MountedSpacing(b.Spacing, sensorTypeIndex);
    const double bEnd = l.end + (mounted - b.Spacing);
    l.markA = sensor.MountOffset;
    l.markB = l.markA + mounted;
    const double pad = 4;
    l.aLeft = std::min(0.0, l.markA) - pad;
    l.aRight = std::max(sensor.WedgeRun, l.markA) + pad;
    l.bLeft = std::min(bEnd - sensor.WedgeRun, l.markB) - pad;
    l.bRight = std::max(bEnd, l.markB) + pad;
}

// The drawing at the largest standard scale that fits the area, below the heading and above
// the scale and legend lines, centred.
void FitOnPaper(Layout& l, const SketchArea& area) {
    const double margin = 10;
    l.minX = std::min(l.aLeft, l.bLeft) - margin;
    l.maxX = std::max(l.aRight, l.bRight) + margin;
    l.dimY = -l.bodyH - 8; // the dimension line, above everything
    l.minY = l.dimY - 8;
    l.maxY = l.od + (l.bOnTop ? 4 : l.bodyH + 4);

    const double top = area.Heading ? 34 : 4;
    const double bottom = area.HeightMm - (area.Footer ? 16 : 4);
    const double areaX = 10;
    const double areaW = area.WidthMm - 20;
    const double areaH = bottom - top;
    l.scale = LargestStandardScale(l.maxX - l.minX, l.maxY - l.minY, areaW, areaH);
    l.originX = areaX + (areaW - (l.maxX - l.minX) * l.scale) / 2 - l.minX * l.scale;
    l.originY = top + (areaH - (l.maxY - l.minY) * l.scale) / 2 - l.minY * l.scale;
}

Layout Lay(const JobRecord& job, const SketchArea& area) {
    Layout l{};
    l.sensor = &SensorTypeAt(job.SensorTypeIndex);
    const SpacingInputs& in = job.Outcome.Inputs;
    // Model coordinates in mm: x along the axis, y downwards from the pipe's top surface.
    l.wall = in.WallThickness;
    l.lining = in.LiningThickness;
    l.od = std::max(in.OuterDiameter, 2 * (l.wall + l.lining));
    l.fluid = l.od - 2 * (l.wall + l.lining);
    l.wedgeH = l.sensor->WedgeHeight;
    l.bodyH = l.wedgeH + 4;
    TraceBeam(l, job.Outcome.Breakdown,
              std::max(1, FluidCrossings(static_cast<std::int16_t>(job.MountMethodIndex))));
    PlaceSensors(l, job.Outcome.Breakdown, job.SensorTypeIndex);
    FitOnPaper(l, area);
    return l;
}

} // namespace

double SketchScale(const JobRecord& job, const SketchArea& area) {
    return Lay(job, area).scale;
}

std::vector<std::string> SketchFooter(const JobRecord& job, const SketchArea& area) {
    std::vector<std::string> lines{Catalogue::Fill(Words(job, Catalogue::ReportText::Scale),
                                                   {ScaleText(SketchScale(job, area))})};
    std::string_view legend = Catalogue::Text(Catalogue::ReportText::Legend, job.Lang);
    for (std::size_t cut; (cut = legend.find('\n')) != std::string_view::npos;
         legend.remove_prefix(cut + 1)) {
        lines.emplace_back(legend.substr(0, cut));
    }
    lines.emplace_back(legend);
    return lines;
}

namespace {

// One sketch's SVG, element by element, in paper millimetres.
class SvgSketch {
public:
    SvgSketch(const JobRecord& job, const SketchArea& area)
        : job_(job), area_(area), l_(Lay(job, area)), unit_(UnitNamesOf(job.Units)[0]),
          result_(job.Outcome.Display.Result1 + " " + unit_) {}

    std::string Svg() {
        Open();
        if (area_.Heading) {
            Heading();
        }
        Pipe();
        SensorBody("markA", l_.aLeft, l_.aRight, l_.markA, true);
        SensorBody("markB", l_.bLeft, l_.bRight, l_.markB, l_.bOnTop);
        Beam();
        Dimension();
        Footer();
        svg_ += "</svg>\n";
        return std::move(svg_);
    }

private:
    std::string Words(std::int16_t id) const { return Quillmere::Words(job_, id); }
    double X(double x) const { return l_.X(x); }
    double Y(double y) const { return l_.Y(y); }

    void Open() {
        const bool japanese = job_.Lang == Language::Japanese;
        const std::string width = SvgNumber(area_.WidthMm);
        const std::string height = SvgNumber(area_.HeightMm);
        svg_ += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
        svg_ += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + width + "mm\" height=\"" +
                height + "mm\" viewBox=\"0 0 " + width + " " + height + "\" font-family=\"" +
                (japanese ? "IPAGothic, Liberation Sans, sans-serif"
                          : "Liberation Sans, Arial, sans-serif") +
                "\" data-scale=\"" + DefaultNumberText(l_.scale) + "\">\n";
        svg_ += "<rect width=\"" + width + "\" height=\"" + height + "\" fill=\"white\"/>\n";
    }

    // The spacing in large type, and the case in a line below it.
    void Heading() {
        const auto typed = [this](InputField field) {
            return Words(FieldOf(field).CaptionId) + " " + job_.Text(field) + " " + unit_;
        };
        std::string subtitle =
            std::string(SensorTypeName(job_.SensorTypeIndex)) + ", " +
            Words(MountMethods[static_cast<std::size_t>(std::clamp(job_.MountMethodIndex, 0, 3))]
                      .NameId) +
            ", " + typed(InputField::OuterDiameter) + ", " + typed(InputField::WallThickness);
        if (job_.LiningMaterialIndex != NoLiningEntry) {
            subtitle += ", " + typed(InputField::LiningThickness);
        }
        svg_ += "<text x=\"10\" y=\"16\" font-size=\"7\" font-weight=\"bold\">" +
                SvgEscape(Words(Catalogue::Id::SensorSpacing) + "1: " + result_) + "</text>\n";
        svg_ += "<text x=\"10\" y=\"25\" font-size=\"4.5\">" + SvgEscape(subtitle) + "</text>\n";
        if (const std::string stepped = SteppedNote(job_); !stepped.empty()) {
            svg_ += "<text id=\"stepped\" x=\"10\" y=\"31\" font-size=\"4\">" + SvgEscape(stepped) +
                    "</text>\n";
        }
    }

    // Wall, lining, fluid, lining, wall, top to bottom.
    void Pipe() {
        const auto band = [this](double from, double height, const char* fill) {
            if (height <= 0) {
                return;
            }
            svg_ += "<rect x=\"" + SvgNumber(X(l_.minX)) + "\" y=\"" + SvgNumber(Y(from)) +
                    "\" width=\"" + SvgNumber((l_.maxX - l_.minX) * l_.scale) + "\" height=\"" +
                    SvgNumber(height * l_.scale) + "\" fill=\"" + fill +
                    "\" stroke=\"#333\" stroke-width=\"0.2\"/>\n";
        };
        band(0, l_.wall, "#9aa4ad");
        band(l_.wall, l_.lining, "#d9b26f");
        band(l_.wall + l_.lining, l_.fluid, "#cfe8f7");
        band(l_.wall + l_.lining + l_.fluid, l_.lining, "#d9b26f");
        band(l_.od - l_.wall, l_.wall, "#9aa4ad");
    }

    // A sensor body on the pipe's surface, with its reference point on its outer face.
    void SensorBody(const char* id, double left, double right, double mark, bool onTop) {
        const double face = onTop ? 0 : l_.od;
        const double outer = onTop ? -l_.bodyH : l_.od + l_.bodyH;
        svg_ +=
            "<rect x=\"" + SvgNumber(X(left)) + "\" y=\"" + SvgNumber(Y(std::min(face, outer))) +
            "\" width=\"" + SvgNumber((right - left) * l_.scale) + "\" height=\"" +
            SvgNumber(l_.bodyH * l_.scale) +
            "\" fill=\"#1f3b73\" fill-opacity=\"0.25\" stroke=\"#1f3b73\" stroke-width=\"0.4\"/>\n";
        const double tip = Y(outer);
        const double dir = onTop ? -1 : 1; // the triangle points at the body
        svg_ += "<path id=\"" + std::string(id) + "\" data-x=\"" + SvgNumber(X(mark)) + "\" d=\"M" +
                SvgNumber(X(mark)) + "," + SvgNumber(tip) + " l-1.5," + SvgNumber(dir * 2.6) +
                " h3 z\" fill=\"black\"/>\n";
    }

    void Beam() {
        std::string points;
        for (const Point& p : l_.beam) {
            points += SvgNumber(X(p.x)) + "," + SvgNumber(Y(p.y)) + " ";
        }
        svg_ += "<polyline points=\"" + points +
                "\" fill=\"none\" stroke=\"#e8401c\" stroke-width=\"0.6\" "
                "stroke-linejoin=\"round\"/>\n";
    }

    // The spacing, dimensioned from mark to mark above the pipe.
    void Dimension() {
        const double dimY = Y(l_.dimY);
        const auto extension = [this, dimY](double x, bool onTop) {
            const double from = onTop ? Y(-l_.bodyH) - 2.6 : Y(l_.od + l_.bodyH) + 2.6;
            svg_ += "<line x1=\"" + SvgNumber(X(x)) + "\" y1=\"" + SvgNumber(from) + "\" x2=\"" +
                    SvgNumber(X(x)) + "\" y2=\"" + SvgNumber(dimY - 2) +
                    "\" stroke=\"black\" stroke-width=\"0.25\" stroke-dasharray=\"1,1\"/>\n";
        };
        extension(l_.markA, true);
        extension(l_.markB, l_.bOnTop);
        svg_ += "<line id=\"dimension\" x1=\"" + SvgNumber(X(l_.markA)) + "\" y1=\"" +
                SvgNumber(dimY) + "\" x2=\"" + SvgNumber(X(l_.markB)) + "\" y2=\"" +
                SvgNumber(dimY) + "\" stroke=\"black\" stroke-width=\"0.4\"/>\n";
        svg_ += "<text id=\"spacing\" x=\"" + SvgNumber((X(l_.markA) + X(l_.markB)) / 2) +
                "\" y=\"" + SvgNumber(dimY - 2.5) + "\" font-size=\"5\" text-anchor=\"middle\">" +
                SvgEscape(result_) + "</text>\n";
    }

    // The circumferential distance where there is one, then the scale and the legend.
    void Footer() {
        const double line = area_.HeightMm - 12;
        if (const std::string& around = job_.Outcome.Display.Circumferential; !around.empty()) {
            svg_ += "<text id=\"circumferential\" x=\"10\" y=\"" + SvgNumber(line - 6) +
                    "\" font-size=\"4\">" +
                    SvgEscape(Words(Catalogue::CalcText::Circumferential) + ": " + around + " " +
                              unit_) +
                    "</text>\n";
        }
        if (!area_.Footer) {
            return;
        }
        const std::vector<std::string> footer = SketchFooter(job_, area_);
        for (std::size_t i = 0; i < footer.size(); ++i) {
            svg_ += std::string(i == 0 ? "<text id=\"scale\"" : "<text fill=\"#555\"") +
                    " x=\"10\" y=\"" +
                    SvgNumber(line + (i == 0 ? 0.0 : 1.0 + 3.6 * static_cast<double>(i))) +
                    "\" font-size=\"" + (i == 0 ? "4" : "3") + "\">" + SvgEscape(footer[i]) +
                    "</text>\n";
        }
    }

    const JobRecord& job_;
    const SketchArea& area_;
    const Layout l_;
    const std::string unit_;
    const std::string result_; // the printed spacing with its unit
    std::string svg_;
};

} // namespace

std::string SketchSvg(const JobRecord& job, const SketchArea& area) {
    return SvgSketch(job, area).Svg();
}

} // namespace Quillmere
