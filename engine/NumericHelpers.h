#pragma once

#include <cstdint>

namespace Quillmere {

// atan(1) * 4, formed each time rather than taken from a literal.
double Pi();

// Arcsine by atan(x / sqrt(1 - x*x)). |x| > 1 throws InvalidArgument, |x| = 1
// DivisionByZero: a beam at or beyond the critical angle does not refract.
double ArcSine(double x);

// Rounds half away from zero to `digits` decimals (digits may be negative).
double RoundHalfAwayFromZero(double value, std::int16_t digits);

// Truncates toward zero to `digits` decimals. The scaled value goes through its
// 15-digit text form first, so 0.29 stays 0.29 instead of becoming 0.28.
double CutToDecimals(double value, std::int16_t digits);

} // namespace Quillmere
