#include "rules/JobRecord.h"

#include "catalogue/Catalogue.h"
#include "engine/NumberText.h"
#include "rules/Fields.h"
#include "rules/Lists.h"

#include <cmath>

namespace Quillmere {

JobRecord RecordJob(const Job& job, int mountMethodsOffered) {
    JobRecord record;
    static_cast<Job&>(record) = job;
    ComputeRecord(record, mountMethodsOffered);
    return record;
}

void ComputeRecord(JobRecord& record, int mountMethodsOffered, const ReadNumbers* read) {
    RunCalculation(record, mountMethodsOffered, record.Outcome, read);
}

void AddHelperNotes(JobRecord& job, const HelperNotes& notes) {
    if (!notes.PipeSize.empty() && job.Text(InputField::OuterDiameter) == notes.Outer &&
        job.Text(InputField::WallThickness) == notes.Wall) {
        job.PipeSize = notes.PipeSize;
    }
    if (!notes.LiningStandard.empty() && job.LiningMaterialIndex == MortarEntry &&
        job.Text(InputField::LiningThickness) == notes.Lining) {
        job.LiningStandard = notes.LiningStandard;
    }
    if (!notes.FluidTemperature.empty() && !job.FluidVelocityLocked &&
        job.Text(InputField::FluidVelocity) == notes.FluidVelocity) {
        job.FluidTemperature = notes.FluidTemperature;
        job.Fluid = notes.Fluid;
    }
}

double FluidTransitMicroseconds(const CalcOutcome& outcome) {
    const double velocity = outcome.Inputs.FluidVelocity; // m/s, which is mm/ms
    return velocity > 0 ? outcome.Breakdown.FluidPath / velocity * 1000.0 : 0.0;
}

std::string FluidPathNote(const JobRecord& job) {
    const std::string unit(UnitNamesOf(job.Units)[0]);
    const double transit = FluidTransitMicroseconds(job.Outcome);
    return Catalogue::Fill(
        Words(job, Catalogue::ReportText::FluidPathFormat),
        {PlainLengthText(job.Outcome.Breakdown.FluidPath, job.Units) + " " + unit,
         std::to_string(FluidCrossings(job.Outcome.Inputs.MountMethod)),
         FormatGroupedFixed(std::round(transit * 100) / 100, 2)});
}

bool TableVelocityCounted(const Job& job, InputField field) {
    switch (field) {
    case InputField::PipeVelocity:
        return job.PipeVelocityLocked;
    case InputField::LiningVelocity:
        return job.LiningVelocityLocked;
    case InputField::FluidVelocity:
        return job.FluidVelocityLocked;
    default:
        return false;
    }
}

std::string ValueReadText(const JobRecord& job, InputField field) {
    if (!TableVelocityCounted(job, field)) {
        return job.Text(field);
    }
    const double metric = job.Outcome.Inputs.*FieldOf(field).Input;
    return DefaultNumberText(
        job.Units == UnitSystem::Metric ? metric : std::round(metric * FeetPerMetre * 100) / 100);
}

std::string Words(const JobRecord& job, std::int16_t id) {
    return std::string(Catalogue::Text(id, job.Lang));
}

std::string SteppedNote(const JobRecord& job) {
    const DisplayTexts& shown = job.Outcome.Display;
    if (shown.Result2.empty()) {
        return "";
    }
    const std::string unit(UnitNamesOf(job.Units)[0]);
    return Catalogue::Fill(Words(job, Catalogue::ReportText::SteppedFrom),
                           {PlainLengthText(job.Outcome.Breakdown.Spacing, job.Units) + " " + unit,
                            shown.Result2, shown.Result1 + " " + unit});
}

std::string BelowZeroNote(const JobRecord& job) {
    if (job.Outcome.Breakdown.Unclamped >= 0) {
        return "";
    }
    // Shown as the plain result would be: a spacing of -0.004 mm is 0.00 and needs no note.
    const std::string computed = PlainLengthText(job.Outcome.Breakdown.Unclamped, job.Units);
    if (!computed.starts_with('-')) {
        return "";
    }
    return Catalogue::Fill(Words(job, Catalogue::ReportText::BelowZero),
                           {computed + " " + std::string(UnitNamesOf(job.Units)[0])});
}

} // namespace Quillmere
