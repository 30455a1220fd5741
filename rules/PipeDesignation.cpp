#include "rules/PipeDesignation.h"

#include "rules/TextFold.h"

#include <algorithm>
#include <utility>

namespace Quillmere::Designations {
namespace {} // namespace

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool AllDigits(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), IsDigit);
}

// Folded (upper case, full-width letters as ASCII), with the separators drawings put
// between the parts ("SGP-100A", "100A×Sch40") as blanks; the hyphen of "1-1/2" stays.
std::string Separated(std::string_view designation) {
    std::string text = FoldedName(designation);
    // × and the fraction slash, and the fraction characters data sheets write inch sizes
    // with: 1½ is 1-1/2.
    constexpr std::pair<std::string_view, std::string_view> written[] = {
        {"\xC3\x97", " "},   {"\xE2\x81\x84", "/"},   {"\xC2\xBD", "1/2"},    {"\xC2\xBC", "1/4"},
        {"\xC2\xBE", "3/4"}, {"\xE2\x85\x9B", "1/8"}, {"\xE2\x85\x9C", "3/8"}};
    for (const auto& [character, meaning] : written) {
        for (std::size_t at; (at = text.find(character)) != std::string::npos;) {
            // a whole number before a fraction takes the hyphen of 1-1/2
            const bool afterWhole = meaning.size() > 1 && at > 0 && IsDigit(text[at - 1]);
            text.replace(at, character.size(), (afterWhole ? "-" : "") + std::string(meaning));
        }
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool digitFollows = i + 1 < text.size() && IsDigit(text[i + 1]);
        const bool betweenDigits = i > 0 && IsDigit(text[i - 1]) && digitFollows;
        // "NPS -4" is a minus sign, kept so that the size is refused rather than read as 4
        const bool minus = (i == 0 || IsBlank(text[i - 1])) && digitFollows;
        if (text[i] == '-' && !betweenDigits && !minus) {
            text[i] = ' ';
        }
    }
    return text;
}

// A Separated text without blanks, except that the blank of "1 1/2" becomes its hyphen
// and one between two other digits stays: "NPS 1 4" is no size, rather than NPS 14.
std::string Squeezed(std::string_view upper) {
    std::string out;
    for (std::size_t i = 0; i < upper.size(); ++i) {
        if (!IsBlank(upper[i])) {
            out += upper[i];
            continue;
        }
        std::size_t next = i;
        while (next < upper.size() && IsBlank(upper[next])) {
            ++next;
        }
        const std::size_t slash = upper.find('/', next);
        const bool fractionFollows =
            slash != std::string::npos && AllDigits(upper.substr(next, slash - next));
        if (!out.empty() && IsDigit(out.back()) && fractionFollows) {
            out += '-';
        } else if (!out.empty() && IsDigit(out.back()) && next < upper.size() &&
                   IsDigit(upper[next])) {
            out += ' ';
        }
        i = next - 1;
    }
    return out;
}

const PipeTable* TableByKey(std::string_view key) {
    for (const PipeTable& table : PipeTables()) {
        if (table.Key == key) {
            return &table;
        }
    }
    return nullptr;
}

