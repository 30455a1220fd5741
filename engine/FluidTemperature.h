#pragma once

// The sound velocity of water at its temperature, from published equations, for the
// fluids the tables give one fixed value for (WATER 1440, SEAWATER 1522, DIST. WATER
// 1487 m/s); with the line's pressure and the sea water's salinity where an equation takes
// them. Outside an equation's range nothing is extrapolated.

#include <optional>
#include <string_view>
#include <vector>

namespace Quillmere {

// What an equation needs besides the temperature; the equations that take neither ignore it.
struct WaterState {
    double GaugeMPa = 0.0;  // the line's pressure as its gauge reads it, above atmospheric
    double Salinity = 35.0; // practical salinity (PSS-78) of sea water
};

struct WaterEquation {
    std::string_view Name; // as a reference: author and year
    double LowCelsius;     // the range the fit was made over, both ends included
    double HighCelsius;
    double (*Velocity)(double celsius, const WaterState& state); // m/s
    bool TakesPressure = false; // liquid only: refused at or below its saturation pressure
    bool TakesSalinity = false;
};

// Pure water: W. Marczak, "Water as a standard in the measurements of speed of sound in
// liquids", J. Acoust. Soc. Am. 102 (1997) 2776-2779; a fifth-order fit, 0 to 95 degC.
extern const WaterEquation Marczak1997;

// Sea water at salinity 35 at the surface (depth 0): K. V. Mackenzie, "Nine-term equation
// for sound speed in the oceans", J. Acoust. Soc. Am. 70 (1981) 807-812; 2 to 30 degC.
extern const WaterEquation Mackenzie1981;

// Liquid water at any pressure from its saturation pressure to 100 MPa, 0 to 350 degC: region 1
// of the IAPWS Industrial Formulation 1997 (Revised Release IAPWS R7-97(2012), eq. 7 and
// Table 2), the speed of sound from its Gibbs function (Table 3). Takes the gauge pressure,
// made absolute with the standard atmosphere.
extern const WaterEquation If97Region1;

// Sea water, 0 to 40 degC, salinity 0 to 40, gauge pressure 0 to 100 MPa: the UNESCO 1983
// algorithm (N. P. Fofonoff and R. C. Millard, Unesco Tech. Pap. Mar. Sci. 44, 1983, eq. 33-37,
// pp. 46-47; Chen and Millero 1977). Its temperatures are IPTS-68, taken here from ITS-90 as
// t68 = 1.00024 t90; its pressure is the sea pressure, the gauge's reading.
extern const WaterEquation Unesco1983;

// The standard atmosphere, MPa: a gauge's zero.
inline constexpr double AtmosphereMPa = 0.101325;
inline constexpr double KelvinAtZeroCelsius = 273.15;

// IF97 region 4: the saturation pressure of water, MPa absolute, 273.15 to 647.096 K.
double SaturationPressureMPa(double kelvin);

// The temperature, degC, at which water boils at an absolute pressure (IF97 region 4 solved
// for it), 0 to 373.946 degC.
double SaturationCelsius(double absoluteMPa);

// The highest temperature the equation holds at, the state given: its range's end, or where
// the water would boil at that pressure.
double HighestCelsius(const WaterEquation& equation, const WaterState& state);

// IF97 region 1: the speed of sound of liquid water, m/s, at an absolute pressure in MPa.
double If97SoundSpeed(double absoluteMPa, double kelvin);

// The velocity in m/s at `celsius`, or none outside the equation's range, or for an equation
// of pressure, where the water would boil (at or below its saturation pressure), or beyond
// 100 MPa.
std::optional<double> VelocityAt(const WaterEquation& equation, double celsius,
                                 const WaterState& state = {});

// Every temperature in the equation's range at which the water has `velocity` (m/s), rising;
// none when no temperature in the range gives it. Pure water's velocity peaks near 74 degC,
// so one velocity may be had at two temperatures.
std::vector<double> TemperaturesAt(const WaterEquation& equation, double velocity,
                                   const WaterState& state = {});

// Degrees Fahrenheit to Celsius.
double FahrenheitToCelsius(double fahrenheit);

} // namespace Quillmere
