#include "report/JobSummary.h"

#include "catalogue/Catalogue.h"
#include "engine/NumberText.h"
#include "engine/UnitSystem.h"
#include "rules/Fields.h"
#include "rules/HowSure.h"
#include "rules/Lists.h"
#include "rules/MeasuringPoint.h"

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

// The summary written line by line, "caption: value".
class Summary {
public:
    explicit Summary(const JobRecord& job)
        : job_(job), length_(UnitNamesOf(job.Units)[0]), speed_(UnitNamesOf(job.Units)[1]) {}

    std::string Text(const std::string& dateTime, const std::string& version) {
        out_ += Words(job_, Catalogue::ReportText::Title) + "\n";
        Identity();
        Line(Words(job_, Catalogue::ReportText::DateTime), dateTime);
        Line(Words(job_, Catalogue::ReportText::Version), "Quillmere " + version);
        Pipe();
        LiningAndFluid();
        Results();
        HowSure();
        MeasuringPoint();
        return std::move(out_);
    }

private:
    // The straight runs and the sensors' places, where the job names its measuring point.
    void MeasuringPoint() {
        if (!job_.Point.Given()) {
            return;
        }
        const SitePlan plan = PlanSite(job_, job_.Point);
        if (!plan.Ok()) {
            return; // refused before it could be recorded
        }
        for (const std::string& line : SiteLines(job_, plan)) {
            out_ += line + "\n";
        }
    }

    // How sure the spacing is and the converter's check, where the job gives a plus/minus
    // or a measured velocity.
    void HowSure() {
        if (!job_.Uncertain.Given()) {
            return;
        }
        const Assessment assessment = AssessJob(job_, job_.Uncertain);
        if (!assessment.Ok()) {
            return; // refused before it could be recorded
        }
        for (const std::string& line : AssessmentLines(job_, job_.Uncertain, assessment)) {
            out_ += line + "\n";
        }
    }

    void Line(const std::string& caption, const std::string& value) {
        out_ += caption + ": " + value + "\n";
    }
    std::string Caption(InputField field) const { return Words(job_, FieldOf(field).CaptionId); }
    std::string Typed(InputField field, const std::string& unit) const {
        return job_.Text(field) + " " + unit;
    }
    // A typed velocity, or the table's that counted, in the job's units.
    std::string Velocity(InputField field) const {
        if (!TableVelocityCounted(job_, field)) {
            return Typed(field, speed_);
        }
        return Catalogue::Fill(Words(job_, Catalogue::ReportText::TableValue),
                               {ValueReadText(job_, field) + " " + speed_});
    }

    // The job's site, tag, installer and note, those given: what ties the record to its pipe.
    void Identity() {
        for (const IdentityRecord& item : IdentityItems) {
            if (const std::string& text = job_.Identity[item.Item]; !text.empty()) {
                Line(Words(job_, item.CaptionId), text);
            }
        }
    }

    void Pipe() {
        Line(Caption(InputField::OuterDiameter), Typed(InputField::OuterDiameter, length_));
        Line(Words(job_, Catalogue::Id::PipeMaterial),
             EntryText(job_, PipeMaterials, job_.PipeMaterialIndex));
        Line(Caption(InputField::PipeVelocity), Velocity(InputField::PipeVelocity));
        Line(Caption(InputField::WallThickness), Typed(InputField::WallThickness, length_));
        if (!job_.PipeSize.empty()) {
            std::string standardPipe = Words(job_, Catalogue::PipeText::StandardPipe);
            if (standardPipe.ends_with("...")) {
                standardPipe.resize(standardPipe.size() - 3);
            }
            Line(standardPipe, job_.PipeSize);
        }
    }

    void LiningAndFluid() {
        Line(Words(job_, Catalogue::Id::LiningMaterial),
             EntryText(job_, LiningMaterials, job_.LiningMaterialIndex));
        if (job_.LiningMaterialIndex != NoLiningEntry) {
            Line(Caption(InputField::LiningVelocity), Velocity(InputField::LiningVelocity));
            Line(Caption(InputField::LiningThickness),
                 Typed(InputField::LiningThickness, length_) +
                     (job_.LiningStandard.empty() ? "" : " (" + job_.LiningStandard + ")"));
        }
        Line(Words(job_, Catalogue::Id::KindOfFluid), EntryText(job_, FluidKinds, job_.FluidIndex));
        Line(Caption(InputField::FluidVelocity),
             Velocity(InputField::FluidVelocity) +
                 (job_.FluidTemperature.empty() ? "" : " (" + job_.FluidTemperature + ")"));
    }

    void Results() {
        const DisplayTexts& shown = job_.Outcome.Display;
        Line(Words(job_, Catalogue::Id::SensorMount),
             EntryText(job_, MountMethods, job_.MountMethodIndex));
        Line(Words(job_, Catalogue::Id::SensorType),
             std::string(SensorTypeName(job_.SensorTypeIndex)));
        const std::string spacing = Words(job_, Catalogue::Id::SensorSpacing);
        Line(spacing + "1", shown.Result1 + " " + length_);
        if (!shown.Result2.empty()) {
            Line(spacing + "2",
                 Catalogue::Fill(Words(job_, Catalogue::ReportText::Steps), {shown.Result2}));
            out_ += SteppedNote(job_) + "\n";
        }
        if (!shown.Circumferential.empty()) {
            Line(Words(job_, Catalogue::CalcText::Circumferential),
                 shown.Circumferential + " " + length_);
        }
        Line(Words(job_, Catalogue::ReportText::FluidPath), FluidPathNote(job_));
        if (const std::string note = BelowZeroNote(job_); !note.empty()) {
            out_ += note + "\n";
        }
    }

    const JobRecord& job_;
    const std::string length_;
    const std::string speed_;
    std::string out_;
};

} // namespace

std::string JobSummary(const JobRecord& job, const std::string& dateTime,
                       const std::string& version) {
    return Summary(job).Text(dateTime, version);
}

} // namespace Quillmere
