#include "engine/FluidTemperature.h"

#include <algorithm>
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

std::vector<double> TemperaturesAt(const WaterEquation& equation, double velocity) {
    std::vector<double> found;
    if (!std::isfinite(velocity)) {
        return found;
    }
    // Steps of a tenth of a degree bracket each root (the equations turn once at most); a
    // bisection then finds it to far below the display's tenth.
    const auto gap = [&](double t) { return equation.Velocity(t) - velocity; };
    const double step = 0.1;
    double low = equation.LowCelsius;
    double gapLow = gap(low);
    if (gapLow == 0) {
        found.push_back(low);
    }
    while (low < equation.HighCelsius) {
        const double high = std::min(low + step, equation.HighCelsius);
        const double gapHigh = gap(high);
        if (gapHigh == 0) {
            found.push_back(high);
        } else if ((gapLow < 0) != (gapHigh < 0) && gapLow != 0) {
            double a = low;
            double b = high;
            for (int i = 0; i < 60; ++i) {
                const double middle = (a + b) / 2;
                ((gap(middle) < 0) == (gapLow < 0) ? a : b) = middle;
            }
            found.push_back((a + b) / 2);
        }
        low = high;
        gapLow = gapHigh;
    }
    return found;
}

double FahrenheitToCelsius(double fahrenheit) {
    return (fahrenheit - 32.0) / 1.8;
}

} // namespace Quillmere