namespace {

// "STPG370 100A Sch40", "SUS 304TP 100A Sch10S": a grade after the standard's name changes
// no dimension and is dropped, when a size follows it and it is no size itself ("SUS100
// Sch10S" is 100A; "SUS 300 100A" stays unread rather than guessed). Grades have three
// digits (STPG370, SUS316L): a shorter number is a size's, as in STPG 1 1/4 or STPG 4B 40.
// `text` is Separated.
std::string WithoutGrade(std::string text) {
    constexpr std::string_view blanks = " \t";
    const std::size_t start = text.find_first_not_of(blanks);
    for (const std::string_view key : {"STPG", "SUS"}) {
        if (start == std::string::npos || text.compare(start, key.size(), key) != 0) {
            continue;
        }
        const std::size_t grade = text.find_first_not_of(blanks, start + key.size());
        if (grade == std::string::npos || grade + 3 > text.size() ||
            !AllDigits(std::string_view(text).substr(grade, 3))) {
            break;
        }
        const std::size_t end = text.find_first_of(blanks, grade);
        const std::size_t next =
            end == std::string::npos ? end : text.find_first_not_of(blanks, end);
        if (next == std::string::npos || !IsDigit(text[next])) {
            break;
        }
        std::string size = text.substr(grade, end - grade);
        if (size.back() != 'A') {
            size += 'A';
        }
        const auto& rows = TableByKey(key)->Rows;
        if (std::none_of(rows.begin(), rows.end(),
                         [&](const PipeSizeRow& r) { return r.Size == size; })) {
            text.erase(grade, end - grade);
        }
    }
    return text;
}

// "DIP 100 D1", "DIP 100 1種", "DN100 K9", "CU 1/2 L": the class these standards write
// after the size, taken off the end of rest; empty when none is written.
std::string TakeClass(std::string_view key, std::string_view& rest) {
    const auto take = [&rest](std::size_t n, std::string name) {
        rest.remove_suffix(n);
        while (rest.ends_with(' ')) { // the blank Squeezed keeps between "100 1種"
            rest.remove_suffix(1);
        }
        return name;
    };
    if (key == "DIP") {
        // 1種 or 1種管 is class D1, S種 DS
        for (const std::string_view kind : {"種管", "種"}) {
            if (rest.ends_with(kind) && rest.size() > kind.size()) {
                const char c = rest[rest.size() - kind.size() - 1];
                if ((c >= '1' && c <= '5') || c == 'S') {
                    return take(kind.size() + 1, std::string("D") + c);
                }
            }
        }
        if (const auto d = rest.rfind('D'); d != std::string_view::npos && d > 0) {
            return take(rest.size() - d, std::string(rest.substr(d)));
        }
    } else if (key == "DN") {
        if (const auto k = rest.rfind('K'); k != std::string_view::npos && k > 0) {
            return take(rest.size() - k, std::string(rest.substr(k)));
        }
    } else if (key == "CU") {
        if (rest.ends_with("TYPEK") || rest.ends_with("TYPEL") || rest.ends_with("TYPEM")) {
            const char type = rest.back();
            return take(5, std::string(1, type));
        }
        if (rest.size() > 1 && (rest.back() == 'K' || rest.back() == 'L' || rest.back() == 'M')) {
            return take(1, std::string(1, rest.back()));
        }
    }
    return "";
}

// Any of `words` anywhere in the (squeezed) text, taken out of it, longer words first.
bool TakeWords(std::string& text, std::initializer_list<std::string_view> words) {
    bool found = false;
    for (const std::string_view word : words) {
        for (std::size_t at; (at = text.find(word)) != std::string::npos;) {
            text.erase(at, word.size());
            found = true;
        }
    }
    return found;
}

// "mortar", "mortar lined", "cement-mortar lining" (モルタル): the standard's lining.
bool TakeMortar(std::string& text) {
    return TakeWords(text,
                     {"CEMENTMORTARLINING", "CEMENTMORTARLINED", "CEMENTMORTAR", "MORTARLINING",
                      "MORTARLINED", "MORTAR", "モルタルライニング", "モルタル"});
}

// "unlined", "no lining" (ライニングなし): a pipe without its lining, said so.
bool TakeUnlined(std::string& text) {
    return TakeWords(text, {"WITHOUTLINING", "NOLINING", "UNLINED", "ライニングなし",
                            "ライニング無し", "無ライニング"});
}

// "100A 10S", "100A 40", "4B 40": a JIS size ends at its A or B, and what follows is the
// schedule, written here as "100ASCH10S" into storage; rest as it was otherwise.
std::string_view WithJisSchedule(std::string_view rest, std::string& storage) {
    const auto end = rest.find_first_of("AB");
    const auto sizeText = rest.substr(0, end == std::string_view::npos ? 0 : end);
    // an A size is whole millimetres, a B size may have a fraction (1-1/2B)
    const bool aSize = end != std::string_view::npos && rest[end] == 'A';
    const std::string_view sizeCharacters = aSize ? "0123456789" : "0123456789-/";
    if (sizeText.empty() || !IsDigit(sizeText.front()) ||
        sizeText.find_first_not_of(sizeCharacters) != std::string_view::npos ||
        end + 1 >= rest.size() || !IsDigit(rest[end + 1])) {
        return rest;
    }
    storage = std::string(rest.substr(0, end + 1)) + "SCH" + std::string(rest.substr(end + 1));
    return storage;
}

// The schedule written at the end of rest ("SCH40", "XS"), taken off it; empty when none.
std::string TakeSchedule(std::string_view& rest) {
    if (const auto sch = rest.find("SCH"); sch != std::string_view::npos) {
        std::string schedule = "Sch" + std::string(rest.substr(sch + 3));
        // "Sch40 Sch80" is refused as written, not as one run-together name
        for (auto again = schedule.find("SCH"); again != std::string::npos;
             again = schedule.find("SCH", again)) {
            schedule.replace(again, 3, " Sch");
        }
        rest = rest.substr(0, sch);
        return schedule;
    }
    for (const std::string_view weight : {"XXS", "XS", "STD"}) {
        if (rest.ends_with(weight) && rest.size() > weight.size()) {
            rest.remove_suffix(weight.size());
            return std::string(weight);
        }
    }
    return "";
}

} // namespace

