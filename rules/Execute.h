#pragma once

#include "engine/InputField.h"
#include "engine/Spacing.h"
#include "engine/UnitSystem.h"
#include "rules/Job.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace Quillmere {

struct DisplayTexts {
    std::string Result1; // the spacing
    std::string Result2; // the 3 mm step count, or empty
    // Z method: half the outer circumference, how the installer finds the opposite side
    // (in the result's plain format); empty for methods with both sensors on one side.
    std::string Circumferential;
};

// A field's text and the number a check has read it as: the computation takes the number
// for the very same text instead of reading it again (a sheet row reads each once).
struct ReadNumber {
    std::string_view Text;
    double Value = 0;
};
using ReadNumbers = std::array<std::optional<ReadNumber>, InputFields.size()>;

struct CalcOutcome {
    SpacingInputs Inputs;
    SpacingBreakdown Breakdown;
    DisplayTexts Display;
};

// The execute command of every front end, in this order: refuses the first empty entry it
// would read (EmptyInput, naming the field); reads lengths (wall, lining, outer diameter)
// then velocities (pipe, lining, fluid), converting imperial entries; refuses a pipe that
// wall and lining fill (NoBore); computes and formats. The order decides which error is
// reported first. A mounting method beyond the `mountMethodsOffered` first ones of the
// front end's list (the window offers V and Z) is a subscript out of range. Throws
// EngineError.
CalcOutcome RunCalculation(const Job& job, int mountMethodsOffered,
                           const ReadNumbers* read = nullptr);
// The same into `out` (all of it written anew): a job's record is computed where it is kept.
void RunCalculation(const Job& job, int mountMethodsOffered, CalcOutcome& out,
                    const ReadNumbers* read = nullptr);

// The result texts for a spacing in mm: plain "#,##0.00" (mm) or "#,##0.000" (inch),
// cut toward zero; for the two stepped sensor types the 3 mm step count as well.
DisplayTexts FormatSpacing(double spacingMm, int sensorTypeIndex, UnitSystem units);
// The same into `texts`, all three of them written.
void FormatSpacing(double spacingMm, int sensorTypeIndex, UnitSystem units, DisplayTexts& texts);

// A length in mm in the results' plain format of the unit system, without its unit.
std::string PlainLengthText(double millimetres, UnitSystem units);

// The spacing the sensors are mounted at, in mm: the computed one, or for the two stepped
// sensor types its whole 3 mm steps.
double MountedSpacing(double spacingMm, int sensorTypeIndex);

} // namespace Quillmere
