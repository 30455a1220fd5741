#pragma once

// Names as people type them. A Japanese input method writes "ゴム" where the window's list
// says "ｺﾞﾑ", and "ＳＧＰ　１００Ａ" for "SGP 100A"; both mean the same entry.

#include <string>
#include <string_view>

namespace Quillmere {

// `text` in one form for comparing names: full-width ASCII and the ideographic space as
// ASCII, hyphens, dashes and the minus sign as "-", half-width katakana (with their sound
// marks) as full-width, ASCII letters in upper case. Bytes that are not UTF-8 stay as
// they are.
std::string FoldedName(std::string_view text);

} // namespace Quillmere
