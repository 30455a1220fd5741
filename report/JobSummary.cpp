#include "JobSummary.h"

#include "Catalogue.h"
#include "Fields.h"
#include "Lists.h"
#include "NumberText.h"
#include "UnitSystem.h"

#include <cmath>

namespace Quillmere {

namespace {

// The name of a list's entry; none for an index outside the list.
template <typename Entries>
std::string EntryText(const JobRecord& job, const Entries& entries, int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= entries.size()) {
        return "";
    }
    return Words(job, entries[static_cast<std::size_t>(index)].NameId);
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
    const auto caption = [&job](InputField field) { return Words(job, FieldOf(field).CaptionId); };
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
    line(Words(job, Id::PipeMaterial), EntryText(job, PipeMaterials, job.PipeMaterialIndex));
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
    line(Words(job, Id::LiningMaterial), EntryText(job, LiningMaterials, job.LiningMaterialIndex));
    if (job.LiningMaterialIndex != NoLiningEntry) {
        line(caption(InputField::LiningVelocity),
             velocity(InputField::LiningVelocity, job.LiningVelocityLocked,
                      job.Outcome.Inputs.LiningVelocity));
        line(caption(InputField::LiningThickness), typed(InputField::LiningThickness, length));
    }
    line(Words(job, Id::KindOfFluid), EntryText(job, FluidKinds, job.FluidIndex));
    line(caption(InputField::FluidVelocity),
         velocity(InputField::FluidVelocity, job.FluidVelocityLocked,
                  job.Outcome.Inputs.FluidVelocity) +
             (job.FluidTemperature.empty() ? "" : " (" + job.FluidTemperature + ")"));
    line(Words(job, Id::SensorMount), EntryText(job, MountMethods, job.MountMethodIndex));
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

} // namespace Quillmere
