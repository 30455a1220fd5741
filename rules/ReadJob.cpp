#include "rules/ReadJob.h"

#include "catalogue/Catalogue.h"
#include "engine/Engine.h"
#include "rules/FieldCheck.h"
#include "rules/FluidAtTemperature.h"
#include "rules/HowSure.h"
#include "rules/Lists.h"
#include "rules/NameLists.h"
#include "rules/RunNames.h"
#include "rules/TextFold.h"
#include "rules/Utf8.h"
#include "rules/Words.h"

#include <algorithm>
#include <utility>

namespace Quillmere {

namespace {

std::string_view Value(const ColumnTexts& in, Column c) {
    return in.Text(c);
}

} // namespace

std::string CatalogueText(std::int16_t id, Language lang) {
    return std::string(Catalogue::Text(id, lang));
}

std::string PipeMaterialText(const JobReading& outcome) {
    return CatalogueText(EntryNameId(PipeMaterials, outcome.Record.PipeMaterialIndex),
                         outcome.Lang);
}

std::string_view LengthUnit(const JobReading& outcome) {
    return UnitNamesOf(outcome.Units)[0];
}

std::vector<std::string> HelperLines(const JobReading& outcome) {
    std::vector<std::string> lines;
    if (outcome.Pipe.Table != nullptr) {
        lines.push_back(CatalogueText(Catalogue::Id::OuterDiameter, outcome.Lang) + " / " +
                        CatalogueText(Catalogue::Id::WallThickness, outcome.Lang) + ": " +
                        outcome.Pipe.OuterText + " / " + outcome.Pipe.WallText + " [" +
                        std::string(LengthUnit(outcome)) + "] (" + PipeSizeNote(outcome.Pipe) +
                        ")");
        lines.push_back(CatalogueText(Catalogue::Id::PipeMaterial, outcome.Lang) + ": " +
                        PipeMaterialText(outcome));
        if (outcome.Pipe.Lining != nullptr) {
            // "LINING MATERIAL: MORTAR 3 [mm] (ISO 4179:2005)"
            lines.push_back(
                CatalogueText(Catalogue::Id::LiningMaterial, outcome.Lang) + ": " +
                Catalogue::Fill(
                    CatalogueText(Catalogue::PipeText::LiningFrom, outcome.Lang),
                    {CatalogueText(EntryNameId(LiningMaterials, MortarEntry), outcome.Lang),
                     outcome.Pipe.LiningText + " [" + std::string(LengthUnit(outcome)) + "]",
                     LiningStandardName(outcome.Pipe)}));
        }
    }
    if (!outcome.Temperature.empty()) {
        lines.push_back(CatalogueText(Catalogue::Id::FluidVelocity, outcome.Lang) + ": " +
                        outcome.Record.Text(InputField::FluidVelocity) + " " +
                        std::string(UnitNamesOf(outcome.Units)[1]) + " (" + outcome.Temperature +
                        ")");
    }
    return lines;
}

std::optional<UnitSystem> UnitsOf(const ColumnTexts& in) {
    const std::string_view units = Value(in, Column::Units);
    if (const auto named = UnitSystemNamed(units)) {
        return named;
    }
    return Unpadded(units).empty() ? std::optional(UnitSystem::Metric) : std::nullopt;
}

std::optional<Language> KnownLanguageOf(const ColumnTexts& in) {
    const std::string_view lang = Value(in, Column::Lang);
    if (const auto named = LanguageNamed(lang)) {
        return named;
    }
    return Unpadded(lang).empty() ? std::optional(Language::Japanese) : std::nullopt;
}

Language LanguageOf(const ColumnTexts& in) {
    return KnownLanguageOf(in).value_or(Language::Japanese);
}

namespace {

namespace T = Catalogue::CalcText;

// The characters a field would hold of a text: UTF-16 units, as the window's fields count
// them. A text of more bytes than four a field's characters is too long uncounted.
std::size_t FieldLength(std::string_view text) {
    const bool ascii = std::all_of(text.begin(), text.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    return ascii || text.size() > 64 ? text.size() : Utf16FromUtf8(text).size();
}

// A job from its texts to its outcome, in the steps the window takes. A step that
// refuses the case records why in the outcome and returns false.
class Reading {
public:
    Reading(const ColumnTexts& given, JobReading& out) : given_(given), out_(out) {}
    Reading(const Reading&) = delete; // it points into itself
    Reading& operator=(const Reading&) = delete;

    void Run(bool compute) {
        if (ReadRunSettings() && ReadIdentity() && ApplyHelpers() && ReadLists() && CheckFields()) {
            if (compute) {
                Compute();
            } else {
                Build(out_.Record);
                out_.Ok = true;
            }
        }
    }

private:
    bool Fail(std::int16_t id, std::string_view what = {}) {
        out_.Error = CatalogueText(id, out_.Lang);
        if (!what.empty()) {
            // A long value is shown by its start: enough to find it in the sheet.
            out_.Error += ": " + Printable(Abridged(what));
        }
        return false;
    }
    bool FailIn(Column column, std::int16_t id, std::string_view what = {}) {
        out_.ErrorColumn = column;
        return Fail(id, what);
    }
    // A name no list holds, with the names it may have been meant for.
    bool FailUnknown(Column column, std::int16_t id, std::string_view text, const NameList& names) {
        FailIn(column, id, text);
        if (const std::string nearest = names.Nearest(text); !nearest.empty()) {
            out_.Error +=
                " (" + Catalogue::Fill(CatalogueText(T::DidYouMean, out_.Lang), {nearest}) + ")";
        }
        return false;
    }
    bool FailIn(Column column, std::string message) {
        out_.ErrorColumn = column;
        out_.Error = std::move(message);
        return false;
    }

    // The case with what a helper worked out (a standard size's diameter and wall, water's
    // velocity at its temperature) typed in, as the window's fields would hold it.
    const ColumnTexts& In() const { return *in_; }
    ColumnTexts& Filled() {
        if (!filled_) {
            filled_ = given_;
            in_ = &*filled_;
        }
        return *filled_;
    }

    bool ReadRunSettings() {
        if (const auto units = UnitsOf(given_)) {
            out_.Units = *units;
        } else {
            return FailIn(Column::Units, "Unknown unit system (metric or imperial): " +
                                             Printable(Value(given_, Column::Units)));
        }
        if (const auto base = KnownLanguageOf(given_)) {
            out_.Lang = *base;
        } else {
            return FailIn(Column::Lang,
                          "Unknown language (ja or en): " + Printable(Value(given_, Column::Lang)));
        }
        return true;
    }

    // Site, tag, installer and note: printed as typed, so refused where they could not be.
    bool ReadIdentity() {
        for (const IdentityRecord& item : IdentityItems) {
            const Column column = ColumnOf(item.Item);
            const std::string_view text = Unpadded(Value(given_, column));
            if (text.empty()) {
                continue; // most rows name no job: nothing to check or keep
            }
            if (std::string problem = IdentityProblem(item.Item, text, out_.Lang);
                !problem.empty()) {
                return FailIn(column, std::move(problem));
            }
            identity_[item.Item] = std::string(text);
        }
        return true;
    }

    bool ApplyHelpers() {
        const std::string_view temperature = Value(given_, Column::FluidTemperature);
        for (const Column condition : {Column::FluidPressure, Column::Salinity}) {
            if (temperature.empty() && !Unpadded(Value(given_, condition)).empty()) {
                return FailIn(
                    condition,
                    Catalogue::Fill(
                        Catalogue::Text(Catalogue::WaterText::WithTemperatureOnly, out_.Lang),
                        {std::string(ColumnName(condition))}));
            }
        }
        // Water at a temperature: the equation's velocity, typed as FLUID S.V. would be.
        if (!temperature.empty()) {
            if (!Value(given_, Column::FluidVelocity).empty()) {
                return FailIn(Column::FluidTemperature,
                              Catalogue::ReportText::TemperatureAndVelocity);
            }
            int named = 0; // WATER unless told otherwise
            if (const std::string_view fluid = Value(given_, Column::Fluid); !fluid.empty()) {
                const auto found = FluidNames().Find(fluid);
                if (!found) {
                    return FailUnknown(Column::Fluid, T::UnknownFluid, fluid, FluidNames());
                }
                named = *found;
            }
            const FluidAtTemperature water = VelocityFromTemperature(
                named, temperature, out_.Units, out_.Lang, Value(given_, Column::FluidPressure),
                Value(given_, Column::Salinity));
            if (!water.Error.empty()) {
                return FailIn(water.ErrorIn == WaterInput::Pressure   ? Column::FluidPressure
                              : water.ErrorIn == WaterInput::Salinity ? Column::Salinity
                                                                      : Column::FluidTemperature,
                              water.Error);
            }
            out_.Temperature = water.Note;
            water_ = FluidSource{water.Celsius, water.State, water.Equation};
            out_.TemperatureEquation = std::string(water.Equation->Name);
            Filled()[Column::Fluid] = std::nullopt;
            temperatureVelocity_ = water.VelocityText;
            Filled()[Column::FluidVelocity] = temperatureVelocity_;
        }
        // Blanks are free in a size, so a size of blanks only is no size (a sheet's " " cell).
        if (const std::string_view size = Value(given_, Column::PipeSize);
            !Unpadded(size).empty()) {
            if (!Value(given_, Column::OuterDiameter).empty() ||
                !Value(given_, Column::Wall).empty()) {
                return FailIn(Column::PipeSize, Catalogue::PipeText::SizeAndDimensions);
            }
            out_.Pipe = ChoosePipeSize(size, out_.Units, out_.Lang);
            if (!out_.Pipe.Error.empty()) {
                // It quotes the size as typed: escaped like every value a message quotes.
                return FailIn(Column::PipeSize, Printable(out_.Pipe.Error));
            }
            Filled()[Column::OuterDiameter] = out_.Pipe.OuterText;
            Filled()[Column::Wall] = out_.Pipe.WallText;
            // "mortar" types the lining as the size typed the pipe: neither may be given too.
            if (out_.Pipe.Lining != nullptr) {
                if (!Value(given_, Column::Lining).empty() ||
                    !Value(given_, Column::LiningThickness).empty() ||
                    !Value(given_, Column::LiningVelocity).empty()) {
                    return FailIn(Column::PipeSize, Catalogue::PipeText::SizeAndLining);
                }
                Filled()[Column::LiningThickness] = out_.Pipe.LiningText;
            }
        }
        return true;
    }

    // The window's defaults: RESERVE, V method, carbon steel, no lining, water.
    bool ReadLists() {
        if (const std::string_view text = Value(In(), Column::Sensor); !text.empty()) {
            const auto found = SensorNames().Find(text);
            if (!found) {
                return FailUnknown(Column::Sensor, T::UnknownSensorType, text, SensorNames());
            }
            sensor_ = *found;
        }
        if (const std::string_view text = Value(In(), Column::Mount); !text.empty()) {
            const auto found = MountNames().Find(text);
            if (!found) {
                return FailUnknown(Column::Mount, T::UnknownMountMethod, text, MountNames());
            }
            out_.Mount = static_cast<MountMethod>(*found);
        }
        // A standard size without a material named is of the standard's material: a PVC size
        // computed as carbon steel would be a believable wrong spacing.
        const int pipeFallback =
            out_.Pipe.Table != nullptr ? PipeMaterialWith(*out_.Pipe.Table, 0) : 0;
        return Pick(pipe_, Column::Pipe, Column::PipeVelocity, PipeNames(), PipeUserEntry,
                    pipeFallback, T::UnknownPipeMaterial) &&
               Pick(lining_, Column::Lining, Column::LiningVelocity, LiningNames(), LiningUserEntry,
                    out_.Pipe.Lining != nullptr ? MortarEntry : NoLiningEntry,
                    T::UnknownLiningMaterial) &&
               Pick(fluid_, Column::Fluid, Column::FluidVelocity, FluidNames(), FluidUserEntry, 0,
                    T::UnknownFluid);
    }

    // A named entry takes its velocity from the table, as the locked field does in the
    // window; with only a typed velocity the list's user entry is chosen.
    bool Pick(int& index, Column name, Column velocity, const NameList& names, int userEntry,
              int fallback, std::int16_t unknown) {
        if (const std::string_view text = Value(In(), name); !text.empty()) {
            const auto found = names.Find(text);
            if (!found) {
                return FailUnknown(name, unknown, text, names);
            }
            index = *found;
        } else {
            index = Value(In(), velocity).empty() ? fallback : userEntry;
        }
        return true;
    }

    bool CheckFields() {
        // A value in a field the lists lock (the window greys it) is never read: dropped
        // without a word, the spacing would not be the one the user asked for.
        for (const InputField field : InputFields) {
            const Column column = ColumnOf(field);
            if (!Value(In(), column).empty() && !RowOpen(field, pipe_, lining_, fluid_)) {
                return FailIn(column, UnreadValue(field));
            }
        }
        // The leave-field checks.
        for (const InputField field : InputFields) {
            const Column column = ColumnOf(field);
            const std::string_view text = Value(In(), column);
            if (text.empty()) {
                continue; // an empty field is accepted on leaving it
            }
            // The window's fields take no more characters than their longest limit; a text of
            // more bytes than four a character is too long before it is converted.
            const auto limit = static_cast<std::size_t>(MaxInputLength(field, out_.Units));
            std::optional<double> value; // read the quick way, as the computation would
            const std::int16_t message = FieldLength(text) <= limit
                                             ? LeaveFieldMessageId(text, field, out_.Units, &value)
                                             : T::TooLong;
            if (message != 0) {
                out_.ErrorRange = RangeLabelText(field, out_.Units);
                return FailIn(column, message, message == T::TooLong ? text : std::string_view());
            }
            if (value) {
                read_[static_cast<std::size_t>(field)] = ReadNumber{text, *value};
            }
        }
        return true;
    }

    // "PVC has its own sound velocity...", "LINING THICKNESS counts only with a lining...".
    std::string UnreadValue(InputField field) const {
        const auto words = [this](std::int16_t id) { return CatalogueText(id, out_.Lang); };
        const std::string caption = words(FieldOf(field).CaptionId);
        if (lining_ == NoLiningEntry &&
            (field == InputField::LiningVelocity || field == InputField::LiningThickness)) {
            return Catalogue::Fill(words(T::NeedsLining),
                                   {caption, words(Catalogue::Id::LiningMaterial)});
        }
        const std::int16_t named =
            field == InputField::PipeVelocity     ? EntryNameId(PipeMaterials, pipe_)
            : field == InputField::LiningVelocity ? EntryNameId(LiningMaterials, lining_)
                                                  : EntryNameId(FluidKinds, fluid_);
        return Catalogue::Fill(words(T::NamedAndVelocity), {words(named), caption});
    }

    // The job the texts describe, as the window's controls would hold it, into the fresh
    // reading's record: built there, the job is never copied.
    void Build(Job& job) {
        job.Units = out_.Units;
        job.Lang = out_.Lang;
        job.SensorTypeIndex = sensor_;
        job.PipeMaterialIndex = pipe_;
        job.LiningMaterialIndex = lining_;
        job.FluidIndex = fluid_;
        job.MountMethodIndex = static_cast<int>(out_.Mount);
        // A text only where the row gives one: most rows leave most columns empty, and an
        // empty string copied is work a million rows pay for.
        const auto take = [this](Column column, std::string& text) {
            if (const std::string_view value = Value(In(), column); !value.empty()) {
                // Appended to the fresh record's empty text: the plain copy, not the
                // general replacement assigning goes through.
                text.clear();
                text.append(value);
            }
        };
        for (const InputField field : InputFields) {
            take(ColumnOf(field), job.Text(field));
        }
        LockVelocitiesByLists(job);
        if (!identity_.Empty()) { // most rows name no job
            job.Identity = std::move(identity_);
        }
        for (const InputField field : InputFields) {
            take(ToleranceColumnOf(field), job.Uncertain.Of(field));
        }
        take(Column::MeasuredFluidVelocity, job.Uncertain.MeasuredFluidVelocity);
        take(Column::Upstream, job.Point.Upstream);
        take(Column::Downstream, job.Point.Downstream);
        take(Column::AvailableUpstream, job.Point.AvailableUpstream);
        take(Column::AvailableDownstream, job.Point.AvailableDownstream);
        take(Column::PipeRun, job.Point.Run);
    }

    void Compute() {
        out_.Crossings = FluidCrossings(static_cast<std::int16_t>(out_.Mount));
        try {
            Build(out_.Record);
            ComputeRecord(out_.Record, MountMethodCount, &read_);
        } catch (const EngineError& error) {
            out_.Record = JobRecord(); // a refused job has no record
            out_.Error = ErrorDescription(error, out_.Lang);
            if (const std::optional<InputField> field = error.field()) {
                out_.ErrorColumn = ColumnOf(*field);
                if (error.kind() == ErrorKind::EmptyInput) {
                    out_.ErrorRange = RangeLabelText(*field, out_.Units);
                }
            }
            return;
        } catch (const std::exception&) {
            out_.Record = JobRecord();
            Fail(Catalogue::ErrorText::Unexpected);
            return;
        }
        // Most rows are typed, with no size, lining standard or temperature to note.
        if (out_.Pipe.Table != nullptr) {
            out_.Record.PipeSize = PipeSizeNote(out_.Pipe);
        }
        if (out_.Pipe.Lining != nullptr) {
            out_.Record.LiningStandard = LiningStandardName(out_.Pipe);
        }
        if (!out_.Temperature.empty()) {
            out_.Record.FluidTemperature = out_.Temperature;
        }
        out_.Record.Fluid = water_;
        if (out_.Record.Outcome.Breakdown.Unclamped < 0) { // nearly every spacing is above 0
            out_.Warning = BelowZeroNote(out_.Record);
        }
        // How sure it is, where the texts give a plus/minus or a measured velocity: one refused
        // refuses the job. Without them nothing is asked of it here (a sheet row pays for no
        // derivatives it does not write).
        if (out_.Record.Uncertain.Given()) {
            out_.HowSure = AssessJob(out_.Record, out_.Record.Uncertain);
        }
        if (!out_.HowSure.Ok()) {
            RefuseComputed(out_.HowSure.ErrorInMeasured
                               ? Column::MeasuredFluidVelocity
                               : ToleranceColumnOf(*out_.HowSure.ErrorField),
                           Printable(out_.HowSure.Error));
            return;
        }
        if (out_.Record.Point.Given()) {
            out_.Site = PlanSite(out_.Record, out_.Record.Point);
            if (!out_.Site->Ok()) {
                static constexpr std::array<Column, 5> inputs{
                    Column::Upstream, Column::Downstream, Column::AvailableUpstream,
                    Column::AvailableDownstream, Column::PipeRun};
                RefuseComputed(inputs[static_cast<std::size_t>(out_.Site->ErrorInput)],
                               out_.Site->Error);
                return;
            }
        }
        out_.Ok = true;
    }

    // A job refused after its spacing was computed (a plus/minus or a fitting that cannot be
    // read) keeps no results, as one refused before: nothing may show a spacing beside its
    // error.
    void RefuseComputed(Column column, std::string message) {
        out_.Record = JobRecord();
        FailIn(column, std::move(message));
    }

    const ColumnTexts& given_;
    std::optional<ColumnTexts> filled_;
    const ColumnTexts* in_ = &given_; // the filled texts once a helper has typed into them
    std::string temperatureVelocity_; // FLUID S.V. as the temperature gives it
    JobIdentity identity_;
    std::optional<FluidSource> water_; // the water FLUID S.V. came from
    ReadNumbers read_;                 // the fields' numbers as the checks read them
    JobReading& out_;
    int sensor_ = 0;
    int pipe_ = 0;
    int lining_ = 0;
    int fluid_ = 0;
};

} // namespace

namespace {

template <std::size_t N> void Clear(std::array<std::string, N>& texts) {
    for (std::string& text : texts) {
        text.clear();
    }
}

void Renew(Job& job, const Job& fresh) {
    job.Units = fresh.Units;
    job.Lang = fresh.Lang;
    job.SensorTypeIndex = fresh.SensorTypeIndex;
    job.MountMethodIndex = fresh.MountMethodIndex;
    job.PipeMaterialIndex = fresh.PipeMaterialIndex;
    job.LiningMaterialIndex = fresh.LiningMaterialIndex;
    job.FluidIndex = fresh.FluidIndex;
    Clear(job.Texts);
    job.PipeVelocityLocked = fresh.PipeVelocityLocked;
    job.LiningVelocityLocked = fresh.LiningVelocityLocked;
    job.FluidVelocityLocked = fresh.FluidVelocityLocked;
    Clear(job.Identity.Texts);
    Clear(job.Uncertain.PlusMinus);
    job.Uncertain.MeasuredFluidVelocity.clear();
    job.Point.Upstream.clear();
    job.Point.Downstream.clear();
    job.Point.AvailableUpstream.clear();
    job.Point.AvailableDownstream.clear();
    job.Point.Run.clear();
}

void Renew(Assessment& sure, const Assessment& fresh) {
    sure.Error.clear();
    sure.ErrorField.reset();
    sure.ErrorInMeasured = fresh.ErrorInMeasured;
    sure.Sensitivities.clear();
    sure.Toleranced = fresh.Toleranced;
    sure.SpacingMinMm = fresh.SpacingMinMm;
    sure.SpacingMaxMm = fresh.SpacingMaxMm;
    sure.FlowErrorMinPercent = fresh.FlowErrorMinPercent;
    sure.FlowErrorMaxPercent = fresh.FlowErrorMaxPercent;
    sure.Bars.clear();
    sure.DeltaTNsPerMs = fresh.DeltaTNsPerMs;
    sure.Measured.reset();
}

} // namespace

// Each member, or a row would show what the row before it left. A member added to the
// reading, or to what it holds, changes its size: this stops the build until it is renewed.
static_assert(sizeof(void*) != 8 || sizeof(JobReading) == 1952,
              "a member of JobReading that Renew(JobReading&) does not renew");

void Renew(JobReading& reading) {
    static const JobReading fresh;
    reading.Ok = fresh.Ok;
    reading.Error.clear();
    reading.ErrorColumn.reset();
    reading.ErrorRange.clear();
    reading.Units = fresh.Units;
    reading.Lang = fresh.Lang;
    reading.Mount = fresh.Mount;
    reading.Crossings = fresh.Crossings;

    JobRecord& record = reading.Record;
    Renew(record, fresh.Record);
    record.Outcome.Inputs = fresh.Record.Outcome.Inputs;
    record.Outcome.Breakdown = fresh.Record.Outcome.Breakdown;
    record.Outcome.Display.Result1.clear();
    record.Outcome.Display.Result2.clear();
    record.Outcome.Display.Circumferential.clear();
    record.PipeSize.clear();
    record.FluidTemperature.clear();
    record.LiningStandard.clear();
    record.Fluid.reset();

    reading.Temperature.clear();
    reading.TemperatureEquation.clear();
    PipeChoice& pipe = reading.Pipe;
    pipe.Table = fresh.Pipe.Table;
    pipe.Row = fresh.Pipe.Row;
    pipe.Schedule = fresh.Pipe.Schedule;
    pipe.OuterText.clear();
    pipe.WallText.clear();
    pipe.Lining = fresh.Pipe.Lining;
    pipe.LiningMm = fresh.Pipe.LiningMm;
    pipe.LiningText.clear();
    pipe.Error.clear();
    reading.Warning.clear();
    Renew(reading.HowSure, fresh.HowSure);
    reading.Site.reset();
}

JobReading ReadJob(const ColumnTexts& texts, JobStep until) {
    JobReading out;
    ReadJob(texts, out, until);
    return out;
}

void ReadJob(const ColumnTexts& texts, JobReading& out, JobStep until) {
    Reading(texts, out).Run(until == JobStep::Computed);
}

} // namespace Quillmere
