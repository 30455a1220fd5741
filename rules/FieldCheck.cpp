#include "FieldCheck.h"

#include "CatalogueIds.h"
#include "EngineError.h"
#include "NumberText.h"

#include <array>
#include <string>

namespace Quillmere {

std::int32_t IsNumericText(std::u16string_view text, const std::int32_t& length) {
    if (length <= 0) {
        return 1;
    }
    if (length == 1 && (text == u"," || text == u"." || text == u"-")) {
        return -1;
    }
    for (std::int32_t i = 0; i < length; ++i) {
        if (static_cast<std::size_t>(i) >= text.size()) {
            return -1;
        }
        const char16_t c = text[static_cast<std::size_t>(i)];
        const bool allowed = (c >= u'0' && c <= u'9') || c == u',' || c == u'.' || c == u'-' ||
                             c == u'+';
        if (!allowed) {
            return -1;
        }
    }
    return 0;
}

std::int16_t LeaveFieldMessageId(std::u16string_view text, InputField field,
                                 std::int16_t unitFlag) {
    const std::int32_t length = static_cast<std::int32_t>(text.size());
    const std::int32_t verdict = IsNumericText(text, length);
    if (verdict < 0) {
        return Catalogue::Id::NotANumber;
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
        return lower <= value && value <= upper ? 0 : Catalogue::Id::OutOfRange;
    } catch (const EngineError&) {
        // Allowed characters that make no number ("+", "1-2", "--5") are not a number either.
        return Catalogue::Id::NotANumber;
    }
}

std::int16_t CaptionId(InputField field) {
    switch (field) {
    case InputField::OuterDiameter:
        return Catalogue::Id::OuterDiameter;
    case InputField::PipeVelocity:
        return Catalogue::Id::PipeVelocity;
    case InputField::WallThickness:
        return Catalogue::Id::WallThickness;
    case InputField::LiningVelocity:
        return Catalogue::Id::LiningVelocity;
    case InputField::LiningThickness:
        return Catalogue::Id::LiningThickness;
    case InputField::FluidVelocity:
        return Catalogue::Id::FluidVelocity;
    }
    throw EngineError(ErrorKind::SubscriptOutOfRange);
}

std::u16string Utf16FromUtf8(std::string_view utf8) {
    std::u16string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const int extra = lead < 0x80 ? 0 : (lead >> 5) == 0x6 ? 1 : (lead >> 4) == 0xE ? 2 : (lead >> 3) == 0x1E ? 3 : -1;
        char32_t cp = extra == 0 ? lead : extra == 1 ? lead & 0x1F : extra == 2 ? lead & 0x0F : lead & 0x07;
        bool ok = extra >= 0 && i + static_cast<std::size_t>(extra) < utf8.size() + (extra == 0 ? 1 : 0);
        for (int k = 1; ok && k <= extra; ++k) {
            const auto c = static_cast<unsigned char>(utf8[i + static_cast<std::size_t>(k)]);
            ok = (c & 0xC0) == 0x80;
            cp = (cp << 6) | (c & 0x3F);
        }
        if (!ok) {
            out.push_back(u'\uFFFD');
            ++i;
            continue;
        }
        i += static_cast<std::size_t>(extra) + 1;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(cp));
        }
    }
    return out;
}

} // namespace Quillmere
