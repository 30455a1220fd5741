#include "FieldMessages.h"

#include "Catalogue.h"
#include "ModCommonProc.h"
#include "NumberText.h"

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
    const RangeLimitsSet limits = SubGetUnitRange(unitFlag);
    try {
        const double value = ParseNumberText(ascii);
        const double lower = ParseNumberText(limits[static_cast<std::size_t>(rule.LowerIndex)]);
        const double upper = ParseNumberText(limits[static_cast<std::size_t>(rule.UpperIndex)]);
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
