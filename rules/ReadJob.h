#pragma once

// A job read from its texts by column (quillmere-calc's options and sheet rows, the rows of
// the window's jobs file), in the steps the window takes: the run's units and language, the
// identity, what the helpers give (a standard size's diameter and wall, water's velocity at
// its temperature), the lists by name, the leave-field checks, then the computation. Each
// step refuses with the window's message and the column it is about.

#include "catalogue/Language.h"
#include "engine/Spacing.h"
#include "engine/UnitSystem.h"
#include "rules/HowSure.h"
#include "rules/JobColumns.h"
#include "rules/JobRecord.h"
#include "rules/MeasuringPoint.h"
#include "rules/PipeChoice.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace Quillmere {

struct JobReading {
    bool Ok = false;
    // The message the window would show, in the job's language; what it quotes of the
    // input is escaped (Printable), fit for a terminal as it stands.
    std::string Error;
    // Where the window would put the focus: the column a failure is about, and for a refused
    // number the range its field takes ("6.00-6200.00mm").
    std::optional<Column> ErrorColumn;
    std::string ErrorRange;
    UnitSystem Units = UnitSystem::Metric;
    Language Lang = Language::Japanese;
    MountMethod Mount = MountMethod::V;
    int Crossings = 2; // how often the beam crosses the fluid
    // The job read and, when computed and Ok, its results: its texts, metric inputs, beam
    // path and results, and for the Z method the circumferential result.
    JobRecord Record;
    std::string Temperature; // "WATER 60 °C, Marczak 1997" when the velocity came from it
    std::string TemperatureEquation;
    PipeChoice Pipe;     // the standard size that gave the diameter and wall, if any
    std::string Warning; // a result the clamp raised to 0 says so
    // How sure the spacing is and the converter's check, where the texts give a plus/minus
    // or a measured velocity; otherwise empty (AssessJob gives the sensitivities).
    Assessment HowSure;
    // The straight runs and the sensors' places, where the texts name the measuring point
    // (none for the many rows that do not: a plan is a dozen strings).
    std::optional<SitePlan> Site;
};

// Back to a fresh reading, its strings keeping their room: a sheet reads its rows one after
// another into one reading rather than make and drop forty strings a row.
void Renew(JobReading& reading);

// How far to go: the job read and checked (Ok with its Job filled), or computed as well.
enum class JobStep { Read, Computed };

JobReading ReadJob(const ColumnTexts& texts, JobStep until = JobStep::Computed);
// The same into `out`, a fresh reading: a sheet's row computes in place, without a move.
void ReadJob(const ColumnTexts& texts, JobReading& out, JobStep until = JobStep::Computed);

// The units the texts ask for (metric when none is given); none for an unknown name.
std::optional<UnitSystem> UnitsOf(const ColumnTexts& texts);
// The language the texts ask for (Japanese when none is given); none for an unknown name.
std::optional<Language> KnownLanguageOf(const ColumnTexts& texts);
// The same, Japanese for an unknown language (for a message about the sheet itself).
Language LanguageOf(const ColumnTexts& texts);

// The pipe list's entry the job computed with ("PVC", "PIPE S.V.").
std::string PipeMaterialText(const JobReading& reading);

// The unit name of lengths in the job's unit system ("mm" or "inch").
std::string_view LengthUnit(const JobReading& reading);

// What the helpers typed and chose, a line each: the standard size's diameter and wall with
// its edition, the material it brought, the water's velocity at its temperature. None for a
// job without helpers.
std::vector<std::string> HelperLines(const JobReading& reading);

// A catalogue text in a language, as a string.
std::string CatalogueText(std::int16_t id, Language lang);

} // namespace Quillmere
