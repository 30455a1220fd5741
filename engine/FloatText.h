#pragma once

// Shortest-path conversions between doubles and text, never through the C locale of a
// desktop run: std::to_chars / std::from_chars. The browser build's C++ library has no
// floating-point to_chars or from_chars; there the C library's printf and strtod stand
// in. They are correctly rounded and give the same texts, and the page never leaves the
// "C" locale (nothing in it calls setlocale).

#include <string>
#include <string_view>

namespace Quillmere {

// Reads [first, last): digits with at most one '.', the sign already taken off. Out of
// the double range: returns false and sets `outOfRange`.
bool ReadFloat(std::string_view digits, double& value, bool& outOfRange);

// printf's "%.15g": 15 significant digits, no trailing zeros.
std::string GeneralText15(double value);

// printf's "%.*f": `decimals` places, rounded.
std::string FixedText(double value, int decimals);

// The fewest significant digits that read back as the same double, in scientific form
// ("6.547455118223414e+01"); for a finite value.
std::string ShortestScientificText(double value);

} // namespace Quillmere
