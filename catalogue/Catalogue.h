#pragma once

// The bilingual string catalogue compiled into the program: every language-dependent text
// of the window, Japanese at its id and English at id + 5000. Knows nothing of Qt, files
// or settings; the caller passes the run's language offset.

#include "catalogue/CatalogueIds.h"
#include "catalogue/Language.h"

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace Catalogue {

using Quillmere::Language;

// English texts are stored at the Japanese one's id + this.
inline constexpr std::int16_t EnglishOffset = 5000;

// The entry stored under exactly this id, if there is one (UTF-8).
std::optional<std::string_view> Find(int id);

// The text of `id` in `lang`: the entry id, or for English id + 5000, added as a 16-bit
// signed sum. A sum above 32767 throws std::overflow_error; an id the catalogue lacks
// throws std::out_of_range.
std::string_view Text(std::int16_t id, Language lang);

// `text` with "%1", "%2" ... replaced by the arguments in order.
std::string Fill(std::string_view text, std::initializer_list<std::string_view> arguments);

} // namespace Catalogue
