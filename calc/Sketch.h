#pragma once

#include "Job.h"

#include <string>

namespace QuillmereCalc {

// A to-scale drawing of the pipe cut along its axis (wall, lining, fluid), the two sensors,
// the beam's path for the mounting method and the spacing dimensioned with the printed
// result text. An SVG page the size of A4 landscape.
std::string SketchSvg(const CaseOutcome& outcome);

} // namespace QuillmereCalc
