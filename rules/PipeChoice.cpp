#include "rules/PipeChoice.h"

#include "engine/AsciiCase.h"

#include "catalogue/Catalogue.h"
#include "engine/NumberText.h"
#include "rules/Lists.h"
#include "rules/PipeDesignation.h"
#include "rules/TextFold.h"
#include "rules/Words.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <utility>

namespace Quillmere {
namespace {

using namespace Designations;

namespace P = Catalogue::PipeText;

constexpr std::string_view Keys = "SGP, STPG, SUS, NPS, VP, VU, DIP, DN, SU, CU";

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

// "50Su = 48.6 mm; 50A = 60.5 mm = 60Su": the two things "SU 50A" may mean, JIS G 3448's
// own 50Su and the steel size 50A, by their outer diameters.
std::string SuReadings(const std::string& aSize) {
    const std::string number = aSize.substr(0, aSize.size() - 1);
    const PipeTable& su = *TableByKey("SU");
    const auto bySize = [&](const PipeTable& table, std::string_view size) -> const PipeSizeRow* {
        const auto row = std::find_if(table.Rows.begin(), table.Rows.end(),
                                      [&](const PipeSizeRow& r) { return r.Size == size; });
        return row == table.Rows.end() ? nullptr : &*row;
    };
    const auto mm = [](double value) { return DefaultNumberText(value) + " mm"; };
    std::vector<std::string> readings;
    if (const PipeSizeRow* own = bySize(su, number)) {
        readings.push_back(number + "Su = " + mm(own->OuterMm));
    }
    if (const PipeSizeRow* steel = bySize(*TableByKey("SGP"), aSize)) {
        std::string reading = aSize + " = " + mm(steel->OuterMm);
        const auto same = std::find_if(su.Rows.begin(), su.Rows.end(), [&](const PipeSizeRow& r) {
            return std::abs(r.OuterMm - steel->OuterMm) < 0.05;
        });
        if (same != su.Rows.end()) {
            reading += " = " + std::string(same->Size) + "Su";
        }
        readings.push_back(reading);
    }
    return Joined(readings, "; ");
}

// A size of the table at the start of `written` and what follows it ("100A" and "VB"), the
// longest that reads; none when no start of it is a size.
std::pair<const PipeSizeRow*, std::string> SizeAndRest(const PipeTable& table,
                                                       const std::string& written, bool inch) {
    for (std::size_t n = written.size(); n-- > 1;) {
        // Words follow a size: "100A VB"; a digit, a dot or a blank after a start is a size
        // mistyped ("105A", "1.3"), whose nearest sizes are said.
        const char next = written[n];
        if (!((next >= 'A' && next <= 'Z') || static_cast<unsigned char>(next) >= 0x80)) {
            continue;
        }
        const std::string start = written.substr(0, n);
        const bool inchStart =
            inch && IsDigit(start.front()) && (start.back() == 'B' || start.back() == '"');
        const std::string size = SizeAsListed(table, start, inchStart);
        const auto row =
            std::find_if(table.Rows.begin(), table.Rows.end(), [&](const PipeSizeRow& r) {
                return r.Size == size || (!r.Alias.empty() && r.Alias == size);
            });
        if (row != table.Rows.end()) {
            return {&*row, written.substr(n)};
        }
    }
    return {nullptr, {}};
}

// The schedules a size has; empty where the standard has one wall.
std::string Offered(const PipeTable& table, const PipeSizeRow& row) {
    if (table.Schedules.size() == 1 && table.Schedules[0].empty()) {
        return {};
    }
    return JoinedSchedules(table, SchedulesOf(table, row));
}

} // namespace

PipeChoice ChoosePipeSize(std::string_view designation, UnitSystem units, Language lang) {
    PipeChoice out;
    const auto refuse = [&](std::int16_t id, std::initializer_list<std::string_view> args) {
        out.Error = Catalogue::Fill(Catalogue::Text(id, lang), args);
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
    if (table->Key == "SU" && read.Size.size() > 1 && read.Size.back() == 'A' &&
        AllDigits(std::string_view(read.Size).substr(0, read.Size.size() - 1))) {
        return refuse(P::SuNotA, {"SU " + read.Size, SuReadings(read.Size)});
    }
    if (read.Mortar && read.Unlined) {
        return refuse(P::MortarAndUnlined, {Abridged(read.Text)});
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
        // "SGP 100A VB": a size the table has, then words that are no schedule of it.
        if (const auto [known, after] = SizeAndRest(*table, read.Size, read.InchSize);
            known != nullptr) {
            const std::string sized =
                std::string(ShownKey(*table)) + " " + std::string(known->Size);
            const std::string offered = Offered(*table, *known);
            return refuse(offered.empty() ? P::UnknownAfterOneWall : P::UnknownAfterSize,
                          {sized, Abridged(after), offered});
        }
        return refuse(P::UnknownSize,
                      {ShownKey(*table), Abridged(size), NearestSizes(*table, size)});
    }
    out.Table = table;
    out.Row = &*row;
    const std::string named = std::string(ShownKey(*table)) + " " + std::string(row->Size);
    // The lining is refused before the wall is asked for: it is the larger fault.
    if (read.Mortar && table->Mortar == nullptr) {
        const PipeMaterialKey material = table->Material;
        const bool neverLined = material == PipeMaterialKey::Copper ||
                                material == PipeMaterialKey::Pvc ||
                                material == PipeMaterialKey::Stainless;
        return refuse(neverLined ? P::NeverMortar : P::NoMortar,
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
    // Water-works ductile pipe is supplied cement-lined: without the lining the spacing is a
    // believable wrong one (68.56 mm instead of 71.60 mm for DN100), so it is asked for.
    if (table->Material == PipeMaterialKey::DuctileIron && !read.Mortar && !read.Unlined) {
        const std::string sized = named + " " + std::string(table->Schedules[*column]);
        return refuse(P::DuctileLining, {sized});
    }
    return PipeSizeTexts(*table, *row, *column, units, read.Mortar);
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
