#pragma once

// The bilingual string catalogue compiled into the program: every language-dependent text
// of the window, Japanese at its id and English at id + 5000. Knows nothing of Qt, files
// or settings; the caller passes the run's language offset.

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string_view>

namespace Catalogue {

inline constexpr std::int16_t JapaneseBase = 0;
inline constexpr std::int16_t EnglishBase = 5000;

// Descriptions of calculation failures, ids of our own beside the window's texts.
namespace ErrorText {
inline constexpr std::int16_t TypeMismatch = 4930;
inline constexpr std::int16_t SubscriptOutOfRange = 4931;
inline constexpr std::int16_t WallRefraction = 4932;
inline constexpr std::int16_t LiningRefraction = 4933;
inline constexpr std::int16_t FluidRefraction = 4934;
inline constexpr std::int16_t DivisionByZero = 4935;
inline constexpr std::int16_t Overflow = 4936;
inline constexpr std::int16_t InvalidArgument = 4937;
inline constexpr std::int16_t Unexpected = 4938;
} // namespace ErrorText

// Words of the command-line front end.
namespace CalcText {
inline constexpr std::int16_t UnknownSensorType = 4940;
inline constexpr std::int16_t UnknownPipeMaterial = 4941;
inline constexpr std::int16_t UnknownLiningMaterial = 4942;
inline constexpr std::int16_t UnknownFluid = 4943;
inline constexpr std::int16_t UnknownMountMethod = 4944;
inline constexpr std::int16_t Circumferential = 4945;
inline constexpr std::int16_t RowLength = 4946;
inline constexpr std::int16_t TooLong = 4947;
} // namespace CalcText

// The entry stored under exactly this id, if there is one (UTF-8).
std::optional<std::string_view> Find(int id);

// The text of `id` in the language of `stringBase`: the entry id + stringBase, added as
// a 16-bit signed sum. A sum above 32767 throws std::overflow_error; an id the
// catalogue lacks throws std::out_of_range.
std::string_view Text(std::int16_t id, std::int16_t stringBase);

} // namespace Catalogue
