#include "engine/NumberText.h"

#include "engine/EngineError.h"
#include "engine/FloatText.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace Quillmere {

namespace {

// The character check on UTF-16 units or on bytes alike: every allowed character is ASCII.
template <typename Char>
std::int32_t NumericVerdict(std::basic_string_view<Char> text, std::int32_t length) {
    if (length <= 0) {
        return 1;
    }
    const auto is = [](Char c, char ascii) { return c == static_cast<Char>(ascii); };
    if (length == 1 && !text.empty() &&
        (is(text[0], ',') || is(text[0], '.') || is(text[0], '-'))) {
        return -1;
    }
    for (std::int32_t i = 0; i < length; ++i) {
        if (static_cast<std::size_t>(i) >= text.size()) {
            return -1;
        }
        const Char c = text[static_cast<std::size_t>(i)];
        const bool allowed = (c >= static_cast<Char>('0') && c <= static_cast<Char>('9')) ||
                             is(c, ',') || is(c, '.') || is(c, '-') || is(c, '+');
        if (!allowed) {
            return -1;
        }
    }
    return 0;
}

} // namespace

std::int32_t IsNumericText(std::u16string_view text, const std::int32_t& length) {
    return NumericVerdict(text, length);
}

std::int32_t IsNumericText(std::string_view text, const std::int32_t& length) {
    return NumericVerdict(text, length);
}

bool HasMisplacedComma(std::string_view text) {
    if (text.find(',') == std::string_view::npos) {
        return false;
    }
    const std::size_t start = !text.empty() && (text[0] == '+' || text[0] == '-') ? 1 : 0;
    const std::string_view whole = text.substr(start, text.find('.') - start);
    if (text.find(',', start + whole.size()) != std::string_view::npos) {
        return true; // in the decimals
    }
    // The groups from the left: the first of 1 to 3 digits, then exactly 3 each.
    std::size_t group = 0;
    for (std::size_t at = 0; at <= whole.size(); ++at) {
        if (at == whole.size() || whole[at] == ',') {
            const std::size_t length = at - group;
            const bool first = group == 0;
            if (first ? (length < 1 || length > 3 || whole[0] == '0') : length != 3) {
                return true;
            }
            group = at + 1;
        }
    }
    return false;
}

namespace {

// The text without its thousands separators; a comma anywhere else is refused, never
// dropped (1,5 is not 15).
std::string_view Ungrouped(std::string_view text, std::string& storage) {
    if (text.find(',') == std::string_view::npos) {
        return text;
    }
    if (HasMisplacedComma(text)) {
        throw EngineError(ErrorKind::TypeMismatch);
    }
    storage.reserve(text.size());
    for (char c : text) {
        if (c != ',') {
            storage.push_back(c);
        }
    }
    return storage;
}

// A number text's sign, its digits as an integer while that is exact (up to 2^53), and
// how many of them follow the point.
struct Digits {
    bool Negative = false;
    std::size_t Start = 0; // the first character after the sign
    bool NonZeroBeforePoint = false;
    std::uint64_t Mantissa = 0;
    int FractionDigits = 0;
    bool ExactMantissa = true;
};

Digits ScanDigits(std::string_view plain) {
    Digits d;
    const char* c = plain.data();
    const char* const end = c + plain.size();
    if (c != end && (*c == '+' || *c == '-')) {
        d.Negative = *c == '-';
        d.Start = 1;
        ++c;
    }
    const char* const first = c;
    // Fifteen characters hold fewer than 2^53: no digit can make the mantissa inexact.
    if (end - first <= 15) {
        const char* point = nullptr;
        for (; c != end; ++c) {
            const auto digit = static_cast<unsigned>(*c - '0');
            if (digit <= 9) {
                d.Mantissa = d.Mantissa * 10 + digit;
            } else if (*c == '.' && point == nullptr) {
                point = c;
                d.NonZeroBeforePoint = d.Mantissa != 0;
            } else {
                throw EngineError(ErrorKind::TypeMismatch);
            }
        }
        if (end - first <= (point != nullptr ? 1 : 0)) {
            throw EngineError(ErrorKind::TypeMismatch); // no digit
        }
        if (point == nullptr) {
            d.NonZeroBeforePoint = d.Mantissa != 0;
        } else {
            d.FractionDigits = static_cast<int>(end - point - 1);
        }
        return d;
    }
    // Digits while the mantissa stays exact, then the rest of them uncounted.
    constexpr std::uint64_t limit = (std::uint64_t{1} << 53) / 10;
    bool point = false;
    for (; c != end; ++c) {
        const auto digit = static_cast<unsigned>(*c - '0');
        if (digit <= 9) {
            if (d.Mantissa <= limit) {
                d.Mantissa = d.Mantissa * 10 + digit;
                d.FractionDigits += point ? 1 : 0;
            } else {
                d.ExactMantissa = false;
            }
            d.NonZeroBeforePoint = d.NonZeroBeforePoint || (!point && digit != 0);
        } else if (*c == '.' && !point) {
            point = true;
        } else {
            throw EngineError(ErrorKind::TypeMismatch);
        }
    }
    // At least one digit: more than the point after the sign.
    if (end - first <= (point ? 1 : 0)) {
        throw EngineError(ErrorKind::TypeMismatch);
    }
    return d;
}

} // namespace

