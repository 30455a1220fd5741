#pragma once

// The two languages of the catalogue, the window's and every record's: Japanese at a text's
// id, English at the id + 5000.

#include <cstdint>

namespace Quillmere {

enum class Language : std::uint8_t { Japanese, English };

constexpr Language OtherLanguage(Language lang) {
    return lang == Language::Japanese ? Language::English : Language::Japanese;
}

} // namespace Quillmere
