#include "Job.h"

#include "Catalogue.h"
#include "CsvStream.h"
#include "Engine.h"
#include "Rules.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>
#include <vector>

namespace QuillmereCalc {

using namespace Quillmere;

namespace {

// Equal without regard to the case of ASCII letters; other bytes compare as they are.
bool SameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i];
        char y = b[i];
        x = (x >= 'a' && x <= 'z') ? static_cast<char>(x - 32) : x;
        y = (y >= 'a' && y <= 'z') ? static_cast<char>(y - 32) : y;
        if (x != y) {
            return false;
        }
    }
    return true;
}

// The names of a list's entries and their list indexes, grouped by length: a lookup
// compares only names of the text's length, and needs no copy of the text.
class NameList {
public:
    void Add(std::string name, int index) {
        exact_.emplace(name, index);
        if (byLength_.size() <= name.size()) {
            byLength_.resize(name.size() + 1);
        }
        byLength_[name.size()].emplace_back(std::move(name), index);
    }
    std::optional<int> Find(std::string_view text) const {
        if (const auto it = exact_.find(text); it != exact_.end()) {
            return it->second; // the usual case: written as the list writes it
        }
        if (text.size() < byLength_.size()) {
            for (const auto& [name, index] : byLength_[text.size()]) {
                if (SameText(name, text)) {
                    return index;
                }
            }
        }
        return std::nullopt;
    }

private:
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
    };
    std::unordered_map<std::string, int, Hash, std::equal_to<>> exact_;
    std::vector<std::vector<std::pair<std::string, int>>> byLength_;
};

template <std::size_t N> NameList NameIndex(const std::array<std::int16_t, N>& ids) {
    NameList names;
    for (std::size_t i = 1; i < N; ++i) {
        for (std::int16_t base : {Catalogue::JapaneseBase, Catalogue::EnglishBase}) {
            names.Add(std::string(Catalogue::Text(ids[i], base)), static_cast<int>(i - 1));
        }
    }
    return names;
}

std::optional<int> Find(const NameList& names, std::string_view text) { return names.Find(text); }

// A sensor type by list index, by its list text, or by one of the names the text joins
// with "/" ("VT-A2" finds "VT-A1/VT-A2"); "RESERVE" is the first of the two.
std::optional<int> FindSensor(std::string_view text) {
    static const NameList names = [] {
        NameList index;
        for (int i = 0; i < SensorTypeCount; ++i) {
            const std::string_view list = SensorTypeNames[static_cast<std::size_t>(i + 1)];
            index.Add(std::to_string(i), i);
            index.Add(std::string(list), i);
            std::size_t start = 0;
            while (start <= list.size()) {
                const std::size_t slash = std::min(list.find('/', start), list.size());
                index.Add(std::string(list.substr(start, slash - start)), i);
                start = slash + 1;
            }
        }
        return index;
    }();
    return Find(names, text);
}

std::optional<MountMethod> FindMount(std::string_view text) {
    for (int m = 0; m < MountMethodCount; ++m) {
        const char letter = MountLetter(static_cast<MountMethod>(m));
        if (SameText(text, std::string_view(&letter, 1))) {
            return static_cast<MountMethod>(m);
        }
    }
    // The window's list texts and indexes name V and Z.
    static const auto listed = NameIndex(MountMethodIds);
    if (text == "0" || text == "1") {
        return text == "0" ? MountMethod::V : MountMethod::Z;
    }
    if (const auto index = Find(listed, text)) {
        return static_cast<MountMethod>(*index);
    }
    return std::nullopt;
}

const std::string& Value(const CaseInput& in, Column c) {
    static const std::string empty;
    return in[c] ? *in[c] : empty;
}

} // namespace

std::optional<Column> ColumnByName(std::string_view name) {
    for (std::size_t i = 0; i < ColumnCount; ++i) {
        if (ColumnNames[i] == name) {
            return static_cast<Column>(i);
        }
    }
    return std::nullopt;
}

