#pragma once

// Computed jobs as rows of a job sheet in quillmere-calc's columns, so that the day's jobs
// kept by a front end can be given to `quillmere-calc --sheet` and recomputed to the same
// results, and read back to restore a job's inputs. Plain C++: the caller owns the file.

#include "catalogue/Language.h"
#include "engine/UnitSystem.h"
#include "rules/JobRecord.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace Quillmere {

// The sheet's columns: the time, the run settings, the lists by name and every field as
// typed, the job's identity, then the results quillmere-calc writes after its inputs.
inline constexpr std::array<std::string_view, 23> JobSheetColumns{"time",
                                                                  "lang",
                                                                  "units",
                                                                  "sensor",
                                                                  "mount",
                                                                  "outer_diameter",
                                                                  "wall",
                                                                  "pipe",
                                                                  "pipe_velocity",
                                                                  "lining",
                                                                  "lining_thickness",
                                                                  "lining_velocity",
                                                                  "fluid",
                                                                  "fluid_velocity",
                                                                  "site",
                                                                  "tag",
                                                                  "installer",
                                                                  "note",
                                                                  "result1",
                                                                  "result2",
                                                                  "circumferential",
                                                                  "error",
                                                                  "notes"};

// The header record, with its line end.
std::string JobSheetHeader();

// One computed job as a record of the sheet, with its line end: list entries by their
// names in the job's language, a velocity only where its row is open, what the helpers
// chose in notes. `time` is the local time of the press ("2026-12-09 10:48:12").
std::string JobSheetLine(const JobRecord& job, std::string_view time);

// A job read back from a sheet: what restores its inputs, and what a list of jobs shows.
struct SheetJob {
    std::string Time;
    UnitSystem Units = UnitSystem::Metric;
    Language Lang = Language::Japanese;
    int SensorTypeIndex = 0;
    int MountMethodIndex = 0;
    int PipeMaterialIndex = 0;
    int LiningMaterialIndex = 0;
    int FluidIndex = 0;
    std::array<std::string, 6> Texts; // by InputField, as typed
    JobIdentity Identity;
    std::string Result1, Result2, Circumferential;
};

// The jobs of a sheet in file order, read as far as they are valid: a record of another
// width than the header, or naming what no list holds, is passed over; a quoted field left
// open ends the reading there. None without the header this program writes.
std::vector<SheetJob> ReadJobSheet(std::string_view text);

// A field of a CSV record: quoted when it holds a comma, a quote, a line end or blanks at
// its ends.
std::string CsvField(std::string_view text);

} // namespace Quillmere
