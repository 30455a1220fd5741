#pragma once

// What every drawing of the report writes alike: numbers for SVG attributes, independent
// of any locale, and text made safe for SVG (and the page it may end up in).

#include "engine/FloatText.h"

#include <cmath>
#include <string>
#include <string_view>

namespace Quillmere {

// To the hundredth: "12.50".
inline std::string SvgNumber(double v) {
    return FixedText(std::round(v * 100) / 100, 2);
}

inline std::string SvgEscape(std::string_view text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out.push_back(c);
        }
    }
    return out;
}

} // namespace Quillmere
