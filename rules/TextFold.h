#pragma once

// Names as people type them. A Japanese input method writes "ゴム" where the window's list
// says "ｺﾞﾑ", and "ＳＧＰ　１００Ａ" for "SGP 100A"; both mean the same entry.

#include <string>
#include <string_view>
#include <vector>

namespace Quillmere {

// A blank: the space or the tab a value is padded with, in a sheet's cell, an option, an
// INI line or a pipe designation ("SGP 100A").
constexpr bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// `text` without the blanks around it: ", 114.3" is padding, not a value.
constexpr std::string_view Unpadded(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// `text` in one form for comparing names: full-width ASCII and the ideographic space as
// ASCII, hyphens, dashes and the minus sign as "-", half-width katakana (with their sound
// marks) as full-width, ASCII letters in upper case. Bytes that are not UTF-8 stay as
// they are.
std::string FoldedName(std::string_view text);

// The positions in `names` of those a slip of the keys away from `typed`, so that a refusal
// can say which was meant: compared folded, with blanks and ASCII punctuation left out
// ("sea water" is SEAWATER), those the fewest edits away (up to one for every four letters
// typed, and one at least) or that `typed` starts. Two letters are taken only as a start,
// one not at all: every short name is a slip away from them.
std::vector<std::size_t> NearestNames(std::string_view typed,
                                      const std::vector<std::string>& names);

// The texts in order with `separator` between them: "Sch20, Sch40".
template <typename Texts> std::string Joined(const Texts& texts, std::string_view separator) {
    std::string out;
    bool first = true;
    for (const auto& text : texts) {
        if (!first) {
            out += separator;
        }
        out += text;
        first = false;
    }
    return out;
}

} // namespace Quillmere
