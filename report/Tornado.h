#pragma once

// The tornado chart of how sure a spacing is: a bar per input given a plus/minus, from the
// spacing at its minus end to the spacing at its plus end (the others as entered), the
// widest first, across a line at the spacing computed. The same SVG in every front end.

#include "rules/HowSure.h"
#include "rules/JobRecord.h"

#include <string>

namespace Quillmere {

// An SVG `widthMm` wide, in the job's language and length unit; a chart without bars (no
// plus/minus given) says so.
std::string TornadoSvg(const JobRecord& job, const Assessment& assessment, double widthMm = 160);

} // namespace Quillmere
