#pragma once

// The site sketch: the pipe from the fitting upstream to the one downstream with the sensors
// between, the straight runs required and those the site has dimensioned, and a section of
// the pipe with the sensors' clock positions. The same SVG in every front end.

#include "rules/JobRecord.h"
#include "rules/MeasuringPoint.h"

#include <string>

namespace Quillmere {

// An SVG 160 mm wide, in the job's language and length unit.
std::string SiteSketchSvg(const JobRecord& job, const SitePlan& plan);

} // namespace Quillmere
