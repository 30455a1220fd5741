#include "rules/RunNames.h"

#include "engine/AsciiCase.h"
#include "rules/TextFold.h"

namespace Quillmere {

std::optional<UnitSystem> UnitSystemNamed(std::string_view name) {
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
