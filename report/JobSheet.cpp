#include "report/JobSheet.h"

#include "catalogue/Catalogue.h"
#include "report/CsvStream.h"
#include "rules/Fields.h"
#include "rules/JobColumns.h"
#include "rules/Lists.h"
#include "rules/ReadJob.h"
#include "rules/RunNames.h"
#include "rules/TextFold.h"

#include <algorithm>

namespace Quillmere {

namespace {

// What the helpers chose, and why a spacing is 0.00.
std::string NotesOf(const JobRecord& job) {
    std::vector<std::string> notes;
    for (const std::string* note : {&job.PipeSize, &job.LiningStandard, &job.FluidTemperature}) {
        if (!note->empty()) {
            notes.push_back(*note);
        }
    }
    if (const std::string below = BelowZeroNote(job); !below.empty()) {
        notes.push_back(below);
    }
    return Joined(notes, "; ");
}

// A cell of the job's row. A value in a locked row is never read: written, quillmere-calc
// would refuse the row.
std::string CellOf(Column column, const JobRecord& job, std::string_view time) {
    const auto field = [&job](InputField f) {
        return RowOpen(f, job.PipeMaterialIndex, job.LiningMaterialIndex, job.FluidIndex)
                   ? job.Text(f)
                   : std::string();
    };
    switch (column) {
    case Column::Time:
        return std::string(time);
    case Column::Lang:
        return std::string(LanguageCode(job.Lang));
    case Column::Units:
        return std::string(UnitSystemName(job.Units));
    case Column::Sensor:
        return std::string(SensorTypeName(job.SensorTypeIndex));
    case Column::Mount:
        return Words(job, MountMethods[static_cast<std::size_t>(job.MountMethodIndex)].NameId);
    case Column::Pipe:
        return Words(job, EntryNameId(PipeMaterials, job.PipeMaterialIndex));
    case Column::Lining:
        return Words(job, EntryNameId(LiningMaterials, job.LiningMaterialIndex));
    case Column::Fluid:
        return Words(job, EntryNameId(FluidKinds, job.FluidIndex));
    case Column::Site:
        return job.Identity[IdentityItem::Site];
    case Column::Tag:
        return job.Identity[IdentityItem::Tag];
    case Column::Installer:
        return job.Identity[IdentityItem::Installer];
    case Column::Note:
        return job.Identity[IdentityItem::Note];
    case Column::Result1:
        return job.Outcome.Display.Result1;
    case Column::Result2:
        return job.Outcome.Display.Result2;
    case Column::Circumferential:
        return job.Outcome.Display.Circumferential;
    case Column::Notes:
        return NotesOf(job);
    default:
        break;
    }
    for (const InputField f : InputFields) {
        if (ColumnOf(f) == column) {
            return field(f);
        }
    }
    return {};
}

} // namespace

std::string JobSheetHeader() {
    std::vector<std::string_view> names;
    for (const Column column : JobSheetColumns) {
        names.push_back(ColumnName(column));
    }
    return Joined(names, ",") + "\n";
}

std::string JobSheetLine(const JobRecord& job, std::string_view time) {
    std::string line;
    CsvWriter writer(line);
    for (const Column column : JobSheetColumns) {
        writer.Field(CellOf(column, job, time));
    }
    writer.EndRecord();
    writer.Flush();
    return line;
}

std::vector<SheetJob> ReadJobSheet(std::string_view text) {
    std::vector<SheetJob> jobs;
    CsvReader reader(text);
    std::vector<std::string> header;
    if (!NextRecord(reader, header) || header.size() != JobSheetColumns.size() ||
        !std::equal(header.begin(), header.end(), JobSheetColumns.begin(),
                    [](const std::string& name, Column c) { return name == ColumnName(c); })) {
        return jobs;
    }
    const SheetColumns columns(JobSheetColumns.begin(), JobSheetColumns.end());
    std::vector<std::string_view> row;
    JobReading reading;
    while (NextRecord(reader, row)) {
        if (row.size() != columns.size()) {
            continue;
        }
        const ColumnTexts texts = RowTexts(columns, row, {});
        reading = {};
        ReadJob(texts, reading, JobStep::Read);
        if (!reading.Ok) {
            continue;
        }
        SheetJob job;
        static_cast<Job&>(job) = reading.Record;
        job.Time = texts.Text(Column::Time);
        job.Result1 = texts.Text(Column::Result1);
        job.Result2 = texts.Text(Column::Result2);
        job.Circumferential = texts.Text(Column::Circumferential);
        jobs.push_back(std::move(job));
    }
    return jobs;
}

} // namespace Quillmere
