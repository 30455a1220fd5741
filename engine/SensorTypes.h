#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace Quillmere {

// The constants of one sensor type. Only WedgeVelocity, IncidenceAngle, WedgeRun and
// MountOffset enter the computation; the others document the sensor.
struct SensorTypeRecord {
    std::string_view FamilyLabel;
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
    {"Torvane", 4.0, 2500, 42, 8.854263, 6.58, 5.92, 6.46},
    {"Torvane", 4.0, 2500, 42, 8.854263, 6.58, 5.92, 6.46},
    {"Torvane", 2.0, 2500, 42, 8.854263, 6.58, 5.92, 6.46},
    {"Torvane", 2.0, 2500, 42, 8.854263, 6.58, 5.92, 6.46},
    {"小型", 1.0, 2505, 42, 13.456327, 10.0, 9.07, 27.0},
    {"小型", 2.0, 2505, 42, 6.728164, 5.0, 4.5, 13.5},
    {"中型", 1.0, 2505, 42, 13.456327, 10.0, 9.07, 27.0},
    {"大型", 0.5, 2505, 42, 24.490516, 18.2, 16.4, 16.4},
    {"大型", 1.0, 2505, 42, 24.490516, 18.2, 16.4, 16.4},
    {"小型", 2.0, 2500, 42, 8.342923, 6.2, 5.58, 16.4},
    {"小口径", 2.0, 2500, 42, 8.342923, 6.2, 5.58, 13.9},
    {"高温用", 2.0, 2830, 49, 12.194025, 8.0, 9.2, 20.2},
}};

// List source of the sensor-type list: the entry count as text, then the list texts.
// The texts are the same in every language.
inline constexpr std::array<std::string_view, SensorTypeCount + 1> SensorTypeNames{
    "12",
    "RESERVE",
    "RESERVE",
    "VT-A1/VT-A2",
    "VT-B1/VT-B2",
    "VT-C1",
    "VT-D1/VT-D2",
    "VT-E1/VT-E2/VT-E3",
    "VT-F1/VT-F2/VT-F3",
    "VT-G1/VT-G2/VT-G3",
    "VT-H1/VT-H2",
    "VT-J1/VT-J2/VT-J3",
    "VT-K1/VT-K2/VT-K3",
};

// The two types whose spacing is also shown as a count of whole 3 mm steps.
inline constexpr std::string_view SteppedSensorTypesText = "(VT-A1/VT-A2,VT-B1/VT-B2)";
bool IsSteppedSensorType(int listIndex);

// The record at a list index; outside 0..11 throws SubscriptOutOfRange.
const SensorTypeRecord& SensorTypeAt(int listIndex);

} // namespace Quillmere
