#include "report/JobSheet.h"

#include "catalogue/Catalogue.h"
#include "rules/CsvText.h"
#include "rules/Fields.h"
#include "rules/Lists.h"
#include "rules/TextFold.h"

#include <algorithm>
#include <span>

namespace Quillmere {

namespace {

enum Col : std::size_t {
    Time,
    Lang,
    Units,
    Sensor,
    Mount,
    FirstField, // outer_diameter .. fluid_velocity, with the three list names among them
    Site = 14,
    Tag,
    Installer,
    Note,
    Result1,
    Result2,
    Circumferential,
    Error,
    Notes,
};
static_assert(JobSheetColumns[Site] == "site" && JobSheetColumns[Result1] == "result1" &&
              JobSheetColumns[Notes] == "notes" && JobSheetColumns.size() == Notes + 1);

// Where each field and list name goes: the sheet's column order, which is quillmere-calc's.
constexpr std::size_t ColumnOf(InputField field) {
    for (std::size_t i = 0; i < JobSheetColumns.size(); ++i) {
        if (JobSheetColumns[i] == FieldOf(field).Column) {
            return i;
        }
    }
    return JobSheetColumns.size();
}
constexpr std::size_t PipeColumn = 7, LiningColumn = 9, FluidColumn = 12;
static_assert(JobSheetColumns[PipeColumn] == "pipe" && JobSheetColumns[LiningColumn] == "lining" &&
              JobSheetColumns[FluidColumn] == "fluid");
static_assert(std::all_of(InputFields.begin(), InputFields.end(),
                          [](InputField f) { return ColumnOf(f) < JobSheetColumns.size(); }),
              "every field has its column");

// The entry of a list named `name` in either language; none when no entry is.
std::optional<int> EntryNamed(std::span<const ListEntry> list, std::string_view name) {
    for (std::size_t i = 0; i < list.size(); ++i) {
        for (const Language lang : {Language::Japanese, Language::English}) {
            if (Catalogue::Text(list[i].NameId, lang) == name) {
                return static_cast<int>(i);
            }
        }
    }
    return std::nullopt;
}

std::optional<int> MountNamed(std::string_view name) {
    for (std::size_t i = 0; i < MountMethods.size(); ++i) {
        if (name == std::string_view(&MountMethods[i].Letter, 1) ||
            Catalogue::Text(MountMethods[i].NameId, Language::Japanese) == name ||
            Catalogue::Text(MountMethods[i].NameId, Language::English) == name) {
            return static_cast<int>(i);
        }
    }
    return std::nullopt;
}

std::optional<int> SensorNamed(std::string_view name) {
    for (int i = 0; i < SensorTypeCount; ++i) {
        if (SensorTypeName(i) == name) {
            return i;
        }
    }
    return std::nullopt;
}

// The records of a CSV text; a quoted field left open ends them before its record.
std::vector<std::vector<std::string>> CsvRecords(std::string_view text) {
    std::vector<std::vector<std::string>> records;
    std::vector<std::string> record;
    std::string field;
    std::size_t i = 0;
    const auto endField = [&] {
        record.emplace_back(CellText(field));
        field.clear();
    };
    const auto endRecord = [&] {
        endField();
        // A line of nothing is no record (an empty line at the end of a file edited by hand).
        if (record.size() > 1 || !record.front().empty()) {
            records.push_back(std::move(record));
        }
        record.clear();
    };
    while (i < text.size()) {
        const char c = text[i];
        if (c == '"' && field.empty()) {
            ++i;
            std::string quoted;
            bool closed = false;
            while (i < text.size()) {
                if (text[i] == '"') {
                    if (i + 1 < text.size() && text[i + 1] == '"') {
                        quoted += '"';
                        i += 2;
                        continue;
                    }
                    closed = true;
                    ++i;
                    break;
                }
                quoted += text[i++];
            }
            if (!closed) {
                return records;
            }
            field = std::move(quoted);
            continue;
        }
        if (c == ',') {
            endField();
        } else if (c == '\n' || c == '\r') {
            endRecord();
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
        } else {
            field += c;
        }
        ++i;
    }
    if (!field.empty() || !record.empty()) {
        endRecord();
    }
    return records;
}

std::optional<SheetJob> JobOf(const std::vector<std::string>& r) {
    if (r.size() != JobSheetColumns.size()) {
        return std::nullopt;
    }
    SheetJob job;
    job.Time = r[Time];
    // A blank takes quillmere-calc's default, as the sheet would be read there.
    if (r[Lang] != "ja" && r[Lang] != "en" && !r[Lang].empty()) {
        return std::nullopt;
    }
    job.Lang = r[Lang] == "en" ? Language::English : Language::Japanese;
    if (r[Units] != "metric" && r[Units] != "imperial" && !r[Units].empty()) {
        return std::nullopt;
    }
    job.Units = r[Units] == "imperial" ? UnitSystem::Imperial : UnitSystem::Metric;
    const auto named = [&r](std::size_t column, std::span<const ListEntry> list, int fallback,
                            InputField velocity) -> std::optional<int> {
        if (!r[column].empty()) {
            return EntryNamed(list, r[column]);
        }
        return r[ColumnOf(velocity)].empty() ? fallback : static_cast<int>(list.size()) - 1;
    };
    const auto sensor = r[Sensor].empty() ? std::optional<int>(0) : SensorNamed(r[Sensor]);
    const auto mount = r[Mount].empty() ? std::optional<int>(0) : MountNamed(r[Mount]);
    const auto pipe = named(PipeColumn, PipeMaterials, 0, InputField::PipeVelocity);
    const auto lining =
        named(LiningColumn, LiningMaterials, NoLiningEntry, InputField::LiningVelocity);
    const auto fluid = named(FluidColumn, FluidKinds, 0, InputField::FluidVelocity);
    if (!sensor || !mount || !pipe || !lining || !fluid) {
        return std::nullopt;
    }
    job.SensorTypeIndex = *sensor;
    job.MountMethodIndex = *mount;
    job.PipeMaterialIndex = *pipe;
    job.LiningMaterialIndex = *lining;
    job.FluidIndex = *fluid;
    for (const InputField field : InputFields) {
        job.Texts[static_cast<std::size_t>(field)] = r[ColumnOf(field)];
    }
    for (const IdentityRecord& item : IdentityItems) {
        const std::string& text = r[Site + static_cast<std::size_t>(item.Item)];
        if (!IdentityProblem(item.Item, text, job.Lang).empty()) {
            return std::nullopt;
        }
        job.Identity[item.Item] = text;
    }
    job.Result1 = r[Result1];
    job.Result2 = r[Result2];
    job.Circumferential = r[Circumferential];
    return job;
}

} // namespace

std::string CsvField(std::string_view text) {
    const bool quote = text.find_first_of(",\"\r\n") != std::string_view::npos ||
                       (!text.empty() && (text.front() == ' ' || text.back() == ' '));
    const std::string guard = SpreadsheetWouldEvaluate(text) ? "'" : "";
    if (!quote) {
        return guard + std::string(text);
    }
    std::string out = "\"" + guard;
    for (const char c : text) {
        out += c;
        if (c == '"') {
            out += '"';
        }
    }
    return out + '"';
}

std::string JobSheetHeader() {
    return Joined(JobSheetColumns, ",") + "\n";
}

std::string JobSheetLine(const JobRecord& job, std::string_view time) {
    std::array<std::string, JobSheetColumns.size()> cells;
    cells[Time] = time;
    cells[Lang] = job.Lang == Language::English ? "en" : "ja";
    cells[Units] = job.Units == UnitSystem::Imperial ? "imperial" : "metric";
    cells[Sensor] = SensorTypeName(job.SensorTypeIndex);
    cells[Mount] = Words(job, MountMethods[static_cast<std::size_t>(job.MountMethodIndex)].NameId);
    cells[PipeColumn] = Words(job, EntryNameId(PipeMaterials, job.PipeMaterialIndex));
    cells[LiningColumn] = Words(job, EntryNameId(LiningMaterials, job.LiningMaterialIndex));
    cells[FluidColumn] = Words(job, EntryNameId(FluidKinds, job.FluidIndex));
    // A value in a locked row is never read: written, quillmere-calc would refuse the row.
    for (const InputField field : InputFields) {
        if (RowOpen(field, job.PipeMaterialIndex, job.LiningMaterialIndex, job.FluidIndex)) {
            cells[ColumnOf(field)] = job.Text(field);
        }
    }
    for (const IdentityRecord& item : IdentityItems) {
        cells[Site + static_cast<std::size_t>(item.Item)] = job.Identity[item.Item];
    }
    cells[Result1] = job.Outcome.Display.Result1;
    cells[Result2] = job.Outcome.Display.Result2;
    cells[Circumferential] = job.Outcome.Display.Circumferential;
    std::vector<std::string> notes;
    for (const std::string* note : {&job.PipeSize, &job.LiningStandard, &job.FluidTemperature}) {
        if (!note->empty()) {
            notes.push_back(*note);
        }
    }
    if (const std::string below = BelowZeroNote(job); !below.empty()) {
        notes.push_back(below);
    }
    cells[Notes] = Joined(notes, "; ");
    std::string line;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        line += (i == 0 ? "" : ",") + CsvField(cells[i]);
    }
    return line + "\n";
}

std::vector<SheetJob> ReadJobSheet(std::string_view text) {
    if (text.starts_with("\xEF\xBB\xBF")) {
        text.remove_prefix(3); // saved again by a spreadsheet
    }
    const auto records = CsvRecords(text);
    std::vector<SheetJob> jobs;
    if (records.empty() || !std::equal(records.front().begin(), records.front().end(),
                                       JobSheetColumns.begin(), JobSheetColumns.end())) {
        return jobs;
    }
    for (std::size_t i = 1; i < records.size(); ++i) {
        if (auto job = JobOf(records[i])) {
            jobs.push_back(std::move(*job));
        }
    }
    return jobs;
}

} // namespace Quillmere