namespace {

constexpr double ExactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                       1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                       1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// A short ungrouped entry, as nearly every typed one is, in one pass: fifteen characters
// hold fewer than 2^53, so its digits are an exact integer. None when the text is longer,
// grouped or not a plain number (the general way decides).
struct PlainDecimal {
    std::uint64_t Mantissa = 0;
    int Fraction = 0; // digits after the point
    bool Negative = false;
};

// Inlined where it is read: a few numbers on every sheet row, each else a call and a frame.
[[gnu::always_inline]] inline std::optional<PlainDecimal> ShortPlainDecimal(std::string_view text) {
    if (text.size() > 15) {
        return std::nullopt;
    }
    PlainDecimal d;
    const char* c = text.data();
    const char* const end = c + text.size();
    if (c != end && (*c == '+' || *c == '-')) {
        d.Negative = *c++ == '-';
    }
    const char* const first = c;
    const char* point = nullptr;
    for (; c != end; ++c) {
        const auto digit = static_cast<unsigned>(*c - '0');
        if (digit <= 9) {
            d.Mantissa = d.Mantissa * 10 + digit;
        } else if (*c == '.' && point == nullptr) {
            point = c;
        } else {
            return std::nullopt;
        }
    }
    if (end - first <= (point != nullptr ? 1 : 0)) {
        return std::nullopt; // no digit
    }
    d.Fraction = point != nullptr ? static_cast<int>(end - point - 1) : 0;
    return d;
}

} // namespace

std::optional<double> ReadPlainNumber(std::string_view text) {
    const std::optional<PlainDecimal> d = ShortPlainDecimal(text);
    if (!d) {
        return std::nullopt;
    }
    // One correctly rounded division, the double the general conversion gives.
    const double value = static_cast<double>(d->Mantissa) / ExactPowersOfTen[d->Fraction];
    return d->Negative ? -value : value;
}

double ParseNumberText(std::string_view text) {
    if (const std::optional<double> value = ReadPlainNumber(text)) {
        return *value;
    }
    std::string storage;
    const std::string_view plain = Ungrouped(text, storage);
    const Digits d = ScanDigits(plain);
    // An integer below 2^53 divided by an exact power of ten is one correctly rounded
    // operation, the same double the general conversion gives; most entries are such.
    if (d.ExactMantissa && d.Mantissa <= (std::uint64_t{1} << 53) && d.FractionDigits <= 22) {
        const double value = static_cast<double>(d.Mantissa) / ExactPowersOfTen[d.FractionDigits];
        return d.Negative ? -value : value;
    }

    double value = 0.0;
    bool outOfRange = false;
    const bool read = ReadFloat(plain.substr(d.Start), value, outOfRange);
    if (outOfRange) {
        // Too large is an overflow; too small to represent underflows quietly to zero.
        if (d.NonZeroBeforePoint) {
            throw EngineError(ErrorKind::Overflow);
        }
        value = 0.0;
    } else if (!read || !std::isfinite(value)) {
        throw EngineError(ErrorKind::TypeMismatch);
    }
    return d.Negative ? -value : value;
}

