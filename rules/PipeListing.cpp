#include "rules/PipeChoice.h"

#include "engine/NumberText.h"
#include "rules/Lists.h"

#include <algorithm>
#include <cmath>
#include <string>

// Standard pipe sizes as lists and tables show them: labels, the usual choices, the texts
// a chosen size types, and the listing quillmere-calc prints.
namespace Quillmere {
namespace {

std::string InchText(double inches) {
    return DefaultNumberText(std::round(inches * 1e4) / 1e4);
}

// A listing's figure with at least `decimals` places, as the standards print them (2.0, 0.120).
std::string Figure(const std::string& text, std::size_t decimals) {
    std::string out = text;
    std::size_t point = out.find('.');
    if (point == std::string::npos) {
        point = out.size();
        out += '.';
    }
    while (out.size() - point - 1 < decimals) {
        out += '0';
    }
    return out;
}

} // namespace

std::string_view ShownKey(const PipeTable& table) {
    return table.Key == "NPS-S" ? "NPS" : table.Key == "CU-JIS" ? "CU" : table.Key;
}

std::string StandardName(const PipeTable& table) {
    // American standards join their edition with a hyphen (ASTM B88-22), ISO and JIS a colon.
    const char* joint = table.Standard.starts_with("AS") ? "-" : ":";
    return std::string(table.Standard) + joint + std::string(table.Edition);
}

std::string PipeTableLabel(const PipeTable& table) {
    return std::string(ShownKey(table)) + "  (" + StandardName(table) + ")";
}

std::string PipeSizeName(const PipeSizeRow& row) {
    return std::string(row.Size) + (row.Alias.empty() ? "" : " (" + std::string(row.Alias) + ")");
}

std::size_t DefaultSizeRow(const PipeTable& table) {
    for (std::size_t i = 0; i < table.Rows.size(); ++i) {
        if (const std::string_view size = table.Rows[i].Size;
            size == "100A" || size == "100" || size == "4") {
            return i;
        }
    }
    return table.Rows.size() / 2;
}

std::size_t PreferredSchedule(const PipeTable& table, const PipeSizeRow& row) {
    const std::vector<std::size_t> columns = SchedulesOf(table, row);
    for (const std::string_view usual : {"Sch40", "STD", "Sch40S", "Sch10S"}) {
        for (const std::size_t c : columns) {
            if (table.Schedules[c] == usual) {
                return c;
            }
        }
    }
    return columns.front();
}

std::string_view ScheduleLabel(const PipeTable& table, std::size_t schedule) {
    const std::string_view name = table.Schedules[schedule];
    return name.empty() ? std::string_view("-") : name;
}

std::size_t SizeRowAfterChange(const PipeTable& table, std::string_view keptSize) {
    for (std::size_t i = 0; i < table.Rows.size(); ++i) {
        if (PipeSizeName(table.Rows[i]) == keptSize) {
            return i;
        }
    }
    return DefaultSizeRow(table);
}

std::size_t ScheduleAfterChange(const PipeTable& table, const PipeSizeRow& row,
                                std::string_view keptSchedule) {
    for (const std::size_t c : SchedulesOf(table, row)) {
        if (ScheduleLabel(table, c) == keptSchedule) {
            return c;
        }
    }
    return PreferredSchedule(table, row);
}

int PipeMaterialWith(const PipeTable& table, int selected) {
    const int entry = PipeEntryOf(table.Material);
    return selected == PipeUserEntry || entry < 0 ? selected : entry;
}

std::vector<std::size_t> SchedulesOf(const PipeTable& table, const PipeSizeRow& row) {
    std::vector<std::size_t> out;
    for (std::size_t c = 0; c < table.Schedules.size(); ++c) {
        if (row.WallMm[c] > 0) {
            out.push_back(c);
        }
    }
    return out;
}

double MortarLiningMm(const PipeTable& table, const PipeSizeRow& row) {
    if (table.Mortar == nullptr) {
        return 0;
    }
    const double nominal = ParseNumberText(row.Size); // DN sizes are whole numbers
    for (const LiningBand& band : table.Mortar->Bands) {
        if (nominal <= band.UpTo) {
            return band.ThicknessMm;
        }
    }
    return 0;
}

PipeChoice PipeSizeTexts(const PipeTable& table, const PipeSizeRow& row, std::size_t schedule,
                         UnitSystem units, bool mortar) {
    PipeChoice out;
    if (mortar && MortarLiningMm(table, row) > 0) {
        out.Lining = table.Mortar;
        out.LiningMm = MortarLiningMm(table, row);
        out.LiningText = units == UnitSystem::Metric ? DefaultNumberText(out.LiningMm)
                                                     : InchText(out.LiningMm / 25.4);
    }
    out.Table = &table;
    out.Row = &row;
    out.Schedule = schedule;
    if (units == UnitSystem::Metric) {
        out.OuterText = DefaultNumberText(row.OuterMm);
        out.WallText = DefaultNumberText(row.WallMm[schedule]);
    } else if (table.InchFigures) {
        out.OuterText = DefaultNumberText(row.OuterInch);
        out.WallText = DefaultNumberText(row.WallInch[schedule]);
    } else {
        out.OuterText = InchText(row.OuterMm / 25.4);
        out.WallText = InchText(row.WallMm[schedule] / 25.4);
    }
    return out;
}

std::string PipeSizeLabel(const PipeChoice& choice) {
    if (choice.Table == nullptr || choice.Row == nullptr) {
        return {};
    }
    std::string out = std::string(ShownKey(*choice.Table)) + " " + std::string(choice.Row->Size);
    if (const std::string_view schedule = choice.Table->Schedules[choice.Schedule];
        !schedule.empty()) {
        out += " " + std::string(schedule);
    }
    return out;
}

std::string PipeDesignation(const PipeChoice& choice) {
    std::string out = PipeSizeLabel(choice);
    if (choice.Table != nullptr && choice.Table->Material == PipeMaterialKey::DuctileIron) {
        out += choice.Lining != nullptr ? " mortar" : " unlined";
    }
    return out;
}

std::string PipeSizeNote(const PipeChoice& choice) {
    return choice.Table == nullptr ? std::string()
                                   : PipeSizeLabel(choice) + ", " + StandardName(*choice.Table);
}

std::string LiningStandardName(const PipeChoice& choice) {
    return choice.Lining == nullptr
               ? std::string()
               : std::string(choice.Lining->Standard) + ":" + std::string(choice.Lining->Edition);
}

std::string PipeSizeListing(const PipeTable& table, UnitSystem units) {
    const auto cell = [](std::string text, std::size_t width) {
        text.resize(std::max(width, text.size() + 1), ' ');
        return text;
    };
    std::string out = std::string(ShownKey(table)) + ": " + StandardName(table) + ", " +
                      (units == UnitSystem::Metric ? "mm" : "inch") + "\n";
    const std::size_t places = units == UnitSystem::Metric ? 1 : table.InchFigures ? 3 : 4;
    std::string header = cell("size", 16) + cell("OD", 9);
    for (const std::string_view schedule : table.Schedules) {
        header += cell(schedule.empty() ? std::string("wall") : std::string(schedule), 8);
    }
    while (!header.empty() && header.back() == ' ') {
        header.pop_back();
    }
    out += header + "\n";
    for (const PipeSizeRow& row : table.Rows) {
        std::string line = cell(PipeSizeName(row), 16);
        line += cell(Figure(PipeSizeTexts(table, row, 0, units).OuterText, places), 9);
        for (std::size_t c = 0; c < table.Schedules.size(); ++c) {
            line += cell(row.WallMm[c] > 0
                             ? Figure(PipeSizeTexts(table, row, c, units).WallText, places)
                             : "-",
                         8);
        }
        while (!line.empty() && line.back() == ' ') {
            line.pop_back();
        }
        out += line + "\n";
    }
    return out;
}

} // namespace Quillmere
