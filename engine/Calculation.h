#pragma once

#include "Spacing.h"

#include <cstdint>
#include <string>

namespace Quillmere {

// Everything the execute command reads from the window, as the controls hold it.
struct CalcEntries {
    std::int16_t UnitFlag = 0;
    int SensorTypeIndex = 0;
    int PipeMaterialIndex = 0;
    int LiningMaterialIndex = 0;
    int FluidIndex = 0;
    int MountMethodIndex = 0;
    std::string WallThicknessText;
    std::string LiningThicknessText;
    std::string OuterDiameterText;
    std::string PipeVelocityText;
    std::string LiningVelocityText;
    std::string FluidVelocityText;
    bool PipeVelocityLocked = true; // locked: the table velocity counts, not the text
    bool LiningVelocityLocked = true;
    bool FluidVelocityLocked = true;
};

struct DisplayTexts {
    std::string Result1; // the spacing
    std::string Result2; // the 3 mm step count, or empty
};

struct CalcOutcome {
    SpacingInputs Inputs;
    SpacingBreakdown Breakdown;
    DisplayTexts Display;
};

// The execute command without the window: reads lengths (wall, lining, outer diameter)
// then velocities (pipe, lining, fluid), converts imperial entries, computes and formats.
// The order decides which error is reported first. Throws EngineError.
CalcOutcome RunCalculation(const CalcEntries& entries);

// The result texts for a spacing in mm: plain "#,##0.00" (mm) or "#,##0.000" (inch),
// cut toward zero; for the two stepped sensor types the 3 mm step count as well.
DisplayTexts FormatSpacing(double spacingMm, int sensorTypeIndex, std::int16_t unitFlag);

} // namespace Quillmere
