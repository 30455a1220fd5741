// The browser page's way into the C++ core: plain C functions that take numbers, or a record
// of UTF-8 texts with its length, and give back UTF-8 texts (most of them JSON), valid until
// the next call. The page
// holds no rule of its own: every text, list, lock, check, refusal and result comes from
// here, as the window takes them from the same layers.
#include "catalogue/Catalogue.h"
#include "engine/Engine.h"
#include "report/JobSheet.h"
#include "report/JobSummary.h"
#include "report/SiteSketch.h"
#include "report/Sketch.h"
#include "report/Tornado.h"
#include "rules/JobColumns.h"
#include "rules/Json.h"
#include "rules/Rules.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <numeric>
#include <span>
#include <string>
#include <string_view>
#include <vector>

using namespace Quillmere;

namespace {

// The page's choices as numbers: 0 Japanese, 1 English; 0 metric, 1 imperial.
Language LanguageOf(int lang) {
    return lang == 0 ? Language::Japanese : Language::English;
}
UnitSystem UnitsOf(int units) {
    return units == 0 ? UnitSystem::Metric : UnitSystem::Imperial;
}

// What the page passes as one argument: bytes with their length, key 0xFE value 0xFF pair
// after pair. Neither byte occurs in UTF-8, so every text arrives whole, a NUL in it
// included, and is refused as the window refuses it rather than read up to the NUL.
class Record {
public:
    Record(const char* bytes, int length)
        : bytes_(bytes == nullptr
                     ? std::string_view()
                     : std::string_view(bytes, static_cast<std::size_t>(std::max(0, length)))) {}

