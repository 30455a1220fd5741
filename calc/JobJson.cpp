#include "calc/JobJson.h"

#include "catalogue/Catalogue.h"
#include "engine/NumberText.h"
#include "rules/NameLists.h"
#include "rules/Rules.h"

#include <algorithm>
#include <span>
#include <vector>

// The JSON and text forms of cases, names and pipe tables, for scripts.
namespace QuillmereCalc {

using namespace Quillmere;

namespace {

// What the computation went through: the list entries it used, its metric inputs, the
// spacing before rounding and the clamp, and the beam's angles and axial runs.
void AddBeamPath(nlohmann::ordered_json& j, const JobReading& o) {
    constexpr double degrees = 180.0 / 3.14159265358979323846;
    const CalcOutcome& r = o.Record.Outcome;
    const SensorTypeRecord& s = SensorTypeAt(o.Record.SensorTypeIndex);
    j["sensor_type"] = std::string(SensorTypeName(o.Record.SensorTypeIndex));
    j["mount"] = std::string(1, MountLetter(o.Mount));
    j["fluid_crossings"] = o.Crossings;
    j["pipe_material"] = PipeMaterialText(o);
    j["lining_material"] =
        CatalogueText(EntryNameId(LiningMaterials, o.Record.LiningMaterialIndex), o.Lang);
    j["metric_inputs"] = {{"outer_diameter_mm", r.Inputs.OuterDiameter},
                          {"wall_thickness_mm", r.Inputs.WallThickness},
                          {"lining_thickness_mm", r.Inputs.LiningThickness},
                          {"pipe_velocity_m_s", r.Inputs.PipeVelocity},
                          {"lining_velocity_m_s", r.Inputs.LiningVelocity},
                          {"fluid_velocity_m_s", r.Inputs.FluidVelocity}};
    j["spacing_mm"] = r.Breakdown.Spacing;
    j["spacing_unclamped_mm"] = r.Breakdown.Unclamped;
    j["angles_deg"] = {{"wedge", static_cast<double>(s.IncidenceAngle)},
                       {"wall", r.Breakdown.WallAngle * degrees},
                       {"lining", r.Breakdown.LiningAngle * degrees},
                       {"fluid", r.Breakdown.FluidAngle * degrees}};
    j["runs_mm"] = {{"wedge", s.WedgeRun},
                    {"wall", r.Breakdown.WallRun},
                    {"lining", r.Breakdown.LiningRun},
                    {"fluid", r.Breakdown.FluidRun},
                    {"mount_offset", s.MountOffset}};
    // The sound's path and time in the fluid, to hold against the converter's diagnostics.
    j["fluid_path_mm"] = r.Breakdown.FluidPath;
    j["fluid_transit_us"] = FluidTransitMicroseconds(r);
}

} // namespace

nlohmann::ordered_json ToJson(const ColumnTexts& input, const JobReading& o) {
    using nlohmann::ordered_json;
    ordered_json inputs = ordered_json::object();
    for (std::size_t i = 0; i < ColumnCount; ++i) {
        if (input.Values[i]) {
            inputs[std::string(Columns[i].Name)] = *input.Values[i];
        }
    }
    ordered_json j;
    j["inputs"] = inputs;
    // The job's identity as the record keeps it, refused or not: what ties a line to its pipe.
    ordered_json job = ordered_json::object();
    for (const IdentityRecord& item : IdentityItems) {
        job[std::string(item.Key)] =
            o.Ok ? o.Record.Identity[item.Item]
                 : std::string(Unpadded(input[ColumnOf(item.Item)].value_or("")));
    }
    j["job"] = std::move(job);
    if (!o.Ok) {
        j["error"] = o.Error;
        if (o.ErrorColumn) {
            j["error_column"] = std::string(ColumnName(*o.ErrorColumn));
        }
        if (!o.ErrorRange.empty()) {
            j["error_range"] = o.ErrorRange;
        }
        return j;
    }
    AddBeamPath(j, o);
    const DisplayTexts& shown = o.Record.Outcome.Display;
    j["unit"] = std::string(LengthUnit(o));
    j["result1"] = shown.Result1;
    j["result2"] = shown.Result2;
    if (!shown.Circumferential.empty()) {
        j["circumferential"] = shown.Circumferential;
    }
    if (!o.Temperature.empty()) {
        j["fluid_at_temperature"] = {
            {"temperature", *input[Column::FluidTemperature]},
            {"temperature_unit", o.Units == UnitSystem::Metric ? "°C" : "°F"},
            {"equation", o.TemperatureEquation},
            {"fluid_velocity", o.Record.Text(InputField::FluidVelocity)},
            {"velocity_unit", std::string(UnitNamesOf(o.Units)[1])}};
    }
    if (o.Pipe.Table != nullptr) {
        const std::string_view schedule = o.Pipe.Table->Schedules[o.Pipe.Schedule];
        j["pipe_size"] = {
            {"size_text", *input[Column::PipeSize]},
            {"standard", std::string(o.Pipe.Table->Standard)},
            {"edition", std::string(o.Pipe.Table->Edition)},
            {"size", std::string(o.Pipe.Row->Size)},
            {"schedule", schedule.empty() ? ordered_json() : ordered_json(std::string(schedule))},
            {"outer_diameter", o.Pipe.OuterText},
            {"wall_thickness", o.Pipe.WallText}};
        if (o.Pipe.Lining != nullptr) {
            j["pipe_size"]["lining_thickness"] = o.Pipe.LiningText;
            j["pipe_size"]["lining_standard"] = LiningStandardName(o.Pipe);
        }
    }
    j["warning"] = o.Warning.empty() ? ordered_json() : ordered_json(o.Warning);
    j["error"] = nullptr;
    return j;
}

nlohmann::ordered_json NamesJson(Language lang) {
    using nlohmann::ordered_json;
    const Language other = OtherLanguage(lang);
    const auto names = [&](std::int16_t id) {
        return ordered_json::array({CatalogueText(id, lang), CatalogueText(id, other)});
    };
    const auto list = [&](const char* option, std::int16_t caption, ordered_json entries) {
        return ordered_json{{"option", option},
                            {"caption", CatalogueText(caption, lang)},
                            {"entries", std::move(entries)}};
    };
    ordered_json sensors = ordered_json::array();
    for (int i = 0; i < SensorTypeCount; ++i) {
        sensors.push_back({{"index", i}, {"names", {std::string(SensorTypeName(i))}}});
    }
    ordered_json mounts = ordered_json::array();
    for (int m = 0; m < MountMethodCount; ++m) {
        const auto method = static_cast<MountMethod>(m);
        mounts.push_back({{"letter", std::string(1, MountLetter(method))},
                          {"names", names(MountMethods[static_cast<std::size_t>(m)].NameId)}});
    }
    const auto materials = [&](std::span<const ListEntry> source) {
        ordered_json entries = ordered_json::array();
        for (std::size_t i = 0; i < source.size(); ++i) {
            const bool typed = i + 1 == source.size();
            entries.push_back(
                {{"index", i},
                 {"names", names(source[i].NameId)},
                 {"velocity_m_s", typed ? ordered_json() : ordered_json(source[i].Velocity)}});
        }
        return entries;
    };
    namespace Id = Catalogue::Id;
    return ordered_json::array({list("--sensor", Id::SensorType, sensors),
                                list("--mount", Id::SensorMount, mounts),
                                list("--pipe", Id::PipeMaterial, materials(PipeMaterials)),
                                list("--lining", Id::LiningMaterial, materials(LiningMaterials)),
                                list("--fluid", Id::KindOfFluid, materials(FluidKinds))});
}

std::string NamesListing(const nlohmann::ordered_json& names) {
    std::string out;
    for (const auto& list : names) {
        out +=
            list["option"].get<std::string>() + " (" + list["caption"].get<std::string>() + ")\n";
        for (const auto& entry : list["entries"]) {
            std::string key;
            if (entry.contains("letter")) {
                key = entry["letter"].get<std::string>();
            } else if (entry.contains("velocity_m_s")) {
                key = entry["velocity_m_s"].is_null()
                          ? std::string("typed")
                          : DefaultNumberText(entry["velocity_m_s"].get<double>()) + " m/s";
            } else {
                key = std::to_string(entry["index"].get<int>());
            }
            key.resize(std::max<std::size_t>(key.size(), 9), ' ');
            out += "  " + key + " " +
                   Joined(entry["names"].get<std::vector<std::string>>(), " / ") + "\n";
        }
    }
    return out;
}

nlohmann::ordered_json PipeTablesJson(const std::vector<const PipeTable*>& tables,
                                      UnitSystem units) {
    using nlohmann::ordered_json;
    ordered_json out = ordered_json::array();
    for (const PipeTable* table : tables) {
        ordered_json sizes = ordered_json::array();
        for (const PipeSizeRow& row : table->Rows) {
            ordered_json walls = ordered_json::array();
            for (const std::size_t c : SchedulesOf(*table, row)) {
                const PipeChoice choice =
                    PipeSizeTexts(*table, row, c, units, table->Mortar != nullptr);
                const std::string_view schedule = table->Schedules[c];
                walls.push_back(
                    {{"schedule",
                      schedule.empty() ? ordered_json() : ordered_json(std::string(schedule))},
                     {"pipe_size", PipeDesignation(choice)},
                     {"wall_thickness", choice.WallText}});
            }
            sizes.push_back({{"size", std::string(row.Size)},
                             {"name", PipeSizeName(row)},
                             {"outer_diameter", PipeSizeTexts(*table, row, 0, units).OuterText},
                             {"walls", walls}});
        }
        out.push_back({{"standard", std::string(table->Standard)},
                       {"edition", std::string(table->Edition)},
                       {"unit", std::string(UnitNamesOf(units)[0])},
                       {"sizes", sizes}});
    }
    return out;
}

} // namespace QuillmereCalc