std::optional<std::vector<Column>> HeaderColumns(const std::vector<std::string>& names,
                                                 std::string& problem) {
    std::vector<Column> columns;
    for (const std::string& name : names) {
        const auto column = ColumnByName(name);
        if (!column) {
            problem = "unknown column \"" + Printable(name) + "\"";
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

char MountLetter(MountMethod method) { return "VZNW"[static_cast<int>(method) & 3]; }

std::string Text(std::int16_t id, std::int16_t stringBase) {
    return std::string(Catalogue::Text(id, stringBase));
}

std::string PipeMaterialText(const CaseOutcome& outcome) {
    return Text(ListEntryId(PipeMaterialIds, outcome.Record.PipeMaterialIndex), outcome.StringBase);
}

std::string_view LengthUnit(const CaseOutcome& outcome) {
    return SubGetUnitForm1(outcome.UnitFlag)[0];
}

std::vector<std::string> HelperLines(const CaseOutcome& outcome) {
    std::vector<std::string> lines;
    if (outcome.Pipe.Table != nullptr) {
        lines.push_back(Text(Catalogue::Id::OuterDiameter, outcome.StringBase) + " / " +
                        Text(Catalogue::Id::WallThickness, outcome.StringBase) + ": " +
                        outcome.Pipe.OuterText + " / " + outcome.Pipe.WallText + " [" +
                        std::string(LengthUnit(outcome)) + "] (" + PipeSizeNote(outcome.Pipe) +
                        ")");
        lines.push_back(Text(Catalogue::Id::PipeMaterial, outcome.StringBase) + ": " +
                        PipeMaterialText(outcome));
    }
    if (!outcome.Temperature.empty()) {
        lines.push_back(Text(Catalogue::Id::FluidVelocity, outcome.StringBase) + ": " +
                        outcome.Record.Text(InputField::FluidVelocity) + " " +
                        std::string(SubGetUnitForm1(outcome.UnitFlag)[1]) + " (" +
                        outcome.Temperature + ")");
    }
    return lines;
}

std::optional<std::int16_t> UnitFlagOf(const CaseInput& in) {
    const std::string& units = Value(in, Column::Units);
    if (units.empty() || SameText(units, "METRIC") || SameText(units, "MM") || units == "0") {
        return 0;
    }
    if (SameText(units, "IMPERIAL") || SameText(units, "INCH") || units == "1") {
        return 1;
    }
    return std::nullopt;
}

std::int16_t LanguageOf(const CaseInput& in) {
    const std::string& lang = Value(in, Column::Lang);
    return SameText(lang, "EN") || lang == "1" ? Catalogue::EnglishBase : Catalogue::JapaneseBase;
}

CaseOutcome Evaluate(const CaseInput& given) {
    CaseOutcome out;
    const CaseInput* source = &given;
    // The case with what a helper worked out (a standard size's diameter and wall, water's
    // velocity at its temperature) typed in, as the window's fields would hold it.
    CaseInput filled;
    const auto fill = [&]() -> CaseInput& {
        if (source == &given) {
            filled = given;
            source = &filled;
        }
        return filled;
    };
    const std::string& lang = Value(given, Column::Lang);
    if (const auto unitFlag = UnitFlagOf(given)) {
        out.UnitFlag = *unitFlag;
    } else {
        out.Error = "Unknown unit system (metric or imperial): " + Printable(Value(given, Column::Units));
        out.ErrorColumn = Column::Units;
        return out;
    }
    if (lang.empty() || SameText(lang, "JA") || lang == "0") {
        out.StringBase = Catalogue::JapaneseBase;
    } else if (SameText(lang, "EN") || lang == "1") {
        out.StringBase = Catalogue::EnglishBase;
    } else {
        out.Error = "Unknown language (ja or en): " + Printable(lang);
        out.ErrorColumn = Column::Lang;
        return out;
    }
    auto fail = [&](std::int16_t id, const std::string& what) {
        out.Error = Text(id, out.StringBase);
        if (!what.empty()) {
            // A long value is shown by its start: enough to find it in the sheet.
            constexpr std::size_t shown = 40;
            out.Error += ": " + Printable(what.substr(0, shown)) + (what.size() > shown ? "..." : "");
        }
        return out;
    };
    auto failIn = [&](Column column, std::int16_t id, const std::string& what) {
        out.ErrorColumn = column;
        return fail(id, what);
    };

    static const auto pipes = NameIndex(PipeMaterialIds);
    static const auto linings = NameIndex(LiningMaterialIds);
    static const auto fluids = NameIndex(FluidKindIds);
    namespace T = Catalogue::CalcText;

    // Water at a temperature: the equation's velocity, typed as FLUID S.V. would be.
    if (const std::string& temperature = Value(given, Column::FluidTemperature); !temperature.empty()) {
        if (!Value(given, Column::FluidVelocity).empty()) {
            return failIn(Column::FluidTemperature, Catalogue::ReportText::TemperatureAndVelocity,
                          "");
        }
        int named = 0; // WATER unless told otherwise
        if (!Value(given, Column::Fluid).empty()) {
            const auto found = fluids.Find(Value(given, Column::Fluid));
            if (!found) {
                return failIn(Column::Fluid, T::UnknownFluid, Value(given, Column::Fluid));
            }
            named = *found;
        }
        const FluidAtTemperature water =
            VelocityFromTemperature(named, temperature, out.UnitFlag, out.StringBase);
        if (!water.Error.empty()) {
            out.Error = water.Error;
            out.ErrorColumn = Column::FluidTemperature;
            return out;
        }
        out.Temperature = water.Note;
        out.TemperatureEquation = std::string(water.Equation->Name);
        fill()[Column::Fluid] = std::nullopt;
        fill()[Column::FluidVelocity] = water.VelocityText;
    }
    // Blanks are free in a size, so a size of blanks only is no size (a sheet's " " cell).
    if (const std::string& size = Value(given, Column::PipeSize);
        size.find_first_not_of(" \t") != std::string::npos) {
        if (!Value(given, Column::OuterDiameter).empty() || !Value(given, Column::Wall).empty()) {
            return failIn(Column::PipeSize, Catalogue::PipeText::SizeAndDimensions, "");
        }
        out.Pipe = ChoosePipeSize(size, out.UnitFlag, out.StringBase);
        if (!out.Pipe.Error.empty()) {
            out.Error = out.Pipe.Error;
            out.ErrorColumn = Column::PipeSize;
            return out;
        }
        fill()[Column::OuterDiameter] = out.Pipe.OuterText;
        fill()[Column::Wall] = out.Pipe.WallText;
    }
    const CaseInput& in = *source;

    // The window's defaults: RESERVE, V method, carbon steel, no lining, water.
    int sensor = 0;
    if (in[Column::Sensor] && !in[Column::Sensor]->empty()) {
        const auto found = FindSensor(*in[Column::Sensor]);
        if (!found) {
            return failIn(Column::Sensor, T::UnknownSensorType, *in[Column::Sensor]);
        }
        sensor = *found;
    }
    if (in[Column::Mount] && !in[Column::Mount]->empty()) {
        const auto found = FindMount(*in[Column::Mount]);
        if (!found) {
            return failIn(Column::Mount, T::UnknownMountMethod, *in[Column::Mount]);
        }
        out.Mount = *found;
    }
    // A named entry takes its velocity from the table, as the locked field does in the
    // window; with only a typed velocity the list's user entry is chosen.
    auto pick = [&](Column name, Column velocity, const NameList& names,
                    int userEntry, int fallback, std::int16_t unknown) -> std::optional<int> {
        if (in[name] && !in[name]->empty()) {
            const auto found = Find(names, *in[name]);
            if (!found) {
                failIn(name, unknown, *in[name]);
            }
            return found;
        }
        return in[velocity] && !in[velocity]->empty() ? userEntry : fallback;
    };
    // A standard size without a material named is of the standard's material: a PVC size
    // computed as carbon steel would be a believable wrong spacing.
    const int pipeFallback = out.Pipe.Table != nullptr ? PipeMaterialWith(*out.Pipe.Table, 0) : 0;
    const auto pipe = pick(Column::Pipe, Column::PipeVelocity, pipes, PipeUserEntry, pipeFallback,
                           T::UnknownPipeMaterial);
    if (!pipe) {
        return out;
    }
    const auto lining = pick(Column::Lining, Column::LiningVelocity, linings, LiningUserEntry,
                             NoLiningEntry, T::UnknownLiningMaterial);
    if (!lining) {
        return out;
    }
    const auto fluid = pick(Column::Fluid, Column::FluidVelocity, fluids, FluidUserEntry, 0,
                            T::UnknownFluid);
    if (!fluid) {
        return out;
    }

    // The six fields, in the window's focus order.
    const std::pair<Column, InputField> fields[] = {
        {Column::OuterDiameter, InputField::OuterDiameter},
        {Column::PipeVelocity, InputField::PipeVelocity},
        {Column::Wall, InputField::WallThickness},
        {Column::LiningVelocity, InputField::LiningVelocity},
        {Column::LiningThickness, InputField::LiningThickness},
        {Column::FluidVelocity, InputField::FluidVelocity},
    };
    // A value in a field the lists lock (the window greys it) is never read: dropped without
    // a word, the spacing would not be the one the user asked for.
    for (const auto& [column, field] : fields) {
        if (Value(in, column).empty() || RowOpen(field, *pipe, *lining, *fluid)) {
            continue;
        }
        const auto words = [&](std::int16_t id) { return Text(id, out.StringBase); };
        const std::string caption = words(CaptionId(field));
        if (*lining == NoLiningEntry && (field == InputField::LiningVelocity ||
                                         field == InputField::LiningThickness)) {
            out.Error = Catalogue::Fill(words(T::NeedsLining),
                                        {caption, words(Catalogue::Id::LiningMaterial)});
        } else {
            const std::int16_t named =
                field == InputField::PipeVelocity     ? ListEntryId(PipeMaterialIds, *pipe)
                : field == InputField::LiningVelocity ? ListEntryId(LiningMaterialIds, *lining)
                                                      : ListEntryId(FluidKindIds, *fluid);
            out.Error = Catalogue::Fill(words(T::NamedAndVelocity), {words(named), caption});
        }
        out.ErrorColumn = column;
        return out;
    }
    // The leave-field checks.
    for (const auto& [column, field] : fields) {
        out.ErrorColumn = column;
        out.ErrorRange = RangeLabelText(field, out.UnitFlag);
        // The window's fields take no more characters than their longest limit; a text of
        // more bytes than four a character is too long before it is converted.
        const auto limit = static_cast<std::size_t>(MaxInputLength(field, out.UnitFlag));
        if (Value(in, column).size() > 4 * limit) {
            return fail(T::TooLong, Value(in, column));
        }
        const std::u16string typed = Utf16FromUtf8(Value(in, column));
        if (typed.size() > limit) {
            return fail(T::TooLong, Value(in, column));
        }
        const std::int16_t message = LeaveFieldMessageId(typed, field, out.UnitFlag);
        if (message != 0) {
            return fail(message, "");
        }
    }
    out.ErrorColumn = std::nullopt;
    out.ErrorRange.clear();

    CalcEntries e;
    e.UnitFlag = out.UnitFlag;
    e.SensorTypeIndex = sensor;
    e.PipeMaterialIndex = *pipe;
    e.LiningMaterialIndex = *lining;
    e.FluidIndex = *fluid;
    e.MountMethodIndex = static_cast<int>(out.Mount);
    e.MountMethodsOffered = MountMethodCount;
    for (const auto& [column, field] : fields) {
        e.TextOf(field) = Value(in, column);
    }
    LockVelocitiesByLists(e);
    out.SensorIndex = sensor;
    out.Crossings = FluidCrossings(static_cast<std::int16_t>(out.Mount));

    try {
        out.Record = RecordJob(e, out.StringBase);
        out.Record.PipeSize = PipeSizeNote(out.Pipe);
        out.Record.FluidTemperature = out.Temperature;
        out.Inputs = out.Record.Outcome.Inputs;
        out.Breakdown = out.Record.Outcome.Breakdown;
        out.Display = out.Record.Outcome.Display;
        if (out.Mount == MountMethod::Z) {
            const double halfCircumference = FncPi() * out.Inputs.OuterDiameter / 2.0;
            out.Circumferential = FormatSpacing(halfCircumference, -1, out.UnitFlag).Result1;
            out.Record.Circumferential = out.Circumferential;
        }
    } catch (const EngineError& error) {
        out.Error = ErrorDescription(error, out.StringBase);
        for (const auto& [column, field] : fields) {
            if (error.field() == field) {
                out.ErrorColumn = column;
                if (error.kind() == ErrorKind::EmptyInput) {
                    out.ErrorRange = RangeLabelText(field, out.UnitFlag);
                }
            }
        }
        return out;
    } catch (const std::exception&) {
        return fail(Catalogue::ErrorText::Unexpected, "");
    }
    out.Ok = true;
    return out;
}

nlohmann::ordered_json ToJson(const CaseInput& input, const CaseOutcome& o) {
    using nlohmann::ordered_json;
    ordered_json inputs = ordered_json::object();
    for (std::size_t i = 0; i < ColumnCount; ++i) {
        if (input.Values[i]) {
            inputs[std::string(ColumnNames[i])] = *input.Values[i];
        }
    }
    ordered_json j;
    j["inputs"] = inputs;
    if (!o.Ok) {
        j["error"] = o.Error;
        if (o.ErrorColumn) {
            j["error_column"] = std::string(ColumnNames[static_cast<std::size_t>(*o.ErrorColumn)]);
        }
        if (!o.ErrorRange.empty()) {
            j["error_range"] = o.ErrorRange;
        }
        return j;
    }
    constexpr double degrees = 180.0 / 3.14159265358979323846;
    const SensorTypeRecord& s = SensorTypeAt(o.SensorIndex);
    j["sensor_type"] = std::string(SensorTypeName(o.SensorIndex));
    j["mount"] = std::string(1, MountLetter(o.Mount));
    j["fluid_crossings"] = o.Crossings;
    j["pipe_material"] = PipeMaterialText(o);
    j["metric_inputs"] = {{"outer_diameter_mm", o.Inputs.OuterDiameter},
                          {"wall_thickness_mm", o.Inputs.WallThickness},
                          {"lining_thickness_mm", o.Inputs.LiningThickness},
                          {"pipe_velocity_m_s", o.Inputs.PipeVelocity},
                          {"lining_velocity_m_s", o.Inputs.LiningVelocity},
                          {"fluid_velocity_m_s", o.Inputs.FluidVelocity}};
    j["spacing_mm"] = o.Breakdown.Spacing;
    j["angles_deg"] = {{"wedge", static_cast<double>(s.IncidenceAngle)},
                       {"wall", o.Breakdown.WallAngle * degrees},
                       {"lining", o.Breakdown.LiningAngle * degrees},
                       {"fluid", o.Breakdown.FluidAngle * degrees}};
    j["runs_mm"] = {{"wedge", s.WedgeRun},
                    {"wall", o.Breakdown.WallRun},
                    {"lining", o.Breakdown.LiningRun},
                    {"fluid", o.Breakdown.FluidRun},
                    {"mount_offset", s.MountOffset}};
    j["unit"] = std::string(LengthUnit(o));
    j["result1"] = o.Display.Result1;
    j["result2"] = o.Display.Result2;
    if (!o.Circumferential.empty()) {
        j["circumferential"] = o.Circumferential;
    }
    if (!o.Temperature.empty()) {
        j["fluid_at_temperature"] = {{"temperature", *input[Column::FluidTemperature]},
                                     {"temperature_unit", o.UnitFlag == 0 ? "°C" : "°F"},
                                     {"equation", o.TemperatureEquation},
                                     {"fluid_velocity", o.Record.Text(InputField::FluidVelocity)},
                                     {"velocity_unit", std::string(SubGetUnitForm1(o.UnitFlag)[1])}};
    }
    if (o.Pipe.Table != nullptr) {
        const std::string_view schedule = o.Pipe.Table->Schedules[o.Pipe.Schedule];
        j["pipe_size"] = {{"size_text", *input[Column::PipeSize]},
                          {"standard", std::string(o.Pipe.Table->Standard)},
                          {"edition", std::string(o.Pipe.Table->Edition)},
                          {"size", std::string(o.Pipe.Row->Size)},
                          {"schedule", schedule.empty() ? ordered_json() : ordered_json(std::string(schedule))},
                          {"outer_diameter", o.Pipe.OuterText},
                          {"wall_thickness", o.Pipe.WallText}};
    }
    j["error"] = nullptr;
    return j;
}

} // namespace QuillmereCalc
