#include "catalogue/Catalogue.h"

#include "catalogue/CatalogueEntries.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <limits>
#include <string>

namespace Catalogue {
namespace {

using Detail::Entry;

// The window's own texts. Half-width katakana stay half-width: they are what the window
// shows.
constexpr Entry Entries[] = {
    {1, "ＭＳ ゴシック", "Arial"},
    {790, "ｾﾝｻ取付け法", "SENSOR MOUNT"},
    {800, "ｾﾝｻ種類", "SENSOR TYPE"},
    {1100, "ﾗｲﾆﾝｸﾞ音速", "LINING S.V."},
    {1110, "ﾗｲﾆﾝｸﾞ厚さ", "LINING THICKNESS"},
    {1120, "ﾗｲﾆﾝｸﾞ材質", "LINING MATERIAL"},
    {1240, "外径寸法", "OUTER DIAMETER"},
    {1380, "取付け寸法", "SENSOR SPACING"},
    {1967, "入力", "INPUT"},
    {2050, "配管音速", "PIPE S.V."},
    {2060, "配管材質", "PIPE MATERIAL"},
    {2200, "流体音速", "FLUID S.V."},
    {2210, "流体種類", "KIND OF FLUID"},
    {2760, "炭素鋼", "CARBON STEEL"},
    {2770, "ｽﾃﾝﾚｽ", "STAINLESS STEEL"},
    {2780, "塩化ﾋﾞﾆﾙ", "PVC"},
    {2790, "銅", "COPPER"},
    {2800, "鋳鉄", "CAST IRON"},
    {2810, "ｱﾙﾐﾆｳﾑ", "ALUMINUM"},
    {2820, "FRP", "FRP"},
    {2830, "ﾀﾞｸﾀｲﾙ鋳鉄", "DUCTILE IRON"},
    {2840, "PEEK", "PEEK"},
    {2850, "PVDF", "PVDF"},
    {2860, "ｱｸﾘﾙ", "ACRYLIC"},
    {2861, "PP", "PP"},
    {2880, "配管厚さ", "WALL THICKNESS"},
    {2890, "ﾗｲﾆﾝｸﾞ無し", "NO LINING"},
    {2900, "ﾀｰﾙｴﾎﾟｷｼ", "TAR EPOXY"},
    {2910, "ﾓﾙﾀﾙ", "MORTAR"},
    {2920, "ｺﾞﾑ", "RUBBER"},
    {2930, "ﾃﾌﾛﾝ", "TEFLON"},
    {2940, "ﾊﾟｲﾚｯｸｽｶﾞﾗｽ", "PYREX GLASS"},
    {2950, "水", "WATER"},
    {2960, "海水", "SEAWATER"},
    {2970, "蒸留水", "DIST. WATER"},
    {2980, "ｱﾝﾓﾆｱ", "AMMONIA"},
    {2990, "ｱﾙｺｰﾙ", "ALCOHOL"},
    {3000, "ﾍﾞﾝｾﾞﾝ", "BENZENE"},
    {3010, "ﾌﾞﾘﾏｲﾄﾞ", "BROMIDE"},
    {3020, "ｴﾀﾉｰﾙ", "ETHANOL"},
    {3030, "ｸﾞﾘｺｰﾙ", "GLYCOL"},
    {3040, "ｹﾛｼﾝ", "KEROSENE"},
    {3050, "ﾐﾙｸ", "MILK"},
    {3060, "ﾒﾀﾉｰﾙ", "METHANOL"},
    {3070, "ﾄﾙｴﾝ", "TOLUOL"},
    {3080, "潤滑油", "LUBE OIL"},
    {3090, "燃料油", "FUEL OIL"},
    {3100, "ｶﾞｿﾘﾝ", "PETROL"},
    {3101, "冷媒 R410", "REFRIGERANT R410"},
    {3140, "V法", "V METHOD"},
    {3150, "Z法", "Z METHOD"},
    {3920, "数字以外のデータは許されません", "Any data other than a number is not allowed"},
    {3921, "入力値が範囲外です", "The value is outside of range"},
    {3922, "実行", "EXECUTE"},
    {3926, "計算結果", "Calculation Result"},
    {4401, "超音波流量計", "Ultrasonic Flowmeter"},
    {4402, "取付け寸法計算ツール", "Sensor Spacing Calculation Tool"},
    {4460, "塩化ﾋﾞﾆﾙ", "PVC"},
};

static_assert(SortedAndUnique(Entries), "catalogue ids must be sorted and unique");
static_assert(Entries[std::size(Entries) - 1].id < 4500, "the window's own ids");

constexpr const Entry& At(int id) {
    return *std::find_if(std::begin(Entries), std::end(Entries),
                         [id](const Entry& e) { return e.id == id; });
}
// Texts the window shows as it always has, checked where they are written.
static_assert(At(1).japanese == "ＭＳ ゴシック" && At(1).english == "Arial");
static_assert(At(4401).japanese == "超音波流量計" && At(4402).japanese == "取付け寸法計算ツール");
static_assert(At(4401).english == "Ultrasonic Flowmeter" &&
              At(4402).english == "Sensor Spacing Calculation Tool");
static_assert(At(1380).english == "SENSOR SPACING");
static_assert(At(2890).japanese ==
              "\uFF97\uFF72\uFF86\uFF9D\uFF78\uFF9E無し"); // half-width katakana
static_assert(At(3101).japanese == "冷媒 R410");
static_assert(At(2780).japanese == At(4460).japanese &&
              At(2780).english == "PVC"); // two ids, one text
static_assert(At(3920).japanese == "数字以外のデータは許されません");
static_assert(At(3921).english == "The value is outside of range");

} // namespace

namespace Detail {
std::span<const Entry> WindowEntries() {
    return Entries;
}
} // namespace Detail

std::optional<std::string_view> Find(int id) {
    const bool english = id >= EnglishOffset;
    const int key = english ? id - EnglishOffset : id;
    for (const std::span<const Entry> part : {Detail::WindowEntries(), Detail::ToolEntries(),
                                              Detail::CheckEntries(), Detail::SiteEntries()}) {
        const auto it = std::lower_bound(part.begin(), part.end(), key,
                                         [](const Entry& e, int k) { return e.id < k; });
        if (it != part.end() && it->id == key) {
            return english ? it->english : it->japanese;
        }
    }
    return std::nullopt;
}

std::string_view Text(std::int16_t id, Language lang) {
    const int offset = lang == Language::English ? EnglishOffset : 0;
    const int sum = static_cast<int>(id) + offset;
    if (sum > std::numeric_limits<std::int16_t>::max() ||
        sum < std::numeric_limits<std::int16_t>::min()) {
        throw std::overflow_error("catalogue id " + std::to_string(id) + " + " +
                                  std::to_string(offset) + " overflows");
    }
    if (const auto text = Find(sum)) {
        return *text;
    }
    throw std::out_of_range("catalogue has no entry " + std::to_string(sum));
}

std::string Fill(std::string_view text, std::initializer_list<std::string_view> arguments) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::size_t n = i + 1 < text.size() ? static_cast<std::size_t>(text[i + 1] - '1') : 9;
        if (text[i] == '%' && n < arguments.size()) {
            out += *(arguments.begin() + n);
            ++i;
        } else {
            out.push_back(text[i]);
        }
    }
    return out;
}

} // namespace Catalogue
