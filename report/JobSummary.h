#pragma once

// The report layer: a computed job as something to keep, the same in every front end: the
// plain-text summary of its inputs and results, and the to-scale sketch of the pipe. Plain
// C++ on the rules: no Qt, no files, no clock; the caller passes the date and the version.

#include "rules/JobRecord.h"

#include <string>

namespace Quillmere {

// The job as plain text in its language, one "caption: value unit" line each: its identity
// (site, tag, installer, note, those given), date and version, every input (list entries
// by their texts, locked velocities with the table value used, in the job's units), mounting
// method, sensor type and the results, with the computed spacing beside a stepped one and the
// circumferential distance of the Z method.
std::string JobSummary(const JobRecord& job, const std::string& dateTime,
                       const std::string& version);

} // namespace Quillmere
