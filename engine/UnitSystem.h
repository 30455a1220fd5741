#pragma once

#include "InputField.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace Quillmere {

// Unit flag 0 is metric (mm, m/s); every other value imperial (inch, ft/s).
using UnitNamesSet = std::array<std::string_view, 2>;  // 0 length, 1 velocity
using RangeLimitsSet = std::array<std::string_view, 10>; // lower/upper pairs, inclusive

UnitNamesSet SubGetUnitForm1(std::int16_t iFlag);
RangeLimitsSet SubGetUnitRange(std::int16_t iFlag);

// The stored constants, deliberately not 1/25.4 and 1/0.3048.
inline constexpr double InchPerMillimetre = 0.0393700787;
inline constexpr double FeetPerMetre = 3.28083989;

// Conversions at the window's edge; a non-finite result throws Overflow.
double InchToMm(double inches);
double FtsToMs(double feetPerSecond);
double MmToInch(double millimetres);

// The limit pair, unit and typing limit of each of the six numeric input fields.
struct FieldRule {
    int LowerIndex; // into RangeLimitsSet
    int UpperIndex;
    int UnitIndex; // into UnitNamesSet
    int MaxLengthMetric;
    int MaxLengthImperial;
};

FieldRule RuleOf(InputField field);
int MaxInputLength(InputField field, std::int16_t unitFlag);

// "[mm]", and "6.00-6200.00mm": the texts of the unit and range labels.
std::string UnitLabelText(std::string_view unit);
std::string RangeLabelText(InputField field, std::int16_t unitFlag);

} // namespace Quillmere
