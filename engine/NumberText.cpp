#include "NumberText.h"

#include "EngineError.h"

#include <array>
#include <charconv>
#include <cmath>

namespace Quillmere {

double ParseNumberText(std::string_view text) {
    std::string plain;
    plain.reserve(text.size());
    for (char c : text) {
        if (c != ',') {
            plain.push_back(c);
        }
    }

    std::size_t start = 0;
    bool negative = false;
    if (!plain.empty() && (plain[0] == '+' || plain[0] == '-')) {
        negative = plain[0] == '-';
        start = 1;
    }
    bool seenPoint = false;
    bool seenDigit = false;
    bool nonZeroBeforePoint = false;
    for (std::size_t i = start; i < plain.size(); ++i) {
        const char c = plain[i];
        if (c >= '0' && c <= '9') {
            seenDigit = true;
            if (!seenPoint && c != '0') {
                nonZeroBeforePoint = true;
            }
        } else if (c == '.' && !seenPoint) {
            seenPoint = true;
        } else {
            throw EngineError(ErrorKind::TypeMismatch);
        }
    }
    if (!seenDigit) {
        throw EngineError(ErrorKind::TypeMismatch);
    }

    double value = 0.0;
    const char* first = plain.data() + start;
    const char* last = plain.data() + plain.size();
    const auto [ptr, ec] = std::from_chars(first, last, value, std::chars_format::fixed);
    if (ec == std::errc::result_out_of_range) {
        // Too large is an overflow; too small to represent underflows quietly to zero.
        if (nonZeroBeforePoint) {
            throw EngineError(ErrorKind::Overflow);
        }
        value = 0.0;
    } else if (ec != std::errc() || ptr != last || !std::isfinite(value)) {
        throw EngineError(ErrorKind::TypeMismatch);
    }
    return negative ? -value : value;
}

std::string DefaultNumberText(double value) {
    if (value == 0.0) {
        return "0";
    }
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::general, 15);
    return std::string(buffer.data(), result.ptr);
}

std::string FormatGroupedFixed(double value, int decimals) {
    std::array<char, 400> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::fixed, decimals);
    std::string digits(buffer.data(), result.ptr);

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
