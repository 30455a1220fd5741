#include "rules/TextFold.h"

#include "engine/AsciiCase.h"
#include "rules/Utf8.h"

#include <algorithm>
#include <limits>

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

// A name as compared for a slip of the keys: its letters, digits and other scripts.
std::u32string SlipKey(std::string_view text) {
    const std::string folded = FoldedName(text);
    std::u32string key;
    for (std::string_view rest = folded; !rest.empty();) {
        auto [c, n] = Utf8CodePoint(rest);
        if (n == 0) {
            c = static_cast<unsigned char>(rest.front());
            n = 1;
        }
        rest.remove_prefix(n);
        if (c >= 0x80 || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z')) {
            key += c;
        }
    }
    return key;
}

// Edits (a letter added, left out, changed, or two swapped) from `a` to `b`.
std::size_t Edits(const std::u32string& a, const std::u32string& b) {
    std::vector<std::vector<std::size_t>> d(a.size() + 1, std::vector<std::size_t>(b.size() + 1));
    for (std::size_t i = 0; i <= a.size(); ++i) {
        d[i][0] = i;
    }
    for (std::size_t j = 0; j <= b.size(); ++j) {
        d[0][j] = j;
    }
    for (std::size_t i = 1; i <= a.size(); ++i) {
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t changed = a[i - 1] == b[j - 1] ? 0 : 1;
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + changed});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) {
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
            }
        }
    }
    return d[a.size()][b.size()];
}

} // namespace

std::vector<std::size_t> NearestNames(std::string_view typed,
                                      const std::vector<std::string>& names) {
    const std::u32string key = SlipKey(typed);
    if (key.size() < 2 || names.empty()) {
        return {};
    }
    const std::size_t allowed = std::max<std::size_t>(1, key.size() / 4);
    constexpr std::size_t far = std::numeric_limits<std::size_t>::max();
    std::vector<std::size_t> ranks(names.size(), far);
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::u32string name = SlipKey(names[i]);
        if (name.size() > key.size() && name.compare(0, key.size(), key) == 0) {
            ranks[i] = 1;
        }
        // Two letters only start a name: as a slip they are near to every short name.
        const std::size_t apart =
            std::max(name.size(), key.size()) - std::min(name.size(), key.size());
        if (key.size() >= 3 && apart <= allowed) {
            if (const std::size_t edits = Edits(key, name); edits <= allowed) {
                ranks[i] = std::min(ranks[i], edits);
            }
        }
    }
    const std::size_t best = *std::min_element(ranks.begin(), ranks.end());
    std::vector<std::size_t> nearest;
    for (std::size_t i = 0; i < names.size() && best != far; ++i) {
        if (ranks[i] == best) {
            nearest.push_back(i);
        }
    }
    return nearest;
}

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
