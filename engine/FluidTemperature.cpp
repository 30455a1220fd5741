#include "engine/FluidTemperature.h"

#include <cmath>

namespace Quillmere {
namespace {

double Marczak(double t) {
    return 1.402385e3 + 5.038813 * t - 5.799136e-2 * t * t + 3.287156e-4 * t * t * t -
           1.398845e-6 * t * t * t * t + 2.787860e-9 * t * t * t * t * t;
}

// Mackenzie's nine terms with S = 35 and D = 0: the salinity and depth terms vanish.
double Mackenzie(double t) {
    return 1448.96 + 4.591 * t - 5.304e-2 * t * t + 2.374e-4 * t * t * t;
}

} // namespace

const WaterEquation Marczak1997{"Marczak 1997", 0.0, 95.0, Marczak};
const WaterEquation Mackenzie1981{"Mackenzie 1981", 2.0, 30.0, Mackenzie};

std::optional<double> VelocityAt(const WaterEquation& equation, double celsius) {
    if (!(celsius >= equation.LowCelsius && celsius <= equation.HighCelsius)) {
        return std::nullopt; // NaN falls here too
    }
    return equation.Velocity(celsius);
}

double FahrenheitToCelsius(double fahrenheit) {
    return (fahrenheit - 32.0) / 1.8;
}

} // namespace Quillmere
