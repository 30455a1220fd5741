#include "rules/RunNames.h"

#include "engine/AsciiCase.h"
#include "rules/TextFold.h"

namespace Quillmere {

std::optional<UnitSystem> UnitSystemNamed(std::string_view name) {
    // The names as written here and in most sheets, read on every row before any folding.
    if (name == UnitSystemName(UnitSystem::Metric)) {
        return UnitSystem::Metric;
    }
    if (name == UnitSystemName(UnitSystem::Imperial)) {
        return UnitSystem::Imperial;
    }
    name = Unpadded(name);
    if (SameIgnoringCase(name, "METRIC") || SameIgnoringCase(name, "MM") || name == "0") {
        return UnitSystem::Metric;
    }
    if (SameIgnoringCase(name, "IMPERIAL") || SameIgnoringCase(name, "INCH") || name == "1") {
        return UnitSystem::Imperial;
    }
    return std::nullopt;
}

std::optional<Language> LanguageNamed(std::string_view name) {
    if (name == LanguageCode(Language::Japanese)) {
        return Language::Japanese;
    }
    if (name == LanguageCode(Language::English)) {
        return Language::English;
    }
    name = Unpadded(name);
    if (SameIgnoringCase(name, "JA") || name == "0") {
        return Language::Japanese;
    }
    if (SameIgnoringCase(name, "EN") || name == "1") {
        return Language::English;
    }
    return std::nullopt;
}

} // namespace Quillmere
