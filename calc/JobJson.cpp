#include "calc/JobJson.h"

#include "catalogue/Catalogue.h"
#include "engine/NumberText.h"
#include "rules/Json.h"
#include "rules/NameLists.h"
#include "rules/Rules.h"

#include <algorithm>
#include <span>

// The JSON and text forms of cases, names and pipe tables, for scripts.
namespace QuillmereCalc {

using namespace Quillmere;

namespace {

// What the computation went through: the list entries it used, its metric inputs, the
// spacing before rounding and the clamp, and the beam's angles and axial runs.
void AddBeamPath(JsonObject& j, const JobReading& o) {
    constexpr double degrees = 180.0 / 3.14159265358979323846;
    const CalcOutcome& r = o.Record.Outcome;
    const SensorTypeRecord& s = SensorTypeAt(o.Record.SensorTypeIndex);
    j.Text("sensor_type", SensorTypeName(o.Record.SensorTypeIndex))
        .Text("mount", std::string(1, MountLetter(o.Mount)))
        .Integer("fluid_crossings", o.Crossings)
        .Text("pipe_material", PipeMaterialText(o))
        .Text("lining_material",
              CatalogueText(EntryNameId(LiningMaterials, o.Record.LiningMaterialIndex), o.Lang))
        .Raw("metric_inputs", JsonObject()
                                  .Number("outer_diameter_mm", r.Inputs.OuterDiameter)
                                  .Number("wall_thickness_mm", r.Inputs.WallThickness)
                                  .Number("lining_thickness_mm", r.Inputs.LiningThickness)
                                  .Number("pipe_velocity_m_s", r.Inputs.PipeVelocity)
                                  .Number("lining_velocity_m_s", r.Inputs.LiningVelocity)
                                  .Number("fluid_velocity_m_s", r.Inputs.FluidVelocity)
                                  .Json())
        .Number("spacing_mm", r.Breakdown.Spacing)
        .Number("spacing_unclamped_mm", r.Breakdown.Unclamped)
        .Raw("angles_deg", JsonObject()
                               .Number("wedge", static_cast<double>(s.IncidenceAngle))
                               .Number("wall", r.Breakdown.WallAngle * degrees)
                               .Number("lining", r.Breakdown.LiningAngle * degrees)
                               .Number("fluid", r.Breakdown.FluidAngle * degrees)
                               .Json())
        .Raw("runs_mm", JsonObject()
                            .Number("wedge", s.WedgeRun)
                            .Number("wall", r.Breakdown.WallRun)
                            .Number("lining", r.Breakdown.LiningRun)
                            .Number("fluid", r.Breakdown.FluidRun)
                            .Number("mount_offset", s.MountOffset)
                            .Json())
        // The sound's path and time in the fluid, to hold against the converter's
        // diagnostics.
        .Number("fluid_path_mm", r.Breakdown.FluidPath)
        .Number("fluid_transit_us", FluidTransitMicroseconds(r));
}

std::string Pair(double low, double high) {
    return "[" + JsonNumber(low) + "," + JsonNumber(high) + "]";
}

// How sure the spacing is, metric as the other figures: per input read (table velocities
// included) the spacing's and the flow reading's change per mm or m/s, the ranges over the
// plus/minus given (null without), the transit-time difference per m/s of flow, and the
// converter's check of a measured fluid velocity (null without).
void AddHowSure(JsonObject& j, const Assessment& a) {
    JsonObject sensitivity;
    for (const InputSensitivity& s : a.Sensitivities) {
        sensitivity.Raw(FieldOf(s.Field).Column,
                        JsonObject()
                            .Number("spacing_mm_per_unit", s.SpacingPerUnit)
                            .Number("flow_error_percent_per_unit", s.FlowErrorPercentPerUnit)
                            .Json());
    }
    j.Raw("sensitivity", sensitivity.Json());
    j.Raw("spacing_range_mm", a.Toleranced ? Pair(a.SpacingMinMm, a.SpacingMaxMm) : "null");
    j.Raw("flow_error_range_percent",
          a.Toleranced ? Pair(a.FlowErrorMinPercent, a.FlowErrorMaxPercent) : "null");
    j.Number("delta_t_ns_per_m_s", a.DeltaTNsPerMs);
    if (!a.Measured) {
        j.Null("measured_fluid");
        return;
    }
    const MeasuredFluid& m = *a.Measured;
    JsonObject measured;
    measured.Number("velocity_m_s", m.VelocityMs).Number("difference_percent", m.DifferencePercent);
    if (m.SpacingMm) {
        measured.Number("spacing_mm", *m.SpacingMm);
    } else {
        measured.Null("spacing_mm");
    }
    if (m.WaterTemperature) {
        measured.Number("water_temperature_c", *m.WaterTemperature);
    } else {
        measured.Null("water_temperature_c");
    }
    j.Raw("measured_fluid", measured.Json());
}

// The measuring point, metric as the other figures: each side's fitting, its run in
// diameters and mm, the run the site has and whether it is enough; where the sensors go.
std::string StraightRunJson(const JobReading& o) {
    const SitePlan& site = *o.Site;
    const auto side = [](const StraightRun& run) {
        if (!run.Kind) {
            return std::string("null");
        }
        JsonObject j;
        j.Text("kind", FittingOf(*run.Kind).Key)
            .Integer("diameters", run.Diameters)
            .Number("mm", run.RequiredMm);
        if (run.AvailableMm) {
            j.Number("available_mm", *run.AvailableMm).Bool("enough", *run.Enough);
        } else {
            j.Null("available_mm").Null("enough");
        }
        return j.Json();
    };
    const std::string clock =
        "[" + std::to_string(site.Clock[0]) + "," + std::to_string(site.Clock[1]) + "]";
    return JsonObject()
        .Raw("upstream", side(site.Up))
        .Raw("downstream", side(site.Down))
        .Raw("position", JsonObject()
                             .Text("pipe_run", PipeRunKeys[static_cast<std::size_t>(site.Run)])
                             .Raw("clock", site.Run == PipeRun::Horizontal ? clock : "null")
                             .Bool("opposite_sides", site.OppositeSides)
                             .Text("rule", site.Rule)
                             .Text("placement", site.Placement)
                             .Json())
        .Json();
}

void AddResults(JsonObject& j, const ColumnTexts& input, const JobReading& o) {
    const DisplayTexts& shown = o.Record.Outcome.Display;
    j.Text("unit", LengthUnit(o)).Text("result1", shown.Result1).Text("result2", shown.Result2);
    if (!shown.Circumferential.empty()) {
        j.Text("circumferential", shown.Circumferential);
    }
    if (!o.Temperature.empty()) {
        // The equation and what it took: a pressure made absolute, the salinity it assumed.
        JsonObject water;
        water.Text("temperature", input.Text(Column::FluidTemperature))
            .Text("temperature_unit", o.Units == UnitSystem::Metric ? "°C" : "°F")
            .Text("equation", o.TemperatureEquation)
            .Text("pressure", input.Text(Column::FluidPressure))
            .Text("pressure_unit", o.Units == UnitSystem::Metric ? "MPa" : "psi");
        const bool pressed = !input.Text(Column::FluidPressure).empty() && o.Record.Fluid;
        if (pressed) {
            water.Number("absolute_pressure_mpa", o.Record.Fluid->State.GaugeMPa + AtmosphereMPa);
        } else {
            water.Null("absolute_pressure_mpa");
        }
        if (o.Record.Fluid && o.Record.Fluid->Equation->TakesSalinity) {
            water.Number("salinity", o.Record.Fluid->State.Salinity);
        } else {
            water.Null("salinity");
        }
        j.Raw("fluid_at_temperature",
              water.Text("fluid_velocity", o.Record.Text(InputField::FluidVelocity))
                  .Text("velocity_unit", UnitNamesOf(o.Units)[1])
                  .Json());
    }
    if (o.Pipe.Table != nullptr) {
        const std::string_view schedule = o.Pipe.Table->Schedules[o.Pipe.Schedule];
        JsonObject size;
        size.Text("size_text", input.Text(Column::PipeSize))
            .Text("standard", o.Pipe.Table->Standard)
            .Text("edition", o.Pipe.Table->Edition)
            .Text("size", o.Pipe.Row->Size)
            .Raw("schedule", schedule.empty() ? std::string("null") : JsonString(schedule))
            .Text("outer_diameter", o.Pipe.OuterText)
            .Text("wall_thickness", o.Pipe.WallText);
        if (o.Pipe.Lining != nullptr) {
            size.Text("lining_thickness", o.Pipe.LiningText)
                .Text("lining_standard", LiningStandardName(o.Pipe));
        }
        j.Raw("pipe_size", size.Json());
    }
    // The sensitivities go with every result, asked for where the reading did not need them.
    AddHowSure(j, o.Record.Uncertain.Given() ? o.HowSure : AssessJob(o.Record, o.Record.Uncertain));
    j.Raw("straight_run", o.Site ? StraightRunJson(o) : "null");
    if (o.Warning.empty()) {
        j.Null("warning");
    } else {
        j.Text("warning", o.Warning);
    }
    j.Null("error");
}

} // namespace

std::string ToJson(const ColumnTexts& input, const JobReading& o,
                   const std::vector<std::string_view>* record) {
    JsonObject inputs;
    for (const ColumnRecord& column : Columns) {
        if (const auto& value = input[column.Id]) {
            inputs.Text(column.Name, *value);
        }
    }
    JsonObject j;
    j.Raw("inputs", inputs.Json());
    // The job's identity as the record keeps it, refused or not: what ties a line to its pipe.
    JsonObject job;
    for (const IdentityRecord& item : IdentityItems) {
        job.Text(item.Key, o.Ok ? std::string_view(o.Record.Identity[item.Item])
                                : Unpadded(input.Text(ColumnOf(item.Item))));
    }
    j.Raw("job", job.Json());
    if (!o.Ok) {
        j.Text("error", o.Error);
        if (o.ErrorColumn) {
            j.Text("error_column", ColumnName(*o.ErrorColumn));
        }
        if (!o.ErrorRange.empty()) {
            j.Text("error_range", o.ErrorRange);
        }
    } else {
        AddBeamPath(j, o);
        AddResults(j, input, o);
    }
    if (record != nullptr) {
        j.Raw("record",
              JsonArray(*record, [](std::string_view field) { return JsonString(field); }));
    }
    return j.Json();
}

std::string PipeTablesJson(const std::vector<const PipeTable*>& tables, UnitSystem units) {
    return JsonArray(tables, [units](const PipeTable* table) {
        const std::string sizes = JsonArray(table->Rows, [&](const PipeSizeRow& row) {
            const std::string walls = JsonArray(SchedulesOf(*table, row), [&](std::size_t c) {
                const PipeChoice choice =
                    PipeSizeTexts(*table, row, c, units, table->Mortar != nullptr);
                const std::string_view schedule = table->Schedules[c];
                return JsonObject()
                    .Raw("schedule", schedule.empty() ? std::string("null") : JsonString(schedule))
                    .Text("pipe_size", PipeDesignation(choice))
                    .Text("wall_thickness", choice.WallText)
                    .Json();
            });
            return JsonObject()
                .Text("size", row.Size)
                .Text("name", PipeSizeName(row))
                .Text("outer_diameter", PipeSizeTexts(*table, row, 0, units).OuterText)
                .Raw("walls", walls)
                .Json();
        });
        return JsonObject()
            .Text("standard", table->Standard)
            .Text("edition", table->Edition)
            .Text("unit", UnitNamesOf(units)[0])
            .Raw("sizes", sizes)
            .Json();
    });
}

namespace {

// An entry of a list as --list-names shows it: its key (a letter, a velocity, an index) and
// its names, the language of the run first.
struct NamedEntry {
    std::string Key;
    std::string Json;
    std::vector<std::string> Names;
};

struct NamedList {
    std::string_view Option;
    std::string Caption;
    std::vector<NamedEntry> Entries;
};

std::vector<NamedList> NamedLists(Language lang) {
    const auto names = [lang](std::int16_t id) {
        return std::vector<std::string>{CatalogueText(id, lang),
                                        CatalogueText(id, OtherLanguage(lang))};
    };
    const auto texts = [](const std::vector<std::string>& list) {
        return JsonArray(list, [](const std::string& text) { return JsonString(text); });
    };
    namespace Id = Catalogue::Id;
    NamedList sensors{"--sensor", CatalogueText(Id::SensorType, lang), {}};
    for (int i = 0; i < SensorTypeCount; ++i) {
        const std::vector<std::string> list{std::string(SensorTypeName(i))};
        sensors.Entries.push_back(
            {std::to_string(i), JsonObject().Integer("index", i).Raw("names", texts(list)).Json(),
             list});
    }
    NamedList mounts{"--mount", CatalogueText(Id::SensorMount, lang), {}};
    for (int m = 0; m < MountMethodCount; ++m) {
        const std::string letter(1, MountLetter(static_cast<MountMethod>(m)));
        const auto list = names(MountMethods[static_cast<std::size_t>(m)].NameId);
        mounts.Entries.push_back(
            {letter, JsonObject().Text("letter", letter).Raw("names", texts(list)).Json(), list});
    }
    const auto materials = [&](std::string_view option, std::int16_t caption,
                               std::span<const ListEntry> source) {
        NamedList out{option, CatalogueText(caption, lang), {}};
        for (std::size_t i = 0; i < source.size(); ++i) {
            const bool typed = i + 1 == source.size();
            const auto list = names(source[i].NameId);
            JsonObject entry;
            entry.Integer("index", static_cast<long long>(i)).Raw("names", texts(list));
            if (typed) {
                entry.Null("velocity_m_s");
            } else {
                entry.Number("velocity_m_s", source[i].Velocity);
            }
            out.Entries.push_back(
                {typed ? std::string("typed") : DefaultNumberText(source[i].Velocity) + " m/s",
                 entry.Json(), list});
        }
        return out;
    };
    // The fittings, by the key a script uses; those whose run is not held say so.
    NamedList fittings{
        "--upstream, --downstream", CatalogueText(Catalogue::SiteText::StraightRuns, lang), {}};
    for (const FittingRecord& f : Fittings) {
        const auto list = names(f.NameId);
        JsonObject entry;
        entry.Text("key", f.Key).Raw("names", texts(list));
        if (f.Held) {
            entry.Integer("upstream_diameters", f.UpstreamDiameters)
                .Integer("downstream_diameters", f.DownstreamDiameters);
        } else {
            entry.Null("upstream_diameters").Null("downstream_diameters");
        }
        std::vector<std::string> shown = list;
        shown.push_back(f.Held ? std::to_string(f.UpstreamDiameters) + " D / " +
                                     std::to_string(f.DownstreamDiameters) + " D"
                               : std::string("not held"));
        fittings.Entries.push_back({std::string(f.Key), entry.Json(), shown});
    }
    NamedList runs{"--pipe-run", CatalogueText(Catalogue::SiteText::PipeRun, lang), {}};
    for (std::size_t i = 0; i < PipeRunKeys.size(); ++i) {
        const auto list = names(static_cast<std::int16_t>(Catalogue::SiteText::RunHorizontal + i));
        runs.Entries.push_back(
            {std::string(PipeRunKeys[i]),
             JsonObject().Text("key", PipeRunKeys[i]).Raw("names", texts(list)).Json(), list});
    }
    return {sensors,
            mounts,
            materials("--pipe", Id::PipeMaterial, PipeMaterials),
            materials("--lining", Id::LiningMaterial, LiningMaterials),
            materials("--fluid", Id::KindOfFluid, FluidKinds),
            fittings,
            runs};
}

} // namespace

std::string NamesJson(Language lang) {
    return JsonArray(NamedLists(lang), [](const NamedList& list) {
        return JsonObject()
            .Text("option", list.Option)
            .Text("caption", list.Caption)
            .Raw("entries",
                 JsonArray(list.Entries, [](const NamedEntry& entry) { return entry.Json; }))
            .Json();
    });
}

std::string NamesListing(Language lang) {
    std::string out;
    for (const NamedList& list : NamedLists(lang)) {
        out += std::string(list.Option) + " (" + list.Caption + ")\n";
        for (const NamedEntry& entry : list.Entries) {
            std::string key = entry.Key;
            key.resize(std::max<std::size_t>(key.size(), 9), ' ');
            out += "  " + key + " " + Joined(entry.Names, " / ") + "\n";
        }
    }
    return out;
}

} // namespace QuillmereCalc