    // The value of `key`, or "" when the record has none.
    std::string_view Text(std::string_view key) const {
        for (std::string_view rest = bytes_; !rest.empty();) {
            const std::size_t end = std::min(rest.find('\xff'), rest.size());
            const std::string_view pair = rest.substr(0, end);
            rest.remove_prefix(std::min(end + 1, rest.size()));
            const std::size_t split = pair.find('\xfe');
            if (split != std::string_view::npos && pair.substr(0, split) == key) {
                return pair.substr(split + 1);
            }
        }
        return {};
    }
    // A whole number; 0 when absent or not one (an index the rules then refuse).
    int Number(std::string_view key) const {
        const std::string_view text = Text(key);
        int value = 0;
        std::from_chars(text.data(), text.data() + text.size(), value);
        return value;
    }

private:
    std::string_view bytes_;
};

const char* Give(std::string text) {
    static std::string held;
    held = std::move(text);
    return held.c_str();
}

// A list's entries by name.
template <typename Entries> std::string ListTexts(const Entries& entries, Language lang) {
    return JsonArray(entries,
                     [lang](const auto& e) { return JsonString(Catalogue::Text(e.NameId, lang)); });
}

// The input rows in the window's focus order, named as the window's controls.
std::string FieldsJson(Language lang, UnitSystem units) {
    return JsonArray(Fields, [&](const FieldRecord& f) {
        return JsonObject()
            .Text("name", f.Name)
            .Text("caption", Catalogue::Text(f.CaptionId, lang))
            .Text("unit", UnitLabelText(UnitOf(f.Field, units)))
            .Text("range", RangeLabelText(f.Field, units))
            .Integer("maxLength", MaxInputLength(f.Field, units))
            .Json();
    });
}

// The job's identity: site, tag, installer and note, by the keys qm_execute takes.
std::string IdentityJson(Language lang) {
    return JsonArray(IdentityItems, [&](const IdentityRecord& item) {
        return JsonObject()
            .Text("key", item.Key)
            .Text("caption", Catalogue::Text(item.CaptionId, lang))
            .Integer("maxLength", static_cast<long long>(item.MaxLength))
            .Json();
    });
}

// A refused job: its message and where to go back to, a field by its index or an
// identity item by its key.
std::string Refusal(std::string_view message, int field, std::string_view identity = {}) {
    JsonObject refusal;
    refusal.Bool("ok", false).Text("error", message).Integer("field", field);
    if (!identity.empty()) {
        refusal.Text("identity", identity);
    }
    return refusal.Json();
}

// The job of an execute record: its units and language, the lists' indexes and the six
// fields' texts, as the window's controls hold them.
Job JobOf(const Record& r) {
    Job job;
    job.Units = UnitsOf(r.Number("units"));
    job.Lang = LanguageOf(r.Number("lang"));
    job.SensorTypeIndex = r.Number("sensor");
    job.PipeMaterialIndex = r.Number("pipe");
    job.LiningMaterialIndex = r.Number("lining");
    job.FluidIndex = r.Number("fluid");
    job.MountMethodIndex = r.Number("mount");
    for (std::size_t i = 0; i < InputFields.size(); ++i) {
        job.Text(InputFields[i]) = r.Text(std::to_string(i));
    }
    LockVelocitiesByLists(job);
    // How sure: each plus/minus by its sheet column, as quillmere-calc names them.
    for (const InputField field : InputFields) {
        job.Uncertain.Of(field) = Unpadded(r.Text(ColumnName(ToleranceColumnOf(field))));
    }
    job.Uncertain.MeasuredFluidVelocity =
        Unpadded(r.Text(ColumnName(Column::MeasuredFluidVelocity)));
    // The measuring point: the fittings' keys, the site's runs and the pipe's run.
    job.Point.Upstream = r.Text(ColumnName(Column::Upstream));
    job.Point.Downstream = r.Text(ColumnName(Column::Downstream));
    job.Point.AvailableUpstream = Unpadded(r.Text(ColumnName(Column::AvailableUpstream)));
    job.Point.AvailableDownstream = Unpadded(r.Text(ColumnName(Column::AvailableDownstream)));
    job.Point.Run = r.Text(ColumnName(Column::PipeRun));
    return job;
}

// The water the fluid helper took, as it took it: its fluid, temperature, pressure and
// salinity texts ("water..." keys) read again; none without them.
std::optional<FluidSource> WaterOf(const Record& r) {
    if (r.Text("waterTemperature").empty()) {
        return std::nullopt;
    }
    const FluidAtTemperature water = VelocityFromTemperature(
        r.Number("waterFluid"), r.Text("waterTemperature"), UnitsOf(r.Number("units")),
        LanguageOf(r.Number("lang")), r.Text("waterPressure"), r.Text("waterSalinity"));
    if (!water.Error.empty()) {
        return std::nullopt;
    }
    return FluidSource{water.Celsius, water.State, water.Equation};
}

// The job of an execute record computed, with its identity and the helpers' notes; or, in
// `refusal`, why not.
std::optional<JobRecord> ComputedJob(const Record& r, std::string& refusal) {
    Job entered = JobOf(r);
    const auto text = [&r](const char* key) { return std::string(r.Text(key)); };
    const Language language = entered.Lang;
    for (const IdentityRecord& item : IdentityItems) {
        const std::string_view typed = Unpadded(r.Text(std::string(item.Key)));
        if (const std::string problem = IdentityProblem(item.Item, typed, language);
            !problem.empty()) {
            refusal = Refusal(problem, -1, item.Key);
            return std::nullopt;
        }
        entered.Identity[item.Item] = std::string(typed);
    }
    try {
        JobRecord job = RecordJob(entered, r.Number("mounts"));
        AddHelperNotes(job, {text("pipeNote"), text("pipeOuter"), text("pipeWall"),
                             text("temperatureNote"), text("temperatureVelocity"),
                             text("liningNote"), text("liningThickness"), WaterOf(r)});
        return job;
    } catch (const EngineError& error) {
        int field = -1;
        if (error.field()) {
            for (std::size_t i = 0; i < InputFields.size(); ++i) {
                field = InputFields[i] == *error.field() ? static_cast<int>(i) : field;
            }
        }
        refusal = Refusal(ErrorDescription(error, language), field);
    } catch (...) {
        refusal = Refusal(Catalogue::Text(Catalogue::ErrorText::Unexpected, language), -1);
    }
    return std::nullopt;
}

// `answer` for the job of an execute record, computed; the refusal where it is not.
template <typename Answer> const char* AnswerJob(const char* bytes, int length, Answer answer) {
    const Record r(bytes, length);
    std::string refusal;
    const std::optional<JobRecord> job = ComputedJob(r, refusal);
    return Give(job ? answer(r, *job) : std::move(refusal));
}

} // namespace

