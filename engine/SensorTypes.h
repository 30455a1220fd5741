#pragma once

#include <array>
#include <cstdint>

namespace Quillmere {

// The constants of one sensor type. Only WedgeVelocity, IncidenceAngle, WedgeRun and
// MountOffset enter the computation; the others document the sensor. The family and list
// names are words, kept with the lists (rules/Lists.h).
struct SensorTypeRecord {
    double Frequency;         // MHz
    std::int32_t WedgeVelocity; // m/s
    std::int16_t IncidenceAngle; // whole degrees
    double WedgePathLength;   // mm
    double WedgeHeight;       // mm
    double WedgeRun;          // mm, axial run of the beam inside one wedge
    double MountOffset;       // mm, deducted once per sensor
};

inline constexpr int SensorTypeCount = 12;

// Stored values as the sensor maker tables them; a few WedgeRun values differ from
// what WedgeHeight * tan(angle) would give, and the stored ones are the ones that count.
inline constexpr std::array<SensorTypeRecord, SensorTypeCount> SensorTypeCatalogue{{
    {4.0, 2500, 42, 8.854263, 6.58, 5.92, 6.46},
    {4.0, 2500, 42, 8.854263, 6.58, 5.92, 6.46},
    {2.0, 2500, 42, 8.854263, 6.58, 5.92, 6.46},
    {2.0, 2500, 42, 8.854263, 6.58, 5.92, 6.46},
    {1.0, 2505, 42, 13.456327, 10.0, 9.07, 27.0},
    {2.0, 2505, 42, 6.728164, 5.0, 4.5, 13.5},
    {1.0, 2505, 42, 13.456327, 10.0, 9.07, 27.0},
    {0.5, 2505, 42, 24.490516, 18.2, 16.4, 16.4},
    {1.0, 2505, 42, 24.490516, 18.2, 16.4, 16.4},
    {2.0, 2500, 42, 8.342923, 6.2, 5.58, 16.4},
    {2.0, 2500, 42, 8.342923, 6.2, 5.58, 13.9},
    {2.0, 2830, 49, 12.194025, 8.0, 9.2, 20.2},
}};

// The two types whose spacing is also shown as a count of whole 3 mm steps.
bool IsSteppedSensorType(int listIndex);

// The record at a list index; outside 0..11 throws SubscriptOutOfRange.
const SensorTypeRecord& SensorTypeAt(int listIndex);

} // namespace Quillmere
