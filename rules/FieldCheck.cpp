#include "rules/FieldCheck.h"

#include "catalogue/CatalogueIds.h"
#include "engine/EngineError.h"
#include "engine/NumberText.h"
#include "rules/Fields.h"

#include <array>
#include <string>
#include <utility>

namespace Quillmere {
namespace {

// The limit texts are constants: each is read once, as a typed value is read.
using Limits = std::array<std::array<std::pair<double, double>, Fields.size()>, 2>;
[[gnu::noinline]] Limits ReadLimits() {
    Limits both{};
    for (const UnitSystem system : {UnitSystem::Metric, UnitSystem::Imperial}) {
        for (const FieldRecord& f : Fields) {
            const FieldLimits& limits = LimitsOf(f.Field, system);
            both[system == UnitSystem::Metric ? 0 : 1][static_cast<std::size_t>(f.Field)] = {
                ParseNumberText(limits.Lower), ParseNumberText(limits.Upper)};
        }
    }
    return both;
}

// Inlined into every field's check, its table read apart: the look is then a load.
[[gnu::always_inline]] inline std::pair<double, double> LimitValues(InputField field,
                                                                    UnitSystem units) {
    static const Limits values = ReadLimits();
    return values[units == UnitSystem::Metric ? 0 : 1][static_cast<std::size_t>(field)];
}

} // namespace

namespace {

// The verdict on a text whose characters the check has let through: ASCII only.
std::int16_t NumberVerdict(std::string_view ascii, InputField field, UnitSystem units) {
    if (HasMisplacedComma(ascii)) {
        // "114,3" is a decimal comma: read as a grouping it would be 1143, a wrong pipe.
        return Catalogue::ErrorText::MisplacedComma;
    }
    try {
        const double value = ParseNumberText(ascii);
        const auto [lower, upper] = LimitValues(field, units);
        return lower <= value && value <= upper ? 0 : Catalogue::Id::OutOfRange;
    } catch (const EngineError&) {
        // Allowed characters that make no number ("+", "1-2", "--5") are not a number either.
        return Catalogue::Id::NotANumber;
    }
}

} // namespace

std::int16_t LeaveFieldMessageId(std::u16string_view text, InputField field, UnitSystem units) {
    const std::int32_t verdict = IsNumericText(text, static_cast<std::int32_t>(text.size()));
    if (verdict < 0) {
        return Catalogue::Id::NotANumber;
    }
    if (verdict == 1) {
        return 0; // an empty field is accepted
    }
    return NumberVerdict(std::string(text.begin(), text.end()), field, units);
}

std::int16_t LeaveFieldMessageId(std::string_view text, InputField field, UnitSystem units,
                                 std::optional<double>* read) {
    // Nearly every entry is a short plain number: read once, it only needs its range.
    if (const std::optional<double> value = ReadPlainNumber(text)) {
        const auto [lower, upper] = LimitValues(field, units);
        if (lower <= *value && *value <= upper) {
            if (read != nullptr) {
                *read = value;
            }
            return 0;
        }
        return Catalogue::Id::OutOfRange;
    }
    const std::int32_t verdict = IsNumericText(text, static_cast<std::int32_t>(text.size()));
    if (verdict < 0) {
        return Catalogue::Id::NotANumber;
    }
    return verdict == 1 ? 0 : NumberVerdict(text, field, units);
}

} // namespace Quillmere
