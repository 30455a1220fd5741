#pragma once

// The leave-field check of the six numeric fields, the same in every front end: which
// characters may stand in a number, and whether a text is accepted in a field.

#include "UnitSystem.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

namespace Quillmere {

// 1 for an empty text (length <= 0), 0 when every character may belong to a number
// (ASCII digits , . - +), -1 otherwise; a lone ",", "." or "-" is -1. A length beyond the
// text is not trusted (-1).
std::int32_t IsNumericText(std::u16string_view text, const std::int32_t& length);

// 0 when the leave-field check accepts `text` (empty, or a number within the field's limits
// in the unit system), else the catalogue id of its message (not a number, a comma that
// groups no thousands, out of range).
std::int16_t LeaveFieldMessageId(std::u16string_view text, InputField field,
                                 std::int16_t unitFlag);

// The length of the well-formed UTF-8 sequence at the start of `text` (no overlong forms,
// surrogates or code points past U+10FFFF), or 0 when there is none.
std::size_t Utf8SequenceLength(std::string_view text);

// The code point at the start of `text`, with its length in bytes; the length is 0 when
// the text does not start with a well-formed sequence.
std::pair<char32_t, std::size_t> Utf8CodePoint(std::string_view text);

// `c` written in UTF-8 at the end of `out`.
void AppendUtf8(std::string& out, char32_t c);

// UTF-8 text as the window's fields hold it, in UTF-16; each byte of a broken sequence
// becomes U+FFFD. For front ends whose texts arrive as UTF-8 (the command line, the page).
std::u16string Utf16FromUtf8(std::string_view utf8);

// The catalogue id of the caption of a field's row ("OUTER DIAMETER", ...).
std::int16_t CaptionId(InputField field);

} // namespace Quillmere
