#pragma once

// The sound velocity of water at its temperature, from published equations, for the
// fluids the tables give one fixed value for (WATER 1440, SEAWATER 1522, DIST. WATER
// 1487 m/s). Outside an equation's range nothing is extrapolated.

#include <optional>
#include <string_view>
#include <vector>

namespace Quillmere {

struct WaterEquation {
    std::string_view Name; // as a reference: author and year
    double LowCelsius;     // the range the fit was made over, both ends included
    double HighCelsius;
    double (*Velocity)(double celsius); // m/s
};

// Pure water: W. Marczak, "Water as a standard in the measurements of speed of sound in
// liquids", J. Acoust. Soc. Am. 102 (1997) 2776-2779; a fifth-order fit, 0 to 95 degC.
extern const WaterEquation Marczak1997;

// Sea water at salinity 35 at the surface (depth 0): K. V. Mackenzie, "Nine-term equation
// for sound speed in the oceans", J. Acoust. Soc. Am. 70 (1981) 807-812; 2 to 30 degC.
extern const WaterEquation Mackenzie1981;

// The velocity in m/s at `celsius`, or none outside the equation's range.
std::optional<double> VelocityAt(const WaterEquation& equation, double celsius);

// Every temperature in the equation's range at which the water has `velocity` (m/s), rising;
// none when no temperature in the range gives it. Pure water's velocity peaks near 74 degC,
// so one velocity may be had at two temperatures.
std::vector<double> TemperaturesAt(const WaterEquation& equation, double velocity);

// Degrees Fahrenheit to Celsius.
double FahrenheitToCelsius(double fahrenheit);

} // namespace Quillmere
