#pragma once

#include "engine/SensorTypes.h"

#include <cstdint>

namespace Quillmere {

// How often the beam crosses the fluid between the sensors: V twice (sensors on one side),
// Z once (opposite sides), N three times (opposite), W four times (one side).
enum class MountMethod : std::int16_t { V = 0, Z = 1, N = 2, W = 3 };
inline constexpr int MountMethodCount = 4;

// The number of fluid crossings of a mounting method, or 0 for a value that names none.
int FluidCrossings(std::int16_t mountMethod);

// Metric inputs of one computation. A velocity of exactly 0 means the medium does not
// refract the beam and adds no axial run of its own.
struct SpacingInputs {
    double OuterDiameter = 0.0;   // mm
    double WallThickness = 0.0;   // mm
    double LiningThickness = 0.0; // mm
    double PipeVelocity = 0.0;    // m/s
    double LiningVelocity = 0.0;  // m/s
    double FluidVelocity = 0.0;   // m/s
    std::int16_t MountMethod = 0; // 0 V, 1 Z, 2 N, 3 W
};

// The intermediate values of one computation, for callers that show the beam's path.
struct SpacingBreakdown {
    double WallAngle = 0.0; // radians
    double LiningAngle = 0.0;
    double FluidAngle = 0.0;
    double WallRun = 0.0; // mm
    double LiningRun = 0.0;
    double FluidRun = 0.0;
    double Spacing = 0.0; // mm, clamped at 0
    // mm, before the clamp: below 0 where the sensors' own allowance is longer than the
    // beam's runs; the clamped 0 then does not bring the beam to the second sensor.
    double Unclamped = 0.0;
    // mm: the sound's path in the fluid over all its crossings, bore / cos(fluid angle)
    // each; what a converter's diagnostics give beside the transit time.
    double FluidPath = 0.0;
};

// Follows the beam from the wedge through wall, lining and fluid (Snell's law, each layer
// straight from the wedge angle) and combines the axial runs for the mounting method.
// Throws EngineError: a refraction without solution names its medium; a non-finite step
// is an overflow; a mounting method other than V, Z, N or W is a subscript out of range.
SpacingBreakdown ComputeSpacingBreakdown(const SpacingInputs& inputs,
                                         const SensorTypeRecord& sensor);

// The spacing in mm, never negative.
double ComputeSpacing(const SpacingInputs& inputs, const SensorTypeRecord& sensor);

} // namespace Quillmere
