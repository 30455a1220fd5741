#pragma once

// How sure a computed spacing is, and whether the converter agrees: how much the spacing and
// the flow reading move with each input the calculation read, their ranges over the inputs'
// plus/minus, the transit-time difference a converter sees, and the check of the fluid
// sound velocity the converter measures. Every front end computes them here alike.

#include "catalogue/Language.h"
#include "engine/InputField.h"
#include "engine/UnitSystem.h"
#include "rules/JobRecord.h"
#include "rules/Uncertainty.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace Quillmere {

// How one input the calculation read moves the results, per unit of it: metric mm per mm or
// mm per m/s, the flow error in percent per mm (0 for a velocity).
struct InputSensitivity {
    InputField Field;
    double SpacingPerUnit;
    double FlowErrorPercentPerUnit;
};

// The spacing with one input at the minus and the plus end of its ±, the others as entered.
struct TornadoBar {
    InputField Field;
    double MinusMm; // before the clamp at 0
    double PlusMm;
};

struct MeasuredFluid {
    double VelocityMs;
    double DifferencePercent;               // (measured - used) / used
    std::optional<double> SpacingMm;        // none where the beam cannot enter at it
    std::vector<double> WaterCelsius;       // the water temperatures it is the velocity of
    std::optional<double> WaterTemperature; // of those, the one meant (nearer the entered)
    bool Water = false;                     // the fluid has an equation of its velocity
};

struct Assessment {
    // A plus/minus or the measured velocity refused, in the job's language, and its input
    // (the measured velocity: FluidVelocity with Measured set).
    std::string Error;
    std::optional<InputField> ErrorField;
    bool ErrorInMeasured = false;
    std::vector<InputSensitivity> Sensitivities; // the inputs read, in field order
    bool Toleranced = false;
    double SpacingMinMm = 0, SpacingMaxMm = 0; // clamped at 0, as the spacing shown
    double FlowErrorMinPercent = 0, FlowErrorMaxPercent = 0;
    std::vector<TornadoBar> Bars; // the toleranced inputs, the widest first
    double DeltaTNsPerMs = 0;     // per 1 m/s of flow velocity
    std::optional<MeasuredFluid> Measured;

    bool Ok() const { return Error.empty(); }
};

// The inputs the computation of `job` read: the diameter, the wall and the pipe and fluid
// velocities always (a table's as much as a typed one), the lining's with a lining.
std::vector<InputField> InputsRead(const Job& job);

// The job's assessment for what `uncertainty` gives; where the job's fluid velocity came
// from a water's temperature, its equation and conditions turn a measured velocity back into
// one, and that temperature decides between two of one velocity.
Assessment AssessJob(const JobRecord& job, const Uncertainty& uncertainty);

// The assessment as lines of the job's record ("CAPTION: text"), in its language and units:
// the plus/minus given, the ranges, each input's sensitivity, the transit-time difference
// and the converter's check where a measured velocity was given.
std::vector<std::string> AssessmentLines(const JobRecord& job, const Uncertainty& uncertainty,
                                         const Assessment& assessment);

// A figure to three significant digits, as sensitivities are shown ("0.632", "0.0217").
std::string ThreeFigures(double value);

} // namespace Quillmere
