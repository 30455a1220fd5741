#include "rules/JobColumns.h"

#include "catalogue/Catalogue.h"
#include "engine/AsciiCase.h"
#include "rules/NameLists.h"
#include "rules/TextFold.h"
#include "rules/Words.h"

#include <algorithm>

namespace Quillmere {

namespace {

// A heading as spreadsheets write it, as the column name it means: "Outer Diameter",
// " outer-diameter" and "OUTER_DIAMETER" are outer_diameter.
std::string HeadingKey(std::string_view heading) {
    std::string key(Unpadded(heading));
    for (char& c : key) {
        c = (c == ' ' || c == '-') ? '_' : AsciiLower(c);
    }
    return key;
}

// A heading that is one of the window's captions, in either language and as typed
// ("WALL THICKNESS", "配管厚さ", "ライニング厚さ"; "pipe_material" and "Kind-of-Fluid" as
// well, as the column names are written): a sheet made with the window's own words.
std::optional<Column> ColumnByCaption(std::string_view heading) {
    static const NameList names = [] {
        NameList list;
        for (const ColumnRecord& c : Columns) {
            if (c.CaptionId != 0) {
                list.AddText(c.CaptionId, static_cast<int>(c.Id));
            }
        }
        return list;
    }();
    std::string spaced(Unpadded(heading));
    std::replace_if(
        spaced.begin(), spaced.end(), [](char c) { return c == '_' || c == '-'; }, ' ');
    const auto column = names.Find(spaced);
    return column ? std::optional<Column>(static_cast<Column>(*column)) : std::nullopt;
}

const std::vector<std::string>& ColumnNameList() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> list;
        for (const std::string_view name : InputColumnNames()) {
            list.emplace_back(name);
        }
        return list;
    }();
    return names;
}

} // namespace

std::string OptionOf(Column column) {
    std::string option = "--" + std::string(ColumnName(column));
    std::replace(option.begin(), option.end(), '_', '-');
    return option;
}

std::vector<std::string_view> InputColumnNames() {
    std::vector<std::string_view> names;
    for (const ColumnRecord& c : Columns) {
        if (c.Role != ColumnRole::Result) {
            names.push_back(c.Name);
        }
    }
    return names;
}

std::optional<SheetColumns> HeaderColumns(const std::vector<std::string>& names,
                                          std::string& problem) {
    SheetColumns columns;
    for (const std::string& name : names) {
        if (Unpadded(name).empty()) {
            columns.emplace_back();
            continue;
        }
        auto column = ColumnNamed(HeadingKey(name));
        if (column && ColumnRecordOf(*column).Role == ColumnRole::Result) {
            column.reset(); // written, never read: an earlier output's are taken off before
        }
        if (!column) {
            column = ColumnByCaption(name);
        }
        if (!column) {
            problem = "unknown column \"" + Printable(name) + "\"";
            if (names.size() == 1 && name.find_first_of(";\t") != std::string::npos) {
                problem += " (its columns are separated by " +
                           std::string(name.find(';') != std::string::npos ? "\";\"" : "tabs") +
                           ": save the sheet as CSV with commas)";
            } else if (const std::string nearest = NearestOf(name, ColumnNameList());
                       !nearest.empty()) {
                problem += " (did you mean " + nearest + "?)";
            } else {
                problem += " (quillmere-calc --help lists the columns)";
            }
            return std::nullopt;
        }
        if (std::find(columns.begin(), columns.end(), *column) != columns.end()) {
            problem = "column \"" + Printable(name) + "\" appears twice";
            return std::nullopt;
        }
        columns.push_back(*column);
    }
    return columns;
}

ColumnTexts RowTexts(const SheetColumns& columns, const std::vector<std::string_view>& row,
                     const ColumnTexts& defaults) {
    ColumnTexts texts = defaults;
    ReadRowTexts(columns, row, defaults, texts);
    return texts;
}

void ReadRowTexts(const SheetColumns& columns, const std::vector<std::string_view>& row,
                  const ColumnTexts& defaults, ColumnTexts& texts) {
    // Read through plain pointers: writing the texts could otherwise, for all the compiler
    // knows, move the vectors' ends, asked again for every cell of every row.
    const std::optional<Column>* const column = columns.data();
    const std::string_view* const cell = row.data();
    const std::size_t count = columns.size();
    const std::size_t given = row.size();
    for (std::size_t i = 0; i < count; ++i) {
        if (!column[i]) {
            continue;
        }
        std::string_view value = i < given ? cell[i] : std::string_view();
        // Blanks are at or below ' ': one comparison at each end passes nearly every cell.
        if (!value.empty() && (static_cast<unsigned char>(value.front()) <= ' ' ||
                               static_cast<unsigned char>(value.back()) <= ' ')) {
            value = Unpadded(value);
        }
        // With --units imperial, a blank units cell is not mm, nor with --sensor VT-C1 a
        // blank sensor cell RESERVE.
        const std::optional<std::string_view>& fallback = defaults[*column[i]];
        texts[*column[i]] = !value.empty() || !fallback ? std::optional(value) : fallback;
    }
}

} // namespace Quillmere
