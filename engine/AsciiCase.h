#pragma once

// Case of the letters A-Z only. Keys, options, list names and standards are compared
// without regard to case; other bytes (a UTF-8 Japanese name) stay as they are, whatever
// the C library's locale says.

#include <string>
#include <string_view>

namespace Quillmere {

constexpr char AsciiUpper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}
constexpr char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

inline std::string AsciiUpper(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        c = AsciiUpper(c);
    }
    return out;
}

constexpr bool SameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (AsciiUpper(a[i]) != AsciiUpper(b[i])) {
            return false;
        }
    }
    return true;
}

static_assert(SameIgnoringCase("Sch40s", "SCH40S") &&
              !SameIgnoringCase("\xe3\x81\x82", "\xe3\x81\x83"));

} // namespace Quillmere
