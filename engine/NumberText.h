#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace Quillmere {

// Text <-> number, the same under every system locale: '.' is the decimal point and ','
// a digit-group separator. Never strtod/printf here: the C locale follows the user's.

// The leave-field check's character test: 1 for an empty text (length <= 0), 0 when every
// character may belong to a number (ASCII digits , . - +), -1 otherwise; a lone ",", "."
// or "-" is -1. A length beyond the text is not trusted (-1).
std::int32_t IsNumericText(std::u16string_view text, const std::int32_t& length);
// The same on bytes: a byte of a UTF-8 sequence is no allowed character either.
std::int32_t IsNumericText(std::string_view text, const std::int32_t& length);

// A short plain entry (an optional sign, digits with at most one '.', no ',', at most 15
// characters), read in one pass to the double ParseNumberText gives; none for every other
// text, which ParseNumberText reads or refuses.
std::optional<double> ReadPlainNumber(std::string_view text);

// Reads an entry such as "3,280" or "-0.5". Grouping commas are dropped first; what is
// left must be an optional sign, digits with at most one '.', and at least one digit.
// Throws EngineError: TypeMismatch for anything else (a misplaced ',' included), Overflow
// past the double range.
double ParseNumberText(std::string_view text);

// True when a ',' in the text does not group thousands: "114,3" or "6,5" (a decimal comma,
// which read as a grouping would be ten times the value), ",5", "1,2345", "0,125", a ','
// after the '.'. Grouping is a first group of one to three digits, not starting with 0,
// then groups of exactly three: "3,280", "-1,234,567.5".
bool HasMisplacedComma(std::string_view text);

// One number text as written, times a whole factor: a term of an exact sum.
struct WrittenTerm {
    int Factor;
    std::string_view Text;
};

// The sign (-1, 0, 1) of the sum of the terms' values as written in decimal, exactly: no
// binary rounding, however many digits. Each text must read with ParseNumberText (grouping
// commas, sign, one point); throws EngineError TypeMismatch otherwise.
int SignOfWrittenSum(std::initializer_list<WrittenTerm> terms);

// The default text form: at most 15 significant digits, no grouping, no trailing zeros,
// no trailing '.'; negative zero prints as "0".
std::string DefaultNumberText(double value);

// "#,##0.00"-style text: thousands grouped with ',', at least one digit before '.', and
// exactly `decimals` digits after it. The value is rounded to `decimals` places.
std::string FormatGroupedFixed(double value, int decimals);

} // namespace Quillmere
