#include "JobRecord.h"

#include "Catalogue.h"
#include "FieldCheck.h"
#include "Lists.h"
#include "MaterialTables.h"
#include "NumberText.h"
#include "UnitSystem.h"

#include <cmath>

namespace Quillmere {

JobRecord RecordJob(const CalcEntries& entries, std::int16_t stringBase) {
    JobRecord job;
    job.Outcome = RunCalculation(entries);
    job.UnitFlag = entries.UnitFlag;
    job.StringBase = stringBase;
    job.SensorTypeIndex = entries.SensorTypeIndex;
    job.PipeMaterialIndex = entries.PipeMaterialIndex;
    job.LiningMaterialIndex = entries.LiningMaterialIndex;
    job.FluidIndex = entries.FluidIndex;
    job.MountMethodIndex = entries.MountMethodIndex;
    for (const InputField field : InputFields) {
        job.Texts[static_cast<std::size_t>(field)] = std::string(entries.TextOf(field));
    }
    job.PipeVelocityLocked = entries.PipeVelocityLocked;
    job.LiningVelocityLocked = entries.LiningVelocityLocked;
    job.FluidVelocityLocked = entries.FluidVelocityLocked;
    return job;
}

void AddHelperNotes(JobRecord& job, const HelperNotes& notes) {
    if (!notes.PipeSize.empty() && job.Text(InputField::OuterDiameter) == notes.Outer &&
        job.Text(InputField::WallThickness) == notes.Wall) {
        job.PipeSize = notes.PipeSize;
    }
    if (!notes.FluidTemperature.empty() && !job.FluidVelocityLocked &&
        job.Text(InputField::FluidVelocity) == notes.FluidVelocity) {
        job.FluidTemperature = notes.FluidTemperature;
    }
}

std::string Words(const JobRecord& job, std::int16_t id) {
    return std::string(Catalogue::Text(id, job.StringBase));
}

namespace {

// The list entry's text, from the list's source of catalogue ids.
template <std::size_t N>
std::string EntryText(const JobRecord& job, const std::array<std::int16_t, N>& ids, int index) {
    if (index < 0 || static_cast<std::size_t>(index) + 1 >= N) {
        return "";
    }
    return Words(job, ListEntryId(ids, index));
}

std::string MountText(const JobRecord& job) {
    const int m = job.MountMethodIndex;
    return m >= 0 && m < MountMethodCount
               ? Words(job, MountMethodNameIds[static_cast<std::size_t>(m)])
               : "";
}

} // namespace

std::string JobSummary(const JobRecord& job, const std::string& dateTime,
                       const std::string& version) {
    namespace Id = Catalogue::Id;
    namespace R = Catalogue::ReportText;
    const UnitNamesSet units = SubGetUnitForm1(job.UnitFlag);
    const std::string length(units[0]);
    const std::string speed(units[1]);
    std::string out;
    const auto line = [&out](const std::string& caption, const std::string& value) {
        out += caption + ": " + value + "\n";
    };
    const auto caption = [&job](InputField field) { return Words(job, CaptionId(field)); };
    const auto typed = [&job](InputField field, const std::string& unit) {
        return job.Text(field) + " " + unit;
    };
    const auto velocity = [&](InputField field, bool locked, double tableValue) {
        if (!locked) {
            return typed(field, speed);
        }
        // The table's velocity counted, as it is stored in m/s; in the job's units beside
        // fields in ft/s, to the hundredth.
        const double shown = job.UnitFlag == 0 ? tableValue
                                               : std::round(tableValue * FeetPerMetre * 100) / 100;
        return Catalogue::Fill(Words(job, R::TableValue), {DefaultNumberText(shown) + " " + speed});
    };

    out += Words(job, R::Title) + "\n";
    line(Words(job, R::DateTime), dateTime);
    line(Words(job, R::Version), "Quillmere " + version);
    line(caption(InputField::OuterDiameter), typed(InputField::OuterDiameter, length));
    line(Words(job, Id::PipeMaterial), EntryText(job, PipeMaterialIds, job.PipeMaterialIndex));
    line(caption(InputField::PipeVelocity),
         velocity(InputField::PipeVelocity, job.PipeVelocityLocked, job.Outcome.Inputs.PipeVelocity));
    line(caption(InputField::WallThickness), typed(InputField::WallThickness, length));
    if (!job.PipeSize.empty()) {
        std::string standardPipe = Words(job, Catalogue::PipeText::StandardPipe);
        if (standardPipe.ends_with("...")) {
            standardPipe.resize(standardPipe.size() - 3);
        }
        line(standardPipe, job.PipeSize);
    }
    line(Words(job, Id::LiningMaterial), EntryText(job, LiningMaterialIds, job.LiningMaterialIndex));
    if (job.LiningMaterialIndex != NoLiningEntry) {
        line(caption(InputField::LiningVelocity),
             velocity(InputField::LiningVelocity, job.LiningVelocityLocked,
                      job.Outcome.Inputs.LiningVelocity));
        line(caption(InputField::LiningThickness), typed(InputField::LiningThickness, length));
    }
    line(Words(job, Id::KindOfFluid), EntryText(job, FluidKindIds, job.FluidIndex));
    line(caption(InputField::FluidVelocity),
         velocity(InputField::FluidVelocity, job.FluidVelocityLocked,
                  job.Outcome.Inputs.FluidVelocity) +
             (job.FluidTemperature.empty() ? "" : " (" + job.FluidTemperature + ")"));
    line(Words(job, Id::SensorMount), MountText(job));
    line(Words(job, Id::SensorType), std::string(SensorTypeName(job.SensorTypeIndex)));
    const std::string spacing = Words(job, Id::SensorSpacing);
    line(spacing + "1", job.Outcome.Display.Result1 + " " + length);
    if (!job.Outcome.Display.Result2.empty()) {
        line(spacing + "2", Catalogue::Fill(Words(job, R::Steps), {job.Outcome.Display.Result2}));
        out += SteppedNote(job) + "\n";
    }
    if (const std::string& around = job.Outcome.Display.Circumferential; !around.empty()) {
        line(Words(job, Catalogue::CalcText::Circumferential), around + " " + length);
    }
    if (const std::string note = BelowZeroNote(job); !note.empty()) {
        out += note + "\n";
    }
    return out;
}

std::string SteppedNote(const JobRecord& job) {
    const DisplayTexts& shown = job.Outcome.Display;
    if (shown.Result2.empty()) {
        return "";
    }
    const std::string unit(SubGetUnitForm1(job.UnitFlag)[0]);
    return Catalogue::Fill(
        Words(job, Catalogue::ReportText::SteppedFrom),
        {PlainLengthText(job.Outcome.Breakdown.Spacing, job.UnitFlag) + " " + unit, shown.Result2,
         shown.Result1 + " " + unit});
}

std::string BelowZeroNote(const JobRecord& job) {
    // Shown as the plain result would be: a spacing of -0.004 mm is 0.00 and needs no note.
    const std::string computed = PlainLengthText(job.Outcome.Breakdown.Unclamped, job.UnitFlag);
    if (!computed.starts_with('-')) {
        return "";
    }
    return Catalogue::Fill(Words(job, Catalogue::ReportText::BelowZero),
                           {computed + " " + std::string(SubGetUnitForm1(job.UnitFlag)[0])});
}

} // namespace Quillmere