Designation ReadDesignation(std::string_view designation) {
    Designation out;
    out.Text = Squeezed(WithoutGrade(Separated(designation)));
    // "Schedule 40" written out is Sch40
    for (auto at = out.Text.find("SCHEDULE"); at != std::string::npos;
         at = out.Text.find("SCHEDULE", at)) {
        out.Text.replace(at, 8, "SCH");
    }
    std::string shown = out.Text;
    out.Mortar = TakeMortar(out.Text);
    out.Unlined = TakeUnlined(out.Text);
    std::string_view rest = out.Text;
    // Longer names first: SUS before SU, DCIP (ductile cast iron pipe) is DIP.
    constexpr std::pair<std::string_view, std::string_view> keys[] = {
        {"STPG", "STPG"}, {"SGP", "SGP"}, {"SUS", "SUS"}, {"SU", "SU"},
        {"NPS", "NPS"},   {"VP", "VP"},   {"VU", "VU"},   {"DCIP", "DIP"},
        {"DIP", "DIP"},   {"DN", "DN"},   {"CU", "CU"}};
    for (const auto& [written, key] : keys) {
        if (rest.starts_with(written)) {
            out.Table = TableByKey(key);
            rest.remove_prefix(written.size());
            break;
        }
    }
    // "100Su": light-gauge stainless is also written with its mark after the size
    if (out.Table == nullptr && rest.ends_with("SU") && rest.size() > 2 && IsDigit(rest[0])) {
        out.Table = TableByKey("SU");
        rest.remove_suffix(2);
    }
    const std::string_view key = out.Table != nullptr ? out.Table->Key : "";
    std::string jisSchedule;
    if (key == "DIP" || key == "DN" || key == "CU") {
        out.ScheduleName = TakeClass(key, rest);
    } else {
        if (out.Table != nullptr && key != "NPS" && rest.find("SCH") == std::string_view::npos) {
            rest = WithJisSchedule(rest, jisSchedule);
        }
        out.ScheduleName = TakeSchedule(rest);
    }
    out.Size = std::string(rest);
    // A copper size in A or B is JIS H 3300's; in inches ASTM B88's.
    if (key == "CU" && (out.Size.ends_with('A') || out.Size.ends_with('B'))) {
        out.Table = TableByKey("CU-JIS");
    }
    out.Text = shown;
    // "4B" and 4" are the inch sizes of ASME pipe
    out.InchSize = !out.Size.empty() && IsDigit(out.Size.front()) &&
                   (out.Size.back() == 'B' || out.Size.back() == '"');
    if (out.Table == nullptr && out.InchSize) {
        out.Table = TableByKey("NPS");
    }
    if (out.Table != nullptr && out.Table->Key == "CU-JIS") {
        out.InchSize = false; // 1/2B is JIS H 3300's own name for the size
    }
    return out;
}

} // namespace Quillmere::Designations
