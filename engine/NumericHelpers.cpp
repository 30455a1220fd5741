#include "NumericHelpers.h"

#include "EngineError.h"
#include "NumberText.h"

#include <charconv>
#include <cmath>
#include <string>

namespace Quillmere {
namespace {

double Checked(double value) {
    if (std::isnan(value)) {
        throw EngineError(ErrorKind::InvalidArgument);
    }
    if (std::isinf(value)) {
        throw EngineError(ErrorKind::Overflow);
    }
    return value;
}

double PowerOfTen(std::int16_t digits) {
    return Checked(std::pow(10.0, static_cast<double>(digits)));
}

double DivideByPower(double value, double power) {
    if (power == 0.0) {
        throw EngineError(ErrorKind::DivisionByZero);
    }
    return Checked(value / power);
}

} // namespace

double FncPi() { return std::atan(1.0) * 4.0; }

double FncASin(double x) {
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

double FncHalfAdjust(double value, std::int16_t digits) {
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

double FncRoundDown(double value, std::int16_t digits) {
    const double p = PowerOfTen(digits);
    const double scaled = Checked(p * value);
    const std::string text = DefaultNumberText(scaled);
    double reread = 0.0;
    std::from_chars(text.data(), text.data() + text.size(), reread, std::chars_format::general);
    return DivideByPower(std::trunc(reread), p) + 0.0;
}

} // namespace Quillmere
