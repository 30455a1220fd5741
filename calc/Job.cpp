#include "calc/Job.h"

#include "calc/CsvStream.h"
#include "catalogue/Catalogue.h"
#include "engine/AsciiCase.h"
#include "engine/Engine.h"
#include "rules/Rules.h"
#include "rules/RunNames.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace QuillmereCalc {

using namespace Quillmere;

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

std::string_view Value(const CaseInput& in, Column c) {
    return in[c] ? *in[c] : std::string_view();
}

} // namespace

namespace {

// A heading that is one of the window's captions, in either language and as typed
// ("WALL THICKNESS", "配管厚さ", "ライニング厚さ"; "pipe_material" and "Kind-of-Fluid" as
// well, as the column names are written): a sheet made with the window's own words.
std::optional<Column> ColumnByCaption(std::string_view heading) {
    namespace Id = Catalogue::Id;
    static constexpr std::pair<std::int16_t, Column> captions[] = {
        {Id::SensorType, Column::Sensor},
        {Id::SensorMount, Column::Mount},
        {Id::OuterDiameter, Column::OuterDiameter},
        {Id::WallThickness, Column::Wall},
        {Id::PipeMaterial, Column::Pipe},
        {Id::PipeVelocity, Column::PipeVelocity},
        {Id::LiningMaterial, Column::Lining},
        {Id::LiningThickness, Column::LiningThickness},
        {Id::LiningVelocity, Column::LiningVelocity},
        {Id::KindOfFluid, Column::Fluid},
        {Id::FluidVelocity, Column::FluidVelocity},
        {Catalogue::JobText::Site, Column::Site},
        {Catalogue::JobText::Tag, Column::Tag},
        {Catalogue::JobText::Installer, Column::Installer},
        {Catalogue::JobText::Note, Column::Note},
    };
    static const NameList names = [] {
        NameList list;
        for (const auto& [id, column] : captions) {
            list.AddText(id, static_cast<int>(column));
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
    static const std::vector<std::string> names(ColumnNames.begin(), ColumnNames.end());
    return names;
}

} // namespace

std::optional<SheetColumns> HeaderColumns(const std::vector<std::string>& names,
                                          std::string& problem) {
    SheetColumns columns;
    for (const std::string& name : names) {
        if (Unpadded(name).empty()) {
            columns.emplace_back();
            continue;
        }
        auto column = ColumnByName(HeadingKey(name));
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

CaseInput RowInput(const SheetColumns& columns, const std::vector<std::string_view>& row,
                   const CaseInput& defaults) {
    CaseInput input = defaults;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        // With --units imperial, a blank units cell is not mm, nor with --sensor VT-C1 a
        // blank sensor cell RESERVE.
        if (const std::optional<Column> column = columns[i]) {
            const std::string_view value = i < row.size() ? Unpadded(row[i]) : std::string_view();
            if (!value.empty() || !defaults[*column]) {
                input[*column] = value;
            }
        }
    }
    return input;
}

std::string Text(std::int16_t id, Language lang) {
    return std::string(Catalogue::Text(id, lang));
}

std::string PipeMaterialText(const CaseOutcome& outcome) {
    return Text(EntryNameId(PipeMaterials, outcome.Record.PipeMaterialIndex), outcome.Lang);
}

std::string_view LengthUnit(const CaseOutcome& outcome) {
    return UnitNamesOf(outcome.Units)[0];
}

std::vector<std::string> HelperLines(const CaseOutcome& outcome) {
    std::vector<std::string> lines;
    if (outcome.Pipe.Table != nullptr) {
        lines.push_back(Text(Catalogue::Id::OuterDiameter, outcome.Lang) + " / " +
                        Text(Catalogue::Id::WallThickness, outcome.Lang) + ": " +
                        outcome.Pipe.OuterText + " / " + outcome.Pipe.WallText + " [" +
                        std::string(LengthUnit(outcome)) + "] (" + PipeSizeNote(outcome.Pipe) +
                        ")");
        lines.push_back(Text(Catalogue::Id::PipeMaterial, outcome.Lang) + ": " +
                        PipeMaterialText(outcome));
        if (outcome.Pipe.Lining != nullptr) {
            // "LINING MATERIAL: MORTAR 3 [mm] (ISO 4179:2005)"
            lines.push_back(
                Text(Catalogue::Id::LiningMaterial, outcome.Lang) + ": " +
                Catalogue::Fill(
                    Text(Catalogue::PipeText::LiningFrom, outcome.Lang),
                    {Text(EntryNameId(LiningMaterials, MortarEntry), outcome.Lang),
                     outcome.Pipe.LiningText + " [" + std::string(LengthUnit(outcome)) + "]",
                     LiningStandardName(outcome.Pipe)}));
        }
    }
    if (!outcome.Temperature.empty()) {
        lines.push_back(Text(Catalogue::Id::FluidVelocity, outcome.Lang) + ": " +
                        outcome.Record.Text(InputField::FluidVelocity) + " " +
                        std::string(UnitNamesOf(outcome.Units)[1]) + " (" + outcome.Temperature +
                        ")");
    }
    return lines;
}

std::optional<UnitSystem> UnitsOf(const CaseInput& in) {
    const std::string_view units = Value(in, Column::Units);
    return Unpadded(units).empty() ? UnitSystem::Metric : UnitSystemNamed(units);
}

std::optional<Language> KnownLanguageOf(const CaseInput& in) {
    const std::string_view lang = Value(in, Column::Lang);
    return Unpadded(lang).empty() ? Language::Japanese : LanguageNamed(lang);
}

Language LanguageOf(const CaseInput& in) {
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

// One case from its texts to its outcome, in the steps the window takes. A step that
// refuses the case records why in the outcome and returns false.
class Evaluation {
public:
    Evaluation(const CaseInput& given, CaseOutcome& out) : given_(given), out_(out) {}

    void Run() {
        if (ReadRunSettings() && ReadIdentity() && ApplyHelpers() && ReadLists() && CheckFields()) {
            Compute();
        }
    }

private:
    bool Fail(std::int16_t id, std::string_view what = {}) {
        out_.Error = Text(id, out_.Lang);
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
            out_.Error += " (" + Catalogue::Fill(Text(T::DidYouMean, out_.Lang), {nearest}) + ")";
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
    const CaseInput& In() const { return filled_ ? *filled_ : given_; }
    CaseInput& Filled() {
        if (!filled_) {
            filled_ = given_;
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
        // Water at a temperature: the equation's velocity, typed as FLUID S.V. would be.
        if (const std::string_view temperature = Value(given_, Column::FluidTemperature);
            !temperature.empty()) {
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
            const FluidAtTemperature water =
                VelocityFromTemperature(named, temperature, out_.Units, out_.Lang);
            if (!water.Error.empty()) {
                return FailIn(Column::FluidTemperature, water.Error);
            }
            out_.Temperature = water.Note;
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
            // The window's fields take no more characters than their longest limit; a text of
            // more bytes than four a character is too long before it is converted.
            const auto limit = static_cast<std::size_t>(MaxInputLength(field, out_.Units));
            const std::int16_t message = FieldLength(text) <= limit
                                             ? LeaveFieldMessageId(text, field, out_.Units)
                                             : T::TooLong;
            if (message != 0) {
                out_.ErrorRange = RangeLabelText(field, out_.Units);
                return FailIn(column, message, message == T::TooLong ? text : std::string_view());
            }
        }
        return true;
    }

    // "PVC has its own sound velocity...", "LINING THICKNESS counts only with a lining...".
    std::string UnreadValue(InputField field) const {
        const auto words = [this](std::int16_t id) { return Text(id, out_.Lang); };
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

    void Compute() {
        CalcEntries e;
        e.Units = out_.Units;
        e.SensorTypeIndex = sensor_;
        e.PipeMaterialIndex = pipe_;
        e.LiningMaterialIndex = lining_;
        e.FluidIndex = fluid_;
        e.MountMethodIndex = static_cast<int>(out_.Mount);
        e.MountMethodsOffered = MountMethodCount;
        for (const InputField field : InputFields) {
            e.TextOf(field) = Value(In(), ColumnOf(field));
        }
        LockVelocitiesByLists(e);
        out_.Crossings = FluidCrossings(static_cast<std::int16_t>(out_.Mount));
        try {
            out_.Record = RecordJob(e, out_.Lang);
        } catch (const EngineError& error) {
            out_.Error = ErrorDescription(error, out_.Lang);
            if (const std::optional<InputField> field = error.field()) {
                out_.ErrorColumn = ColumnOf(*field);
                if (error.kind() == ErrorKind::EmptyInput) {
                    out_.ErrorRange = RangeLabelText(*field, out_.Units);
                }
            }
            return;
        } catch (const std::exception&) {
            Fail(Catalogue::ErrorText::Unexpected);
            return;
        }
        out_.Record.PipeSize = PipeSizeNote(out_.Pipe);
        out_.Record.LiningStandard = LiningStandardName(out_.Pipe);
        out_.Record.FluidTemperature = out_.Temperature;
        out_.Record.Identity = std::move(identity_);
        out_.Warning = BelowZeroNote(out_.Record);
        out_.Ok = true;
    }

    const CaseInput& given_;
    std::optional<CaseInput> filled_;
    std::string temperatureVelocity_; // FLUID S.V. as the temperature gives it
    JobIdentity identity_;
    CaseOutcome& out_;
    int sensor_ = 0;
    int pipe_ = 0;
    int lining_ = 0;
    int fluid_ = 0;
};

} // namespace

CaseOutcome Evaluate(const CaseInput& input) {
    CaseOutcome out;
    Evaluation(input, out).Run();
    return out;
}

void Evaluate(const CaseInput& input, CaseOutcome& out) {
    Evaluation(input, out).Run();
}

} // namespace QuillmereCalc