extern "C" {

// Every text of the page in a language and unit system, and the lists' entries.
const char* qm_page(int lang, int unit) {
    namespace Id = Catalogue::Id;
    namespace R = Catalogue::ReportText;
    namespace P = Catalogue::PipeText;
    const Language language = LanguageOf(lang);
    const UnitSystem units = UnitsOf(unit);
    const auto text = [language](std::int16_t id) {
        return std::string(Catalogue::Text(id, language));
    };
    const UnitNamesSet unitNames = UnitNamesOf(units);
    const std::string mounts = ListTexts(MountMethods, language);
    const std::string sensors =
        JsonArray(SensorTypes, [](const SensorTypeEntry& s) { return JsonString(s.Name); });
    const std::string waters =
        JsonArray(TemperatureFluids(), [](int i) { return std::to_string(i); });
    return Give(JsonObject()
                    .Text("title", text(Id::TitleFirst) + " - " + text(Id::TitleSecond))
                    .Raw("fields", FieldsJson(language, units))
                    .Raw("identity", IdentityJson(language))
                    .Text("jobDetails", text(Catalogue::JobText::Details))
                    .Text("howSure", text(Catalogue::CheckText::HowSure))
                    .Text("measuringPoint", text(Catalogue::SiteText::MeasuringPoint))
                    .Text("recentJobs", text(Catalogue::MenuText::RecentJobs))
                    .Text("noRecentJobs", text(Catalogue::MenuText::NoRecentJobs))
                    .Text("exportJobs", text(Catalogue::WebText::ExportJobs))
                    .Text("shareSummary", text(Catalogue::WebText::ShareSummary))
                    .Text("shareJobs", text(Catalogue::WebText::ShareJobs))
                    .Text("clearJobs", text(Catalogue::WebText::ClearJobs))
                    .Text("clearConfirm", text(Catalogue::WebText::ClearConfirm))
                    .Text("enlargeSketch", text(Catalogue::WebText::EnlargeSketch))
                    .Text("sheetHeader", JobSheetHeader())
                    .Text("pipeMaterial", text(Id::PipeMaterial))
                    .Text("liningMaterial", text(Id::LiningMaterial))
                    .Text("kindOfFluid", text(Id::KindOfFluid))
                    .Text("sensorMount", text(Id::SensorMount))
                    .Text("sensorType", text(Id::SensorType))
                    .Text("spacing1", text(Id::SensorSpacing) + "1")
                    .Text("spacing2", text(Id::SensorSpacing) + "2")
                    .Text("spacingUnit", UnitLabelText(unitNames[0]))
                    .Text("circumferential", text(Catalogue::CalcText::Circumferential))
                    .Text("fluidPath", text(Catalogue::ReportText::FluidPath))
                    .Text("execute", text(Id::Execute))
                    .Text("result", text(Id::CalculationResult))
                    .Text("input", "* " + text(Id::Input))
                    .Text("stepped", SteppedSensorTypesText)
                    .Raw("pipes", ListTexts(PipeMaterials, language))
                    .Raw("linings", ListTexts(LiningMaterials, language))
                    .Raw("fluids", ListTexts(FluidKinds, language))
                    .Raw("mounts", mounts)
                    .Raw("sensors", sensors)
                    .Raw("waters", waters)
                    .Integer("fluidUser", FluidUserEntry)
                    .Text("copySummary", text(R::CopySummary))
                    .Text("copied", text(R::Copied))
                    .Text("copyFailed", text(R::CopyFailed))
                    .Text("print", text(R::Print))
                    .Text("standardPipe", text(P::StandardPipe))
                    .Text("standard", text(P::Standard))
                    .Text("size", text(P::Size))
                    .Text("schedule", text(P::Schedule))
                    .Text("mortar", text(P::MortarLining))
                    .Text("fluidAtTemperature", text(R::FluidAtTemperature))
                    .Text("temperature", TemperatureCaption(units, language))
                    .Text("pressure", PressureCaption(units, language))
                    .Text("salinity", SalinityCaption(language))
                    .Text("help", text(R::Help))
                    .Text("helpText", text(R::WebHelpText))
                    .Text("legend", text(R::Legend))
                    .Json());
}

// The six rows' states in field order: '1' open (the typed value counts), '0' locked.
const char* qm_rows(int pipe, int lining, int fluid) {
    std::string out;
    for (const InputField f : InputFields) {
        out += RowOpen(f, pipe, lining, fluid) ? '1' : '0';
    }
    return Give(out);
}

// The leave-field check of {field, text, unit, lang}: the message of a refused text, or "".
const char* qm_leave(const char* record, int length) {
    const Record r(record, length);
    const int field = r.Number("field");
    if (field < 0 || field >= static_cast<int>(InputFields.size())) {
        return Give("");
    }
    const std::int16_t id = LeaveFieldMessageId(Utf16FromUtf8(r.Text("text")),
                                                InputFields[static_cast<std::size_t>(field)],
                                                UnitsOf(r.Number("unit")));
    return Give(id == 0 ? std::string()
                        : std::string(Catalogue::Text(id, LanguageOf(r.Number("lang")))));
}

// The printed record's sketch: below the summary on an A4 page of 15 mm margins, drawn at
// the standard scale it names, so it must be printed at its own size in millimetres.
constexpr SketchArea PrintSketchArea{180, 130, false, true};
// Under the result on a phone: the pipe, the sensors and the dimension alone, drawn small
// enough in millimetres that its words read at the screen's width.
constexpr SketchArea PhoneSketchArea{100, 62, false, false};

// The execute command: the result texts, or the refusal with the field to go back to. The
// record holds the run's units and lang, the lists' indexes (sensor, pipe, lining, fluid,
// mount, mounts), the six fields' texts by their field index ("0" to "5"), the time and the
// helpers' last notes and what they typed, the job's identity (site, tag, installer, note),
// the stamp its report's file name takes, and what "How sure" and "Measuring point" were
// given (qm_how_sure's and qm_site's keys).
const char* qm_execute(const char* record, int length) {
    return AnswerJob(record, length, [](const Record& r, const JobRecord& job) {
        return JsonObject()
            .Bool("ok", true)
            .Text("result1", job.Outcome.Display.Result1)
            .Text("result2", job.Outcome.Display.Result2)
            .Text("circumferential", job.Outcome.Display.Circumferential)
            .Text("fluidPath", FluidPathNote(job))
            .Text("warning", BelowZeroNote(job))
            // What the browser proposes for a saved PDF is the document's title.
            .Text("fileName",
                  ReportFileName(job.Identity[IdentityItem::Tag], std::string(r.Text("stamp"))))
            .Json();
    });
}

// The job of an execute record as the record kept: its summary, its line of the job sheet
// the page exports and the sketch under the result; the whole and the printed sketch only
// when asked for ("sketches": "all"). Asked of the second module once the result is on the screen.
const char* qm_record(const char* record, int length) {
    return AnswerJob(record, length, [](const Record& r, const JobRecord& job) {
        const bool all = r.Text("sketches") == "all";
        return JsonObject()
            .Bool("ok", true)
            .Text("summary", JobSummary(job, std::string(r.Text("when")), QUILLMERE_VERSION))
            // Under the result on a phone, drawn after it: the first result waits for no drawing.
            .Text("sketchCrop", SketchSvg(job, PhoneSketchArea))
            .Text("sketch", all ? SketchSvg(job) : std::string())
            .Text("printSketch", all ? SketchSvg(job, PrintSketchArea) : std::string())
            .Text("sheetLine", JobSheetLine(job, std::string(r.Text("time"))))
            .Json();
    });
}

// How sure the spacing of an execute record is, for the record's plus/minus texts
// ("wall_tolerance", ...) and "measured_fluid_velocity": the inputs the spacing read with
// their captions and units, the figures as the record's lines, the tornado chart, and the
// job's summary carrying them; or the refusal of a plus/minus, naming its key.
const char* qm_how_sure(const char* record, int length) {
    namespace C = Catalogue::CheckText;
    return AnswerJob(record, length, [](const Record& r, const JobRecord& job) {
        const Assessment assessment = AssessJob(job, job.Uncertain);
        const std::vector<InputField> read = InputsRead(job);
        const auto caption = [&job](std::int16_t id) {
            return std::string(Catalogue::Text(id, job.Lang));
        };
        std::string errorKey;
        if (!assessment.Ok()) {
            errorKey = assessment.ErrorInMeasured || !assessment.ErrorField
                           ? std::string(ColumnName(Column::MeasuredFluidVelocity))
                           : std::string(ColumnName(ToleranceColumnOf(*assessment.ErrorField)));
        }
        return JsonObject()
            .Bool("ok", true)
            .Text("title", caption(C::HowSure))
            .Text("plusMinus", caption(C::PlusMinus))
            .Raw("inputs", JsonArray(read,
                                     [&](InputField field) {
                                         return JsonObject()
                                             .Text("key", ColumnName(ToleranceColumnOf(field)))
                                             .Text("caption", caption(FieldOf(field).CaptionId))
                                             .Text("value", ValueReadText(job, field))
                                             .Text("unit", UnitOf(field, job.Units))
                                             .Json();
                                     }))
            .Raw("measured", JsonObject()
                                 .Text("key", ColumnName(Column::MeasuredFluidVelocity))
                                 .Text("caption", caption(C::MeasuredFluidVelocity))
                                 .Text("unit", UnitOf(InputField::FluidVelocity, job.Units))
                                 .Json())
            .Text("error", assessment.Error)
            .Text("errorKey", errorKey)
            .Bool("toleranced", assessment.Ok() && assessment.Toleranced)
            .Raw("lines",
                 JsonArray(assessment.Ok() ? AssessmentLines(job, job.Uncertain, assessment)
                                           : std::vector<std::string>{},
                           [](const std::string& line) { return JsonString(line); }))
            .Text("tornado", TornadoSvg(job, assessment.Ok() ? assessment : Assessment{}, 130))
            .Text("summary", JobSummary(job, std::string(r.Text("when")), QUILLMERE_VERSION))
            .Json();
    });
}

// Where to clamp for an execute record's measuring point ("upstream", "downstream",
// "available_upstream", "available_downstream", "pipe_run"): the lists' entries and the
// captions, the figures as the record's lines, the site sketch, and the job's summary
// carrying them; or the refusal of an entry, naming its key.
const char* qm_site(const char* record, int length) {
    namespace S = Catalogue::SiteText;
    return AnswerJob(record, length, [](const Record& r, const JobRecord& job) {
        const SitePlan plan = PlanSite(job, job.Point);
        const auto caption = [&job](std::int16_t id) {
            return std::string(Catalogue::Text(id, job.Lang));
        };
        static constexpr std::array<Column, 5> inputs{Column::Upstream, Column::Downstream,
                                                      Column::AvailableUpstream,
                                                      Column::AvailableDownstream, Column::PipeRun};
        const auto entry = [](std::string_view key, std::string_view name) {
            return JsonObject().Text("key", key).Text("name", name).Json();
        };
        return JsonObject()
            .Bool("ok", true)
            .Text("title", caption(S::MeasuringPoint))
            .Raw("captions", JsonObject()
                                 .Text("upstream", caption(S::Upstream))
                                 .Text("downstream", caption(S::Downstream))
                                 .Text("available_upstream", caption(S::AvailableUpstream))
                                 .Text("available_downstream", caption(S::AvailableDownstream))
                                 .Text("pipe_run", caption(S::PipeRun))
                                 .Json())
            .Text("unit", UnitNamesOf(job.Units)[0])
            .Text("notGiven", caption(S::NoFitting))
            .Raw("fittings",
                 JsonArray(Fittings,
                           [&](const FittingRecord& f) { return entry(f.Key, caption(f.NameId)); }))
            .Raw("runs", JsonArray(std::array{PipeRun::Horizontal, PipeRun::Up, PipeRun::Down},
                                   [&](PipeRun run) {
                                       const auto i = static_cast<std::size_t>(run);
                                       return entry(PipeRunKeys[i],
                                                    caption(static_cast<std::int16_t>(
                                                        S::RunHorizontal + i)));
                                   }))
            .Text("error", plan.Error)
            .Text("errorKey", plan.Ok()
                                  ? std::string_view()
                                  : ColumnName(inputs[static_cast<std::size_t>(plan.ErrorInput)]))
            .Raw("lines", JsonArray(plan.Ok() ? SiteLines(job, plan) : std::vector<std::string>{},
                                    [](const std::string& line) { return JsonString(line); }))
            .Text("sketch", SiteSketchSvg(job, plan.Ok() ? plan : PlanSite(job, SiteInput{})))
            .Bool("given", plan.Ok() && job.Point.Given())
            .Text("summary", JobSummary(job, std::string(r.Text("when")), QUILLMERE_VERSION))
            .Json();
    });
}

// The six fields' texts of {0..5, to} in the other unit system, as the units switch types
// them: {"0": "4.5", ...}.
const char* qm_convert(const char* record, int length) {
    const Record r(record, length);
    const UnitSystem to = UnitsOf(r.Number("to"));
    JsonObject out;
    for (std::size_t i = 0; i < InputFields.size(); ++i) {
        const std::string key = std::to_string(i);
        out.Text(key, ConvertedFieldText(InputFields[i], r.Text(key), to));
    }
    return Give(out.Json());
}

// FLUID S.V. of {fluid, temperature, pressure, salinity, unit, lang}, or the refusal with
// the entry it is about ("temperature", "pressure" or "salinity").
const char* qm_fluid_temperature(const char* record, int length) {
    const Record r(record, length);
    const FluidAtTemperature water = VelocityFromTemperature(
        r.Number("fluid"), r.Text("temperature"), UnitsOf(r.Number("unit")),
        LanguageOf(r.Number("lang")), r.Text("pressure"), r.Text("salinity"));
    const char* entry = water.ErrorIn == WaterInput::Pressure   ? "pressure"
                        : water.ErrorIn == WaterInput::Salinity ? "salinity"
                                                                : "temperature";
    return Give(JsonObject()
                    .Text("velocity", water.VelocityText)
                    .Text("note", water.Note)
                    .Text("error", water.Error)
                    .Text("errorIn", entry)
                    .Json());
}

// The standard pipe tables: names, schedules, and each size with the schedules it has.
const char* qm_pipe_tables() {
    return Give(JsonArray(PipeTables(), [](const PipeTable& table) {
        std::vector<std::size_t> columns(table.Schedules.size());
        std::iota(columns.begin(), columns.end(), std::size_t{0});
        return JsonObject()
            .Text("name", PipeTableLabel(table))
            .Bool("mortar", table.Mortar != nullptr)
            .Raw("schedules",
                 JsonArray(columns,
                           [&](std::size_t c) { return JsonString(ScheduleLabel(table, c)); }))
            .Raw("sizes",
                 JsonArray(table.Rows,
                           [&](const PipeSizeRow& row) {
                               return JsonObject()
                                   .Text("name", PipeSizeName(row))
                                   .Raw("schedules",
                                        JsonArray(SchedulesOf(table, row),
                                                  [](std::size_t c) { return std::to_string(c); }))
                                   .Json();
                           }))
            .Json();
    }));
}

// Where the dialog's lists stand after a change of {table, size, schedule}: the size named
// where the table has it, else the usual one; the schedule labelled where that size has it,
// else its usual one. The window's dialog keeps them by the same rule.
const char* qm_pipe_kept(const char* record, int length) {
    const Record r(record, length);
    const auto tables = PipeTables();
    const int index = r.Number("table");
    if (index < 0 || index >= static_cast<int>(tables.size())) {
        return Give("{}");
    }
    const PipeTable& table = tables[static_cast<std::size_t>(index)];
    const std::size_t row = SizeRowAfterChange(table, r.Text("size"));
    return Give(JsonObject()
                    .Integer("row", static_cast<long long>(row))
                    .Integer("schedule", static_cast<long long>(ScheduleAfterChange(
                                             table, table.Rows[row], r.Text("schedule"))))
                    .Json());
}

// The OUTER DIAMETER and WALL THICKNESS texts of a size picked from the lists, and the
// PIPE MATERIAL entry it brings with the list on `pipe`; with `mortar`, for a ductile
// standard, the LINING MATERIAL entry and the LINING THICKNESS text of its lining.
const char* qm_pipe_texts(int table, int row, int schedule, int unit, int pipe, int mortar) {
    const auto tables = PipeTables();
    if (table < 0 || table >= static_cast<int>(tables.size())) {
        return Give("{}");
    }
    const PipeTable& t = tables[static_cast<std::size_t>(table)];
    if (row < 0 || row >= static_cast<int>(t.Rows.size()) || schedule < 0 ||
        schedule >= static_cast<int>(t.Schedules.size())) {
        return Give("{}");
    }
    const PipeChoice choice =
        PipeSizeTexts(t, t.Rows[static_cast<std::size_t>(row)], static_cast<std::size_t>(schedule),
                      UnitsOf(unit), mortar != 0);
    return Give(JsonObject()
                    .Text("outer", choice.OuterText)
                    .Text("wall", choice.WallText)
                    .Integer("material", PipeMaterialWith(t, pipe))
                    .Text("note", PipeSizeNote(choice))
                    .Integer("lining", choice.Lining != nullptr ? MortarEntry : -1)
                    .Text("liningThickness", choice.LiningText)
                    .Text("liningNote", LiningStandardName(choice))
                    .Json());
}

} // extern "C"
