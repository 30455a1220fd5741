#include "FieldMessages.h"

#include "Catalogue.h"
#include "ModCommonProc.h"
#include "NumberText.h"

#include <array>
#include <string>

namespace QuillmereUi {

using namespace Quillmere;

std::int16_t LeaveFieldMessageId(std::u16string_view text, InputField field,
                                 std::int16_t unitFlag) {
    const std::int32_t length = static_cast<std::int32_t>(text.size());
    const std::int32_t verdict = ModCommonProc::IsNumericText(text, length);
    if (verdict < 0) {
        return NotANumberMessage;
    }
    if (verdict == 1) {
        return 0; // an empty field is accepted
    }
    // Only allowed characters are left, so the text is ASCII.
    const std::string ascii(text.begin(), text.end());
    const FieldRule rule = RuleOf(field);
    // The limit texts are constants; read them once per unit system.
    static const auto readLimits = [](std::int16_t flag) {
        std::array<double, 10> values{};
        const RangeLimitsSet texts = SubGetUnitRange(flag);
        for (std::size_t i = 0; i < texts.size(); ++i) {
            values[i] = ParseNumberText(texts[i]);
        }
        return values;
    };
    static const std::array<double, 10> metric = readLimits(0);
    static const std::array<double, 10> imperial = readLimits(1);
    const std::array<double, 10>& limits = unitFlag == 0 ? metric : imperial;
    try {
        const double value = ParseNumberText(ascii);
        const double lower = limits[static_cast<std::size_t>(rule.LowerIndex)];
        const double upper = limits[static_cast<std::size_t>(rule.UpperIndex)];
        return lower <= value && value <= upper ? 0 : OutOfRangeMessage;
    } catch (const EngineError&) {
        // Allowed characters that make no number ("+", "1-2", "--5") are not a number either.
        return NotANumberMessage;
    }
}

std::int16_t ErrorMessageId(const EngineError& error) {
    namespace E = Catalogue::ErrorText;
    const bool refraction =
        error.kind() == ErrorKind::InvalidArgument || error.kind() == ErrorKind::DivisionByZero;
    if (refraction) {
        switch (error.medium()) {
        case Medium::Wall:
            return E::WallRefraction;
        case Medium::Lining:
            return E::LiningRefraction;
        case Medium::Fluid:
            return E::FluidRefraction;
        case Medium::None:
            break;
        }
    }
    switch (error.kind()) {
    case ErrorKind::TypeMismatch:
        return E::TypeMismatch;
    case ErrorKind::SubscriptOutOfRange:
        return E::SubscriptOutOfRange;
    case ErrorKind::InvalidArgument:
        return E::InvalidArgument;
    case ErrorKind::DivisionByZero:
        return E::DivisionByZero;
    case ErrorKind::Overflow:
        return E::Overflow;
    }
    return E::Unexpected;
}

} // namespace QuillmereUi