namespace {

// The sum in whole units of its finest place, while it fits a 64-bit integer (as it does
// for every entry a field takes): exact, without the general way's digit strings.
std::optional<int> SignOfSmallSum(std::initializer_list<WrittenTerm> terms) {
    constexpr std::size_t most = 8;
    if (terms.size() > most) {
        return std::nullopt;
    }
    long long factors[most];
    PlainDecimal read[most];
    int finest = 0;
    std::size_t n = 0;
    for (const WrittenTerm& term : terms) {
        const std::optional<PlainDecimal> d = ShortPlainDecimal(term.Text);
        if (!d) {
            return std::nullopt; // grouped, long, or for ScanDigits to refuse
        }
        finest = std::max(finest, d->Fraction);
        factors[n] = d->Negative ? -term.Factor : term.Factor;
        read[n++] = *d;
    }
    long long sum = 0;
    for (std::size_t i = 0; i < n; ++i) {
        long long scaled = static_cast<long long>(read[i].Mantissa);
        for (int k = read[i].Fraction; k < finest; ++k) {
            if (__builtin_mul_overflow(scaled, 10LL, &scaled)) {
                return std::nullopt;
            }
        }
        long long term = 0;
        if (__builtin_mul_overflow(scaled, factors[i], &term) ||
            __builtin_add_overflow(sum, term, &sum)) {
            return std::nullopt;
        }
    }
    return sum > 0 ? 1 : sum < 0 ? -1 : 0;
}

} // namespace

int SignOfWrittenSum(std::initializer_list<WrittenTerm> terms) {
    if (const std::optional<int> sign = SignOfSmallSum(terms)) {
        return *sign;
    }
    // The digits of each text by place, least significant first, all aligned on the point.
    struct Placed {
        int Factor;
        std::string Plain;
        std::size_t Point; // digits before it
    };
    std::vector<Placed> placed;
    std::size_t fraction = 0;
    std::size_t whole = 0;
    for (const WrittenTerm& term : terms) {
        std::string storage;
        const std::string_view plain = Ungrouped(term.Text, storage);
        const Digits d = ScanDigits(plain); // refuses what is not a number text
        std::string digits(plain.substr(d.Start));
        const std::size_t point = std::min(digits.find('.'), digits.size());
        if (point < digits.size()) {
            digits.erase(point, 1);
        }
        fraction = std::max(fraction, digits.size() - point);
        whole = std::max(whole, point);
        placed.push_back({d.Negative ? -term.Factor : term.Factor, std::move(digits), point});
    }
    std::vector<long long> sum(fraction + whole, 0);
    for (const Placed& p : placed) {
        // Digit i (from the left) has the place whole - p.Point + i counted from the top.
        for (std::size_t i = 0; i < p.Plain.size(); ++i) {
            const std::size_t fromTop = whole - p.Point + i;
            sum[sum.size() - 1 - fromTop] += p.Factor * static_cast<long long>(p.Plain[i] - '0');
        }
    }
    // Carried upwards, every place ends as a digit 0..9 and what is left over says the sign:
    // below 0 it outweighs every digit beneath it.
    long long carry = 0;
    bool anyDigit = false;
    for (long long& place : sum) {
        const long long value = place + carry;
        const long long digit = ((value % 10) + 10) % 10;
        carry = (value - digit) / 10;
        anyDigit = anyDigit || digit != 0;
    }
    if (carry != 0) {
        return carry < 0 ? -1 : 1;
    }
    return anyDigit ? 1 : 0;
}

