#pragma once

#include <cstdint>

namespace Quillmere {

// The constants of one sensor type. Only WedgeVelocity, IncidenceAngle, WedgeRun and
// MountOffset enter the computation; the others document the sensor. The twelve types'
// records are kept with their names (rules/Lists.h).
struct SensorTypeRecord {
    double Frequency;            // MHz
    std::int32_t WedgeVelocity;  // m/s
    std::int16_t IncidenceAngle; // whole degrees
    double WedgePathLength;      // mm
    double WedgeHeight;          // mm
    double WedgeRun;             // mm, axial run of the beam inside one wedge
    double MountOffset;          // mm, deducted once per sensor
};

inline constexpr int SensorTypeCount = 12;

} // namespace Quillmere
