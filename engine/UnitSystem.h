#pragma once

// Inches and feet per second at the front ends' edge; the engine works in mm and m/s.

#include <cstdint>

namespace Quillmere {

// The units a run works in: metric (mm, m/s) or imperial (inch, ft/s).
enum class UnitSystem : std::uint8_t { Metric, Imperial };

// The stored constants, deliberately not 1/25.4 and 1/0.3048.
inline constexpr double InchPerMillimetre = 0.0393700787;
inline constexpr double FeetPerMetre = 3.28083989;

// Conversions at the window's edge; a non-finite result throws Overflow.
double InchToMm(double inches);
double FtsToMs(double feetPerSecond);
double MmToInch(double millimetres);

} // namespace Quillmere
