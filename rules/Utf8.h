#pragma once

// UTF-8 read and written by hand: the program's texts travel as UTF-8 between the layers,
// and the window's fields hold UTF-16.

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

namespace Quillmere {

// The length of the well-formed UTF-8 sequence at the start of `text` (no overlong forms,
// surrogates or code points past U+10FFFF), or 0 when there is none.
std::size_t Utf8SequenceLength(std::string_view text);

// The code point at the start of `text`, with its length in bytes; the length is 0 when
// the text does not start with a well-formed sequence.
std::pair<char32_t, std::size_t> Utf8CodePoint(std::string_view text);

// Whether every byte of `text` belongs to a well-formed sequence.
bool IsUtf8(std::string_view text);

// `c` written in UTF-8 at the end of `out`.
void AppendUtf8(std::string& out, char32_t c);

// UTF-8 text as the window's fields hold it, in UTF-16; each byte of a broken sequence
// becomes U+FFFD. For front ends whose texts arrive as UTF-8 (the command line, the page).
std::u16string Utf16FromUtf8(std::string_view utf8);

} // namespace Quillmere