std::string DefaultNumberText(double value) {
    if (value == 0.0) {
        return "0";
    }
    // A whole number of at most 15 digits prints as its digits; the integer conversion is
    // far cheaper than the general one with a precision.
    if (std::fabs(value) < 1e15 && std::trunc(value) == value) {
        std::array<char, 24> buffer{};
        const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(),
                                          static_cast<long long>(value));
        return std::string(buffer.data(), result.ptr);
    }
    // The nearest double to a decimal of at most three places and 15 digits (an inch
    // spacing cut to its thousandths) prints as that decimal at 15 digits: its error is
    // below half of the 15th digit.
    const double thousandths = std::nearbyint(value * 1000);
    if (std::fabs(thousandths) < 1e15 && thousandths / 1000 == value) {
        auto units = static_cast<unsigned long long>(std::fabs(thousandths));
        std::array<char, 24> text{};
        char* const end = text.data() + text.size();
        char* p = end;
        bool digits = false; // a fraction digit written: zeros after the last are not
        for (int k = 0; k < 3; ++k, units /= 10) {
            const auto digit = static_cast<char>('0' + units % 10);
            if (digits || digit != '0') {
                *--p = digit;
                digits = true;
            }
        }
        *--p = '.';
        do {
            *--p = static_cast<char>('0' + units % 10);
            units /= 10;
        } while (units > 0);
        if (value < 0) {
            *--p = '-';
        }
        return std::string(p, end);
    }
    return GeneralText15(value);
}

namespace {

// The fixed-point digits of `value` with `decimals` places, as to_chars writes them. While
// the scaled value stays below 1e8 its product carries an error under 1e-8, so unless it
// lies near a halfway point its rounding is the rounding of the exact value, and printing
// an integer is much cheaper than the general fixed-point conversion.
std::string FixedDigits(double value, int decimals) {
    constexpr double powers[] = {1, 10, 100, 1000};
    const double scaled = decimals >= 0 && decimals <= 3 ? value * powers[decimals] : 1e300;
    if (std::fabs(scaled) < 1e8) {
        const double rounded = std::nearbyint(scaled);
        if (std::fabs(std::fabs(scaled - rounded) - 0.5) > 1e-6) {
            const long long units = static_cast<long long>(rounded);
            std::array<char, 32> buffer{};
            auto r = std::to_chars(buffer.data(), buffer.data() + buffer.size(),
                                   units < 0 ? -units : units);
            std::string digits(buffer.data(), r.ptr);
            if (decimals > 0) {
                if (digits.size() <= static_cast<std::size_t>(decimals)) {
                    digits.insert(0, static_cast<std::size_t>(decimals) + 1 - digits.size(), '0');
                }
                digits.insert(digits.size() - static_cast<std::size_t>(decimals), 1, '.');
            }
            if (units < 0 || (units == 0 && std::signbit(value))) {
                digits.insert(0, 1, '-');
            }
            return digits;
        }
    }
    return FixedText(value, decimals);
}

} // namespace

std::string FormatGroupedFixed(double value, int decimals) {
    // The usual result, a few thousand at most and away from a halfway point, written digit
    // by digit from its right end; the rest as to_chars writes them.
    if (decimals >= 0 && decimals <= 3 && value >= 0) {
        constexpr double powers[] = {1, 10, 100, 1000};
        const double scaled = value * powers[decimals];
        const double rounded = std::nearbyint(scaled);
        if (scaled < 1e8 && std::fabs(std::fabs(scaled - rounded) - 0.5) > 1e-6) {
            auto units = static_cast<unsigned long long>(rounded);
            std::array<char, 32> text{};
            char* const end = text.data() + text.size();
            char* p = end;
            for (int k = 0; k < decimals; ++k, units /= 10) {
                *--p = static_cast<char>('0' + units % 10);
            }
            if (decimals > 0) {
                *--p = '.';
            }
            for (int n = 0; n == 0 || units > 0; ++n, units /= 10) {
                if (n > 0 && n % 3 == 0) {
                    *--p = ',';
                }
                *--p = static_cast<char>('0' + units % 10);
            }
            return std::string(p, end);
        }
    }
    std::string digits = FixedDigits(value, decimals);

    bool negative = false;
    if (!digits.empty() && digits[0] == '-') {
        negative = digits.find_first_not_of("-0.") != std::string::npos;
        digits.erase(0, 1);
    }
    const std::size_t point = digits.find('.');
    const std::size_t integerDigits = point == std::string::npos ? digits.size() : point;

    std::string out;
    out.reserve(digits.size() + integerDigits / 3 + 1);
    if (negative) {
        out.push_back('-');
    }
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && i < integerDigits && (integerDigits - i) % 3 == 0) {
            out.push_back(',');
        }
        out.push_back(digits[i]);
    }
    return out;
}

} // namespace Quillmere
