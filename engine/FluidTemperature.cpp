#include "engine/FluidTemperature.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace Quillmere {
namespace {

double Marczak(double t, const WaterState&) {
    return 1.402385e3 + 5.038813 * t - 5.799136e-2 * t * t + 3.287156e-4 * t * t * t -
           1.398845e-6 * t * t * t * t + 2.787860e-9 * t * t * t * t * t;
}

// Mackenzie's nine terms with S = 35 and D = 0: the salinity and depth terms vanish.
double Mackenzie(double t, const WaterState&) {
    return 1448.96 + 4.591 * t - 5.304e-2 * t * t + 2.374e-4 * t * t * t;
}

// IF97 Table 2: I, J and n of the 34 terms of region 1's Gibbs function.
struct Region1Term {
    int I;
    int J;
    double N;
};
constexpr std::array<Region1Term, 34> Region1Terms{{
    {0, -2, 0.14632971213167},        {0, -1, -0.84548187169114},
    {0, 0, -0.37563603672040e1},      {0, 1, 0.33855169168385e1},
    {0, 2, -0.95791963387872},        {0, 3, 0.15772038513228},
    {0, 4, -0.16616417199501e-1},     {0, 5, 0.81214629983568e-3},
    {1, -9, 0.28319080123804e-3},     {1, -7, -0.60706301565874e-3},
    {1, -1, -0.18990068218419e-1},    {1, 0, -0.32529748770505e-1},
    {1, 1, -0.21841717175414e-1},     {1, 3, -0.52838357969930e-4},
    {2, -3, -0.47184321073267e-3},    {2, 0, -0.30001780793026e-3},
    {2, 1, 0.47661393906987e-4},      {2, 3, -0.44141845330846e-5},
    {2, 17, -0.72694996297594e-15},   {3, -4, -0.31679644845054e-4},
    {3, 0, -0.28270797985312e-5},     {3, 6, -0.85205128120103e-9},
    {4, -5, -0.22425281908000e-5},    {4, -2, -0.65171222895601e-6},
    {4, 10, -0.14341729937924e-12},   {5, -8, -0.40516996860117e-6},
    {8, -11, -0.12734301741641e-8},   {8, -6, -0.17424871230634e-9},
    {21, -29, -0.68762131295531e-18}, {23, -31, 0.14478307828521e-19},
    {29, -38, 0.26335781662795e-22},  {30, -39, -0.11947622640071e-22},
    {31, -40, 0.18228094581404e-23},  {32, -41, -0.93537087292458e-25},
}};

// IF97 Table 34: the ten coefficients of the saturation-pressure equation.
constexpr std::array<double, 10> Region4N{
    0.11670521452767e4,  -0.72421316703206e6, -0.17073846940092e2, 0.12020824702470e5,
    -0.32325550322333e7, 0.14915108613530e2,  -0.48232657361591e4, 0.40511340542057e6,
    -0.23855557567849,   0.65017534844798e3};

constexpr double WaterGasConstant = 461.526; // J/(kg K), IF97 eq. 1
constexpr double MaximumMPa = 100.0;

double If97Water(double celsius, const WaterState& state) {
    return If97SoundSpeed(state.GaugeMPa + AtmosphereMPa, celsius + KelvinAtZeroCelsius);
}

// Fofonoff and Millard eq. 33-37: S in PSS-78, t in IPTS-68, P in bar of sea pressure.
double Unesco(double celsius, const WaterState& state) {
    const double t = 1.00024 * celsius; // ITS-90 to IPTS-68
    const double p = state.GaugeMPa * 10.0;
    const double s = state.Salinity;
    const double cw =
        1402.388 +
        (5.03711 + (-5.80852e-2 + (3.3420e-4 + (-1.47800e-6 + 3.1464e-9 * t) * t) * t) * t) * t +
        (0.153563 + (6.8982e-4 + (-8.1788e-6 + (1.3621e-7 - 6.1185e-10 * t) * t) * t) * t) * p +
        (3.1260e-5 + (-1.7107e-6 + (2.5974e-8 + (-2.5335e-10 + 1.0405e-12 * t) * t) * t) * t) * p *
            p +
        (-9.7729e-9 + (3.8504e-10 - 2.3643e-12 * t) * t) * p * p * p;
    const double a =
        1.389 + (-1.262e-2 + (7.164e-5 + (2.006e-6 - 3.21e-8 * t) * t) * t) * t +
        (9.4742e-5 + (-1.2580e-5 + (-6.4885e-8 + (1.0507e-8 - 2.0122e-10 * t) * t) * t) * t) * p +
        (-3.9064e-7 + (9.1041e-9 + (-1.6002e-10 + 7.988e-12 * t) * t) * t) * p * p +
        (1.100e-10 + (6.649e-12 - 3.389e-13 * t) * t) * p * p * p;
    const double b = -1.922e-2 - 4.42e-5 * t + (7.3637e-5 + 1.7945e-7 * t) * p;
    const double d = 1.727e-3 - 7.9836e-6 * p;
    return cw + a * s + b * s * std::sqrt(s) + d * s * s;
}

// Whether the state lies where the equation holds, the temperature apart.
bool StateHolds(const WaterEquation& equation, double celsius, const WaterState& state) {
    if (equation.TakesSalinity && !(state.Salinity >= 0.0 && state.Salinity <= 40.0)) {
        return false;
    }
    if (!equation.TakesPressure) {
        return true;
    }
    if (equation.TakesSalinity) { // sea pressure, 0 to 1000 bar: no boiling within 0 to 40 degC
        return state.GaugeMPa >= 0.0 && state.GaugeMPa <= MaximumMPa;
    }
    const double absolute = state.GaugeMPa + AtmosphereMPa;
    if (!(absolute <= MaximumMPa)) {
        return false;
    }
    return absolute > SaturationPressureMPa(celsius + KelvinAtZeroCelsius);
}

} // namespace

