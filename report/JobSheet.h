#pragma once

// Computed jobs as rows of a job sheet in quillmere-calc's columns, so that the day's jobs
// kept by a front end can be given to `quillmere-calc --sheet` and recomputed to the same
// results, and read back to restore a job's inputs. Plain C++: the caller owns the file.

#include "rules/Job.h"
#include "rules/JobRecord.h"

#include <string>
#include <string_view>
#include <vector>

namespace Quillmere {

// The header record, the job sheet columns (rules/JobColumns.h) with its line end.
std::string JobSheetHeader();

// One computed job as a record of the sheet, with its line end: list entries by their
// names in the job's language, a velocity only where its row is open, what the helpers
// chose in notes. `time` is the local time of the press ("2026-12-09 10:48:12").
std::string JobSheetLine(const JobRecord& job, std::string_view time);

// A job read back from a sheet: what restores its inputs, and what a list of jobs shows.
struct SheetJob : Job {
    std::string Time;
    std::string Result1, Result2, Circumferential;
};

// The jobs of a sheet in file order, read as quillmere-calc reads a row and as far as they
// are valid: a record of another width than the header, or one that would be refused, is
// passed over; a quoted field left open ends the reading there. None without the header
// this program writes.
std::vector<SheetJob> ReadJobSheet(std::string_view text);

} // namespace Quillmere
