#include "TextFold.h"

#include "AsciiCase.h"
#include "FieldCheck.h"

namespace Quillmere {
namespace {

// U+FF61 to U+FF9D in full width, in order.
constexpr std::u16string_view HalfWidthKana =
    u"。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホ"
    u"マミムメモヤユヨラリルレロワン";
static_assert(HalfWidthKana.size() == 0xFF9D - 0xFF61 + 1);

bool InRowOfHa(char32_t c) {
    return c >= U'ハ' && c <= U'ホ' && (c - U'ハ') % 3 == 0;
}

// The kana that the voiced sound mark (ﾞ) turns into its voiced form: one code point on,
// ウ into ヴ.
bool Voices(char32_t c) {
    return (c >= U'カ' && c <= U'チ' && (c - U'カ') % 2 == 0) || c == U'ツ' || c == U'テ' ||
           c == U'ト' || c == U'ウ' || InRowOfHa(c);
}

} // namespace

std::string FoldedName(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    char32_t last = 0; // the kana just folded, which a sound mark may still change
    std::size_t lastAt = 0;
    while (!text.empty()) {
        auto [c, n] = Utf8CodePoint(text);
        if (n == 0) {
            out += text.front();
            text.remove_prefix(1);
            last = 0;
            continue;
        }
        text.remove_prefix(n);
        if (c == U'ﾞ' && Voices(last)) {
            c = last == U'ウ' ? U'ヴ' : last + 1;
            out.resize(lastAt);
        } else if (c == U'ﾟ' && InRowOfHa(last)) {
            c = last + 2;
            out.resize(lastAt);
        } else if (c == U'ﾞ' || c == U'ﾟ') {
            c = c == U'ﾞ' ? U'゛' : U'゜';
        } else if (c == 0x3000) {
            c = ' ';
        } else if ((c >= 0x2010 && c <= 0x2015) || c == 0x2212) { // hyphens, dashes, minus
            c = '-';
        } else if (c >= 0xFF01 && c <= 0xFF5E) {
            c -= 0xFEE0;
        } else if (c >= 0xFF61 && c <= 0xFF9D) {
            c = HalfWidthKana[c - 0xFF61];
        }
        if (c < 0x80) {
            c = static_cast<unsigned char>(AsciiUpper(static_cast<char>(c)));
        }
        last = c;
        lastAt = out.size();
        AppendUtf8(out, c);
    }
    return out;
}

} // namespace Quillmere
