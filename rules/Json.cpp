#include "rules/Json.h"

#include "engine/FloatText.h"
#include "rules/Utf8.h"

#include <array>
#include <cmath>

#if !defined(__EMSCRIPTEN__)
#include <nlohmann/detail/conversions/to_chars.hpp>
#endif

namespace Quillmere {

std::string JsonString(std::string_view text) {
    std::string out = "\"";
    out.reserve(text.size() + 2);
    while (!text.empty()) {
        const unsigned char c = static_cast<unsigned char>(text.front());
        if (c >= 0x80) {
            const std::size_t length = Utf8SequenceLength(text);
            out += length == 0 ? std::string_view("\xEF\xBF\xBD") : text.substr(0, length);
            text.remove_prefix(length == 0 ? 1 : length);
            continue;
        }
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\b':
            out += "\\b";
            break;
        case '\f':
            out += "\\f";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (c < 0x20) {
                constexpr char hex[] = "0123456789abcdef";
                out += "\\u00";
                out += hex[c >> 4];
                out += hex[c & 0xf];
            } else {
                out += static_cast<char>(c);
            }
        }
        text.remove_prefix(1);
    }
    return out + "\"";
}

#if defined(__EMSCRIPTEN__)

std::string JsonNumber(double value) {
    if (!std::isfinite(value)) {
        return "null";
    }
    std::string out = std::signbit(value) ? "-" : "";
    value = std::fabs(value);
    if (value == 0) {
        return out + "0.0";
    }
    // The shortest digits that read back as the value, and where the point goes: plain
    // from 1e-4 up to 15 digits before the point, else with an exponent of two digits at
    // least ("1e-05", "1.5e+20").
    const std::string text = ShortestScientificText(value);
    const std::string_view scientific(text);
    const std::size_t e = scientific.find('e');
    std::string digits(1, scientific[0]);
    if (e > 1) {
        digits += scientific.substr(2, e - 2);
    }
    int exponent = 0;
    const bool negative = scientific[e + 1] == '-';
    for (const char c : scientific.substr(e + 2)) {
        exponent = exponent * 10 + (c - '0');
    }
    exponent = negative ? -exponent : exponent;
    const int k = static_cast<int>(digits.size());
    const int n = exponent + 1; // where the point goes, counted from the first digit
    constexpr int minExp = -4;
    constexpr int maxExp = 15;
    if (k <= n && n <= maxExp) {
        return out + digits + std::string(static_cast<std::size_t>(n - k), '0') + ".0";
    }
    if (0 < n && n <= maxExp) {
        return out + digits.substr(0, static_cast<std::size_t>(n)) + "." +
               digits.substr(static_cast<std::size_t>(n));
    }
    if (minExp < n && n <= 0) {
        return out + "0." + std::string(static_cast<std::size_t>(-n), '0') + digits;
    }
    out += digits.substr(0, 1);
    if (k > 1) {
        out += "." + digits.substr(1);
    }
    const int shown = n - 1;
    out += shown < 0 ? "e-" : "e+";
    const int magnitude = std::abs(shown);
    out += (magnitude < 10 ? "0" : "") + std::to_string(magnitude);
    return out;
}

#else

// Written by the conversion quillmere-calc's JSON has always used, digit for digit, so that
// scripts comparing its output see no change.
std::string JsonNumber(double value) {
    if (!std::isfinite(value)) {
        return "null";
    }
    std::array<char, 64> buffer{};
    char* const end =
        nlohmann::detail::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return std::string(buffer.data(), static_cast<std::size_t>(end - buffer.data()));
}

#endif

JsonObject& JsonObject::Raw(std::string_view key, std::string_view json) {
    if (!body_.empty()) {
        body_ += ',';
    }
    body_ += JsonString(key);
    body_ += ':';
    body_ += json;
    return *this;
}

std::string IndentedJson(std::string_view json, int indent) {
    std::string out;
    out.reserve(json.size() * 2);
    int level = 0;
    const auto newline = [&] {
        out += '\n';
        out.append(static_cast<std::size_t>(level * indent), ' ');
    };
    for (std::size_t i = 0; i < json.size(); ++i) {
        const char c = json[i];
        if (c == '"') {
            const std::size_t start = i;
            for (++i; i < json.size() && json[i] != '"'; ++i) {
                i += json[i] == '\\' ? 1 : 0;
            }
            out.append(json.substr(start, i - start + 1));
        } else if (c == '{' || c == '[') {
            out += c;
            if (i + 1 < json.size() && (json[i + 1] == '}' || json[i + 1] == ']')) {
                out += json[++i];
            } else {
                ++level;
                newline();
            }
        } else if (c == '}' || c == ']') {
            --level;
            newline();
            out += c;
        } else if (c == ',') {
            out += c;
            newline();
        } else if (c == ':') {
            out += ": ";
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace Quillmere
