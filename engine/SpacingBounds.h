#pragma once

// How sure a spacing is: how it moves with each numeric input (the derivative of the
// computed spacing, before the clamp), its smallest and largest value over a box of inputs
// each known only within a plus/minus, and the transit-time difference a converter sees
// per unit of flow velocity.

#include "engine/InputField.h"
#include "engine/SensorTypes.h"
#include "engine/Spacing.h"

#include <array>

namespace Quillmere {

// By InputField: mm or m/s.
using FieldValues = std::array<double, InputFields.size()>;

// The numeric input of a field.
double& InputOf(SpacingInputs& inputs, InputField field);
double InputOf(const SpacingInputs& inputs, InputField field);

// d(spacing)/d(input) for each field, in mm per mm or mm per m/s: the spacing's formula
// differentiated, at the inputs given. An input the spacing does not read (a velocity of 0,
// which refracts nothing, a lining of no thickness) still has its derivative there. Throws
// EngineError as ComputeSpacingBreakdown does.
FieldValues SpacingDerivatives(const SpacingInputs& inputs, const SensorTypeRecord& sensor);

struct SpacingRange {
    double Min; // mm, before the clamp at 0
    double Max;
    SpacingInputs AtMin; // the inputs where each extreme is reached
    SpacingInputs AtMax;
};

// The smallest and largest spacing over every combination of inputs within
// inputs ± plusMinus (0 for an input known exactly). The spacing is affine in the three
// lengths for given velocities and rises with each velocity for given lengths, so its
// extremes lie at corners of the box; all of them are computed. Throws EngineError where a
// corner leaves no bore (NoBore) or refracts no beam (naming the medium).
SpacingRange SpacingOverBox(const SpacingInputs& inputs, const FieldValues& plusMinus,
                            const SensorTypeRecord& sensor);

// The transit-time difference between the two directions of the sound, in ns, for 1 m/s of
// flow velocity: 2 n ID tan(fluid angle) / c_fluid^2 for n crossings of the bore ID.
double TransitTimeDifferenceNs(const SpacingInputs& inputs, const SpacingBreakdown& breakdown);

// The bore the fluid flows through: outer diameter less twice the wall and the lining, mm.
double InnerDiameter(const SpacingInputs& inputs);

} // namespace Quillmere