const WaterEquation Marczak1997{"Marczak 1997", 0.0, 95.0, Marczak};
const WaterEquation Mackenzie1981{"Mackenzie 1981", 2.0, 30.0, Mackenzie};
const WaterEquation If97Region1{"IAPWS-IF97", 0.0, 350.0, If97Water, true, false};
const WaterEquation Unesco1983{"UNESCO 1983", 0.0, 40.0, Unesco, true, true};

double SaturationPressureMPa(double kelvin) {
    const auto& n = Region4N;
    const double theta = kelvin + n[8] / (kelvin - n[9]);
    const double a = theta * theta + n[0] * theta + n[1];
    const double b = n[2] * theta * theta + n[3] * theta + n[4];
    const double c = n[5] * theta * theta + n[6] * theta + n[7];
    const double root = 2.0 * c / (-b + std::sqrt(b * b - 4.0 * a * c));
    return root * root * root * root;
}

double SaturationCelsius(double absoluteMPa) {
    // The saturation pressure rises with the temperature: bisection to far below a hundredth.
    double low = KelvinAtZeroCelsius;
    double high = 647.096;
    for (int i = 0; i < 60; ++i) {
        const double middle = (low + high) / 2;
        (SaturationPressureMPa(middle) < absoluteMPa ? low : high) = middle;
    }
    return (low + high) / 2 - KelvinAtZeroCelsius;
}

double HighestCelsius(const WaterEquation& equation, const WaterState& state) {
    if (!equation.TakesPressure || equation.TakesSalinity) {
        return equation.HighCelsius;
    }
    return std::min(equation.HighCelsius, SaturationCelsius(state.GaugeMPa + AtmosphereMPa));
}

double If97SoundSpeed(double absoluteMPa, double kelvin) {
    const double pi = absoluteMPa / 16.53;
    const double tau = 1386.0 / kelvin;
    const double x = 7.1 - pi;
    const double y = tau - 1.222;
    double gPi = 0, gPiPi = 0, gTauTau = 0, gPiTau = 0;
    for (const Region1Term& term : Region1Terms) {
        const double i = term.I;
        const double j = term.J;
        gPi += -term.N * i * std::pow(x, term.I - 1) * std::pow(y, term.J);
        gPiPi += term.N * i * (i - 1) * std::pow(x, term.I - 2) * std::pow(y, term.J);
        gTauTau += term.N * std::pow(x, term.I) * j * (j - 1) * std::pow(y, term.J - 2);
        gPiTau += -term.N * i * std::pow(x, term.I - 1) * j * std::pow(y, term.J - 1);
    }
    const double shift = gPi - tau * gPiTau;
    const double squared =
        WaterGasConstant * kelvin * gPi * gPi / (shift * shift / (tau * tau * gTauTau) - gPiPi);
    return std::sqrt(squared);
}

std::optional<double> VelocityAt(const WaterEquation& equation, double celsius,
                                 const WaterState& state) {
    if (!(celsius >= equation.LowCelsius && celsius <= equation.HighCelsius) ||
        !StateHolds(equation, celsius, state)) {
        return std::nullopt; // NaN falls here too
    }
    return equation.Velocity(celsius, state);
}

std::vector<double> TemperaturesAt(const WaterEquation& equation, double velocity,
                                   const WaterState& state) {
    std::vector<double> found;
    if (!std::isfinite(velocity)) {
        return found;
    }
    // Steps of a tenth of a degree bracket each root (the equations turn once at most); a
    // bisection then finds it to far below the display's tenth. Where the water would boil
    // the step is no bracket.
    const auto gap = [&](double t) {
        const std::optional<double> v = VelocityAt(equation, t, state);
        return v ? *v - velocity : std::numeric_limits<double>::quiet_NaN();
    };
    const double step = 0.1;
    double low = equation.LowCelsius;
    double gapLow = gap(low);
    if (gapLow == 0) {
        found.push_back(low);
    }
    while (low < equation.HighCelsius) {
        const double high = std::min(low + step, equation.HighCelsius);
        const double gapHigh = gap(high);
        if (std::isnan(gapLow) || std::isnan(gapHigh)) {
            // beyond the liquid: no root to bracket
        } else if (gapHigh == 0) {
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
