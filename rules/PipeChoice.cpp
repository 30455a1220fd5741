#include "PipeChoice.h"

#include "AsciiCase.h"

#include "Catalogue.h"
#include "Lists.h"
#include "NumberText.h"
#include "TextFold.h"
#include "Words.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <utility>

namespace Quillmere {
namespace {

namespace P = Catalogue::PipeText;

constexpr std::string_view Keys = "SGP, STPG, SUS, NPS, VP, VU, DIP, DN, SU, CU";

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool AllDigits(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), IsDigit);
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
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

// The number a size designation stands for: "100A" 100, "1-1/2B" 1.5, "3/8" 0.375.
std::optional<double> NominalValue(std::string_view size) {
    if (!size.empty() && (size.back() == 'A' || size.back() == 'B')) {
        size.remove_suffix(1);
    }
    double whole = 0;
    std::string_view fraction = size;
    if (const auto hyphen = size.find('-'); hyphen != std::string_view::npos) {
        try {
            whole = ParseNumberText(size.substr(0, hyphen));
        } catch (...) {
            return std::nullopt;
        }
        fraction = size.substr(hyphen + 1);
    }
    try {
        const auto slash = fraction.find('/');
        if (slash == std::string_view::npos) {
            return whole + ParseNumberText(fraction);
        }
        const double denominator = ParseNumberText(fraction.substr(slash + 1));
        if (denominator == 0) {
            return std::nullopt;
        }
        return whole + ParseNumberText(fraction.substr(0, slash)) / denominator;
    } catch (...) {
        return std::nullopt;
    }
}

const PipeTable* TableByKey(std::string_view key) {
    for (const PipeTable& table : PipeTables()) {
        if (table.Key == key) {
            return &table;
        }
    }
    return nullptr;
}

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

std::string JoinedSchedules(const PipeTable& table, const std::vector<std::size_t>& columns) {
    std::vector<std::string_view> names;
    for (const std::size_t c : columns) {
        names.push_back(table.Schedules[c]);
    }
    return Joined(names, ", ");
}

// Up to three sizes of the table closest in nominal value to `size`, in the table's order.
std::string NearestSizes(const PipeTable& table, std::string_view size) {
    // "4S40" is near 4: the longest start that reads as a size (no size is longer than 12)
    double wanted = 0;
    for (std::size_t n = std::min<std::size_t>(size.size(), 12); n > 0; --n) {
        if (const auto value = NominalValue(size.substr(0, n))) {
            wanted = *value;
            break;
        }
    }
    // "5B" is near the inch designations of a JIS table, "125A" near its A sizes
    const bool inch = size.ends_with('B') && !table.Rows.front().Alias.empty();
    std::vector<std::pair<double, std::size_t>> distances;
    for (std::size_t i = 0; i < table.Rows.size(); ++i) {
        const PipeSizeRow& row = table.Rows[i];
        const double value = NominalValue(inch ? row.Alias : row.Size).value_or(0);
        distances.emplace_back(std::abs(value - wanted), i);
    }
    std::stable_sort(distances.begin(), distances.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    distances.resize(std::min<std::size_t>(3, distances.size()));
    std::sort(distances.begin(), distances.end(),
              [](const auto& a, const auto& b) { return a.second < b.second; });
    std::vector<std::string_view> names;
    for (const auto& d : distances) {
        const PipeSizeRow& row = table.Rows[d.second];
        names.push_back(inch ? row.Alias : row.Size);
    }
    return Joined(names, ", ");
}

// A designation taken apart, each part still to be checked against its table.
struct Designation {
    std::string Text; // folded and without blanks: what an unknown standard is shown as
    const PipeTable* Table = nullptr; // by the standard's name, or NPS for a bare inch size
    std::string Size;
    std::string ScheduleName; // "Sch40", "STD", "K9", "D1", "L"; empty when none is written
    bool InchSize = false;    // written with its B or inch sign: "4B", 4"
    bool Mortar = false;      // "mortar" written: the standard's cement-mortar lining
};

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

// "mortar" (or モルタル) anywhere in the text, taken out of it.
bool TakeMortar(std::string& text) {
    bool found = false;
    for (const std::string_view word : {"MORTAR", "モルタル"}) {
        for (std::size_t at; (at = text.find(word)) != std::string::npos;) {
            text.erase(at, word.size());
            found = true;
        }
    }
    return found;
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

bool IsJisSteel(const PipeTable& table) {
    return table.Key == "SGP" || table.Key == "STPG" || table.Key == "SUS";
}

// The inch row a bare JIS number also names: "8" may be 8A (13.8 mm) or 8B (200A,
// 216.3 mm), which is asked, never guessed.
const PipeSizeRow* InchRowOfBareNumber(const PipeTable& table, const std::string& size) {
    if (!IsJisSteel(table) || !AllDigits(size)) {
        return nullptr;
    }
    const auto inch = std::find_if(table.Rows.begin(), table.Rows.end(),
                                   [&](const PipeSizeRow& r) { return r.Alias == size + 'B'; });
    return inch == table.Rows.end() ? nullptr : &*inch;
}

// "1.5" for 1-1/2, as a calculator or a spreadsheet writes an inch size. Eighths only, the
// finest step of the tables; any other decimal stays as written and is refused with the
// nearest sizes.
std::string FractionOfDecimal(const std::string& size) {
    const auto dot = size.find('.');
    const auto end = size.find_first_not_of("0123456789.");
    if (dot == std::string::npos || (end != std::string::npos && end < dot) ||
        size.find('.', dot + 1) < end) {
        return size;
    }
    std::string_view whole = std::string_view(size).substr(0, dot);
    std::string_view decimals = std::string_view(size).substr(dot + 1, end - dot - 1);
    while (whole.starts_with('0')) {
        whole.remove_prefix(1);
    }
    while (decimals.ends_with('0')) {
        decimals.remove_suffix(1);
    }
    static constexpr std::array<std::pair<std::string_view, std::string_view>, 7> Eighths{
        {{"125", "1/8"},
         {"25", "1/4"},
         {"375", "3/8"},
         {"5", "1/2"},
         {"625", "5/8"},
         {"75", "3/4"},
         {"875", "7/8"}}};
    const auto eighth = std::find_if(Eighths.begin(), Eighths.end(),
                                     [&](const auto& e) { return e.first == decimals; });
    const std::string suffix = end == std::string::npos ? "" : size.substr(end);
    if (decimals.empty()) {
        return whole.empty() ? size : std::string(whole) + suffix;
    }
    if (eighth == Eighths.end()) {
        return size;
    }
    return (whole.empty() ? "" : std::string(whole) + "-") + std::string(eighth->second) + suffix;
}

// The size as the table lists it: "4" for NPS 4B, 4B for SGP 4", 100A for a bare JIS 100,
// 1-1/2B for a JIS 1-1/2 (a fraction is an inch size only), 100 for VP 100A (PVC sizes are
// millimetre sizes without an A, which users add as steel's have one).
std::string SizeAsListed(const PipeTable& table, std::string size, bool inchSize) {
    // a decimal, like a fraction, is an inch size: JIS millimetre sizes are whole
    const bool decimal = size.find('.') != std::string::npos &&
                         size.find_first_not_of("0123456789.") == std::string::npos;
    size = FractionOfDecimal(size);
    if (table.Key == "CU" && size.ends_with('"')) {
        size.pop_back(); // B88 sizes are inches already
        return size;
    }
    if (table.Key == "NPS") {
        if (inchSize) {
            size.pop_back();
        }
        return size;
    }
    if (inchSize && size.back() == '"') {
        size.back() = 'B';
    }
    if (IsJisSteel(table)) {
        if ((decimal || size.find('/') != std::string::npos) && !size.ends_with('B')) {
            size += 'B';
        } else if (AllDigits(size)) {
            size += 'A';
        }
    } else if (table.Key == "VP" || table.Key == "VU" || table.Key == "DIP" || table.Key == "DN" ||
               table.Key == "SU") {
        // millimetre sizes without an A, which users add as steel's have one
        if (size.ends_with('A') && AllDigits(std::string_view(size).substr(0, size.size() - 1))) {
            size.pop_back();
        }
    }
    return size;
}

} // namespace

PipeChoice ChoosePipeSize(std::string_view designation, std::int16_t unitFlag,
                          std::int16_t stringBase) {
    PipeChoice out;
    const auto refuse = [&](std::int16_t id, std::initializer_list<std::string_view> args) {
        out.Error = Catalogue::Fill(Catalogue::Text(id, stringBase), args);
        return out;
    };
    const Designation read = ReadDesignation(designation);
    const PipeTable* table = read.Table;
    const std::string& scheduleName = read.ScheduleName;
    if (table == nullptr) {
        return refuse(P::UnknownStandard, {Abridged(read.Text), Keys});
    }
    if (const PipeSizeRow* inch = InchRowOfBareNumber(*table, read.Size)) {
        const bool millimetre =
            std::any_of(table->Rows.begin(), table->Rows.end(),
                        [&](const PipeSizeRow& r) { return r.Size == read.Size + 'A'; });
        return refuse(P::AOrB, {std::string(ShownKey(*table)) + " " + read.Size,
                                (millimetre ? read.Size + "A, " : std::string()) + read.Size +
                                    "B = " + std::string(inch->Size)});
    }
    const std::string size = SizeAsListed(*table, read.Size, read.InchSize);
    if (table->Key == "NPS" && scheduleName.size() > 3 && scheduleName.ends_with('S')) {
        table = TableByKey("NPS-S");
    }
    if (size.empty()) {
        return refuse(P::NoSize,
                      {ShownKey(*table), table->Rows.front().Size, table->Rows.back().Size});
    }
    const auto row =
        std::find_if(table->Rows.begin(), table->Rows.end(), [&](const PipeSizeRow& r) {
            return r.Size == size || (!r.Alias.empty() && r.Alias == size);
        });
    if (row == table->Rows.end()) {
        return refuse(P::UnknownSize,
                      {ShownKey(*table), Abridged(size), NearestSizes(*table, size)});
    }
    out.Table = table;
    out.Row = &*row;
    const std::string named = std::string(ShownKey(*table)) + " " + std::string(row->Size);
    // The lining is refused before the wall is asked for: it is the larger fault.
    if (read.Mortar && table->Mortar == nullptr) {
        return refuse(P::NoMortar,
                      {std::string(ShownKey(*table)) + " (" + StandardName(*table) + ")"});
    }
    const std::vector<std::size_t> columns = SchedulesOf(*table, *row);
    std::optional<std::size_t> column;
    if (table->Schedules.size() == 1 && table->Schedules[0].empty()) {
        if (!scheduleName.empty()) {
            return refuse(P::OneWall, {named});
        }
        column = 0;
    } else if (scheduleName.empty()) {
        return refuse(P::NoSchedule, {named, JoinedSchedules(*table, columns)});
    }
    for (const std::size_t c : columns) {
        if (!column && SameIgnoringCase(table->Schedules[c], scheduleName)) {
            column = c;
        }
    }
    if (!column) {
        return refuse(P::UnknownSchedule,
                      {named, Abridged(scheduleName), JoinedSchedules(*table, columns)});
    }
    return PipeSizeTexts(*table, *row, *column, unitFlag, read.Mortar);
}

std::vector<const PipeTable*> PipeTablesNamed(std::string_view name) {
    const std::string wanted = Squeezed(Separated(name));
    if (wanted.empty() || wanted == "ALL") {
        std::vector<const PipeTable*> all;
        for (const PipeTable& table : PipeTables()) {
            all.push_back(&table);
        }
        return all;
    }
    const auto keys = [](std::initializer_list<std::string_view> list) {
        std::vector<const PipeTable*> out;
        for (const std::string_view key : list) {
            out.push_back(TableByKey(key));
        }
        return out;
    };
    if (wanted == "ASME" || wanted == "NPS") {
        return keys({"NPS", "NPS-S"});
    }
    if (wanted == "B36.10M") {
        return keys({"NPS"});
    }
    if (wanted == "B36.19M") {
        return keys({"NPS-S"});
    }
    if (wanted == "PVC") {
        return keys({"VP", "VU"});
    }
    if (wanted == "JIS") {
        return keys({"SGP", "STPG", "SUS", "VP", "VU", "DIP", "SU", "CU-JIS"});
    }
    if (wanted == "CU" || wanted == "COPPER") {
        return keys({"CU", "CU-JIS"});
    }
    if (wanted == "DUCTILE" || wanted == "DI") {
        return keys({"DIP", "DN"});
    }
    if (wanted == "ISO") {
        return keys({"DN"});
    }
    if (wanted == "DCIP") {
        return keys({"DIP"});
    }
    if (const PipeTable* table = TableByKey(wanted)) {
        return {table};
    }
    return {};
}

} // namespace Quillmere
