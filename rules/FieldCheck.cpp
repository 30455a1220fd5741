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
std::pair<double, double> LimitValues(InputField field, std::int16_t unitFlag) {
    static const auto read = [](std::int16_t flag) {
        std::array<std::pair<double, double>, Fields.size()> values{};
        for (const FieldRecord& f : Fields) {
            const FieldLimits& limits = LimitsOf(f.Field, flag);
            values[static_cast<std::size_t>(f.Field)] = {ParseNumberText(limits.Lower),
                                                         ParseNumberText(limits.Upper)};
        }
        return values;
    };
    static const auto metric = read(0);
    static const auto imperial = read(1);
    return (unitFlag == 0 ? metric : imperial)[static_cast<std::size_t>(field)];
}

} // namespace

namespace {

// The verdict on a text whose characters the check has let through: ASCII only.
std::int16_t NumberVerdict(std::string_view ascii, InputField field, std::int16_t unitFlag) {
    if (HasMisplacedComma(ascii)) {
        // "114,3" is a decimal comma: read as a grouping it would be 1143, a wrong pipe.
        return Catalogue::ErrorText::MisplacedComma;
    }
    try {
        const double value = ParseNumberText(ascii);
        const auto [lower, upper] = LimitValues(field, unitFlag);
        return lower <= value && value <= upper ? 0 : Catalogue::Id::OutOfRange;
    } catch (const EngineError&) {
        // Allowed characters that make no number ("+", "1-2", "--5") are not a number either.
        return Catalogue::Id::NotANumber;
    }
}

} // namespace

std::int16_t LeaveFieldMessageId(std::u16string_view text, InputField field,
                                 std::int16_t unitFlag) {
    const std::int32_t verdict = IsNumericText(text, static_cast<std::int32_t>(text.size()));
    if (verdict < 0) {
        return Catalogue::Id::NotANumber;
    }
    if (verdict == 1) {
        return 0; // an empty field is accepted
    }
    return NumberVerdict(std::string(text.begin(), text.end()), field, unitFlag);
}

std::int16_t LeaveFieldMessageId(std::string_view text, InputField field, std::int16_t unitFlag) {
    // Nearly every entry is a short plain number: read once, it only needs its range.
    if (const std::optional<double> value = ReadPlainNumber(text)) {
        const auto [lower, upper] = LimitValues(field, unitFlag);
        return lower <= *value && *value <= upper ? 0 : Catalogue::Id::OutOfRange;
    }
    const std::int32_t verdict = IsNumericText(text, static_cast<std::int32_t>(text.size()));
    if (verdict < 0) {
        return Catalogue::Id::NotANumber;
    }
    return verdict == 1 ? 0 : NumberVerdict(text, field, unitFlag);
}

} // namespace Quillmere
