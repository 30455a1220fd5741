#pragma once

// The names of a run's settings, as the command lines, sheet cells and the jobs file write
// them: one reading for all of them.

#include "catalogue/Language.h"
#include "engine/UnitSystem.h"

#include <optional>
#include <string_view>

namespace Quillmere {

// "metric", "mm" or "0"; "imperial", "inch" or "1": in any case, blanks around. None for
// any other name, an empty one included (the caller knows its default).
std::optional<UnitSystem> UnitSystemNamed(std::string_view name);
// "ja" or "0"; "en" or "1", as UnitSystemNamed.
std::optional<Language> LanguageNamed(std::string_view name);

// The names written for them: "metric", "imperial"; "ja", "en".
constexpr std::string_view UnitSystemName(UnitSystem units) {
    return units == UnitSystem::Metric ? "metric" : "imperial";
}
constexpr std::string_view LanguageCode(Language lang) {
    return lang == Language::Japanese ? "ja" : "en";
}

} // namespace Quillmere
