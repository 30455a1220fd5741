#include "engine/NumericHelpers.h"

#include "engine/EngineError.h"
#include "engine/NumberText.h"

#include "engine/FloatText.h"
#include <cmath>
#include <string>

namespace Quillmere {
namespace {

[[noreturn, gnu::cold, gnu::noinline]] void RefuseNotFinite(double value) {
    throw EngineError(std::isnan(value) ? ErrorKind::InvalidArgument : ErrorKind::Overflow);
}

inline double Checked(double value) {
    if (!std::isfinite(value)) [[unlikely]] {
        RefuseNotFinite(value);
    }
    return value;
}

double PowerOfTen(std::int16_t digits) {
    // Powers up to 1e22 are exact doubles, the same values pow() returns; the table spares
    // the general power function on every displayed result.
    static constexpr double exact[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                       1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                       1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    if (digits >= 0 && digits <= 22) {
        return exact[digits];
    }
    return Checked(std::pow(10.0, static_cast<double>(digits)));
}

double DivideByPower(double value, double power) {
    if (power == 0.0) {
        throw EngineError(ErrorKind::DivisionByZero);
    }
    return Checked(value / power);
}

} // namespace

double Pi() {
    return std::atan(1.0) * 4.0;
}

double ArcSine(double x) {
    const double d = Checked(-x * x + 1.0);
    if (d < 0.0) {
        throw EngineError(ErrorKind::InvalidArgument);
    }
    const double r = std::sqrt(d);
    if (r == 0.0) {
        throw EngineError(ErrorKind::DivisionByZero);
    }
    const double q = Checked(x / r);
    return std::atan(q);
}

double RoundHalfAwayFromZero(double value, std::int16_t digits) {
    const double p = PowerOfTen(digits);
    const double scaled = Checked(value * p);
    double cut = 0.0;
    if (value > 0.0) {
        cut = std::floor(Checked(scaled + 0.5));
    } else {
        cut = std::trunc(Checked(scaled - 0.5));
    }
    return DivideByPower(cut, p) + 0.0; // + 0.0 turns a negative zero into zero
}

// trunc() of the scaled value after its 15-digit text round trip. Rounding to 15 significant
// digits moves a value below 1e14 by at most |t| * 5e-15, so unless t lies that close below
// the next integer away from zero, the round trip cannot change the integer part and the
// text (the slow part) is not needed.
double TruncatedAfterRoundTrip(double t) {
    const double whole = std::trunc(t);
    const double next = t >= 0.0 ? whole + 1.0 : whole - 1.0;
    if (std::fabs(t) < 1e14 && std::fabs(next - t) > std::fabs(t) * 1e-14) {
        return whole;
    }
    const std::string text = DefaultNumberText(t);
    double reread = 0.0;
    bool outOfRange = false;
    ReadFloat(text, reread, outOfRange);
    return std::trunc(reread);
}

double CutToDecimals(double value, std::int16_t digits) {
    const double p = PowerOfTen(digits);
    const double scaled = Checked(p * value);
    return DivideByPower(TruncatedAfterRoundTrip(scaled), p) + 0.0;
}

} // namespace Quillmere
