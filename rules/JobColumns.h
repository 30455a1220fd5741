#pragma once

// The columns of a job, described once: each one's name (the job sheet's column and the
// JSON key; the option is "--" + it with '-' for '_'), the window's caption it may be
// headed with as well, the help of its option, whether it is an input, kept as it came or
// a result, and its place in the job sheets the window and the page write. quillmere-calc's
// options and --help, the reading of sheet headings, the output's result columns, the jobs
// file and the page's export all come from this table: a new column is one entry.

#include "catalogue/CatalogueIds.h"
#include "engine/InputField.h"
#include "rules/Fields.h"
#include "rules/JobIdentity.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace Quillmere {

enum class Column : std::uint8_t {
    Units,
    Lang,
    Sensor,
    Mount,
    OuterDiameter,
    Wall,
    Pipe,
    PipeVelocity,
    Lining,
    LiningThickness,
    LiningVelocity,
    Fluid,
    FluidVelocity,
    FluidTemperature,
    FluidPressure,
    Salinity,
    PipeSize,
    Site,
    Tag,
    Installer,
    Note,
    OuterDiameterTolerance,
    WallTolerance,
    LiningThicknessTolerance,
    PipeVelocityTolerance,
    LiningVelocityTolerance,
    FluidVelocityTolerance,
    MeasuredFluidVelocity,
    Upstream,
    Downstream,
    AvailableUpstream,
    AvailableDownstream,
    PipeRun,
    Time,
    Result1,
    Result2,
    Circumferential,
    Error,
    Notes,
    SpacingMin,
    SpacingMax,
    UpstreamMin,
    DownstreamMin,
};

enum class ColumnRole : std::uint8_t {
    Input,  // a value of the job: an option, a sheet column read and written back
    Kept,   // read and written back as it came, never computed with
    Result, // written by quillmere-calc after the input columns
};

// Columns that belong together: a result of a group is written only where a sheet or the
// options give an input of it.
enum class ColumnGroup : std::uint8_t { None, Tolerance, Site };

struct ColumnRecord {
    Column Id;
    std::string_view Name;
    ColumnRole Role;
    std::int16_t CaptionId; // a window caption that heads the column as well; 0 for none
    std::string_view Help;  // what --help says of its option; empty: no option
    int JobSheetPlace;      // its place in the window's and the page's job sheets; -1 none
    ColumnGroup Group = ColumnGroup::None;
};

namespace ColumnHelp {
inline constexpr std::string_view FluidTemperature =
    "temperature of WATER, DIST. WATER (0-95 degC; with --fluid-pressure 0-350 degC) or "
    "SEAWATER (0-40 degC), in degC, or degF with --units imperial: its sound velocity, rounded "
    "to a whole m/s (ft/s), is typed as FLUID S.V.";
inline constexpr std::string_view FluidPressure =
    "with --fluid-temperature: the line's pressure as its gauge reads it, in MPa (psi with "
    "--units imperial); water then follows IAPWS-IF97 (liquid, to 350 degC), sea water "
    "UNESCO 1983";
inline constexpr std::string_view Salinity =
    "with --fluid-temperature and SEAWATER: its practical salinity, 0-40 (35 without it); sea "
    "water then follows UNESCO 1983";
inline constexpr std::string_view MeasuredFluidVelocity =
    "the fluid sound velocity the converter measures, in --units: how far it is from the "
    "velocity used, the spacing for it and, for water, the temperature it means";
inline constexpr std::string_view PipeSize =
    "standard pipe size, such as \"STPG 100A Sch40\" or \"NPS 4 Sch40\": sets the outer "
    "diameter and the wall thickness, and the standard's material unless --pipe names one";
inline constexpr std::string_view Upstream =
    "the fitting upstream of the measuring point: straight, elbow, two-elbows-in-plane, "
    "two-elbows-out-of-plane, reducer, open-valve, control-valve or pump (--list-names): the "
    "straight run it needs, in diameters of the pipe and in its length";
inline constexpr std::string_view Downstream =
    "the fitting downstream of the measuring point, as --upstream";
inline constexpr std::string_view AvailableUpstream =
    "with --upstream: the straight run the site has upstream of the sensors, in mm (inch with "
    "--units imperial): enough, or short by how much";
inline constexpr std::string_view AvailableDownstream =
    "with --downstream: the straight run the site has downstream, as --available-upstream";
inline constexpr std::string_view PipeRun =
    "horizontal (the default), up or down (vertical, the flow's way): where around the pipe "
    "the sensors go";
} // namespace ColumnHelp

// clang-format off
inline constexpr std::array<ColumnRecord, 43> Columns{{
    {Column::Units, "units", ColumnRole::Input, 0,
     "metric (mm, m/s; the default) or imperial (inch, ft/s)", 2},
    {Column::Lang, "lang", ColumnRole::Input, 0,
     "language of names and messages: ja (the default) or en", 1},
    {Column::Sensor, "sensor", ColumnRole::Input, Catalogue::Id::SensorType,
     "sensor type: its list text (VT-C1, VT-A1/VT-A2 or VT-A2) or list index 0-11", 3},
    {Column::Mount, "mount", ColumnRole::Input, Catalogue::Id::SensorMount,
     "mounting method: V (the default), Z, N or W", 4},
    {Column::OuterDiameter, "outer_diameter", ColumnRole::Input, Catalogue::Id::OuterDiameter,
     "outer diameter of the pipe", 5},
    {Column::Wall, "wall", ColumnRole::Input, Catalogue::Id::WallThickness, "wall thickness", 6},
    {Column::Pipe, "pipe", ColumnRole::Input, Catalogue::Id::PipeMaterial,
     "pipe material by name (CARBON STEEL, the default; 炭素鋼 ...)", 7},
    {Column::PipeVelocity, "pipe_velocity", ColumnRole::Input, Catalogue::Id::PipeVelocity,
     "sound velocity of the pipe, typed", 8},
    {Column::Lining, "lining", ColumnRole::Input, Catalogue::Id::LiningMaterial,
     "lining by name (NO LINING, the default; RUBBER ...)", 9},
    {Column::LiningThickness, "lining_thickness", ColumnRole::Input,
     Catalogue::Id::LiningThickness, "lining thickness", 10},
    {Column::LiningVelocity, "lining_velocity", ColumnRole::Input, Catalogue::Id::LiningVelocity,
     "sound velocity of the lining, typed", 11},
    {Column::Fluid, "fluid", ColumnRole::Input, Catalogue::Id::KindOfFluid,
     "kind of fluid by name (WATER, the default; 海水 ...)", 12},
    {Column::FluidVelocity, "fluid_velocity", ColumnRole::Input, Catalogue::Id::FluidVelocity,
     "sound velocity of the fluid, typed", 13},
    {Column::FluidTemperature, "fluid_temperature", ColumnRole::Input, 0,
     ColumnHelp::FluidTemperature, -1},
    {Column::FluidPressure, "fluid_pressure", ColumnRole::Input, 0, ColumnHelp::FluidPressure, -1},
    {Column::Salinity, "salinity", ColumnRole::Input, 0, ColumnHelp::Salinity, -1},
    {Column::PipeSize, "pipe_size", ColumnRole::Input, 0, ColumnHelp::PipeSize, -1},
    {Column::Site, "site", ColumnRole::Input, Catalogue::JobText::Site,
     "the job's site, printed as typed at the head of the summary and in JSON", 14},
    {Column::Tag, "tag", ColumnRole::Input, Catalogue::JobText::Tag,
     "the job's tag (measuring point), such as FT-101", 15},
    {Column::Installer, "installer", ColumnRole::Input, Catalogue::JobText::Installer,
     "who installs the sensors", 16},
    {Column::Note, "note", ColumnRole::Input, Catalogue::JobText::Note,
     "a free note on the job (one line)", 17},
    // The plus/minus of each input, given by --tolerance NAME=VALUE.
    {Column::OuterDiameterTolerance, "outer_diameter_tolerance", ColumnRole::Input, 0, "", -1,
     ColumnGroup::Tolerance},
    {Column::WallTolerance, "wall_tolerance", ColumnRole::Input, 0, "", -1, ColumnGroup::Tolerance},
    {Column::LiningThicknessTolerance, "lining_thickness_tolerance", ColumnRole::Input, 0, "", -1,
     ColumnGroup::Tolerance},
    {Column::PipeVelocityTolerance, "pipe_velocity_tolerance", ColumnRole::Input, 0, "", -1,
     ColumnGroup::Tolerance},
    {Column::LiningVelocityTolerance, "lining_velocity_tolerance", ColumnRole::Input, 0, "", -1,
     ColumnGroup::Tolerance},
    {Column::FluidVelocityTolerance, "fluid_velocity_tolerance", ColumnRole::Input, 0, "", -1,
     ColumnGroup::Tolerance},
    {Column::MeasuredFluidVelocity, "measured_fluid_velocity", ColumnRole::Input,
     Catalogue::CheckText::MeasuredFluidVelocity, ColumnHelp::MeasuredFluidVelocity, -1},
    // The measuring point: the fittings around it, the runs the site has, the pipe's run.
    {Column::Upstream, "upstream", ColumnRole::Input, 0, ColumnHelp::Upstream, -1,
     ColumnGroup::Site},
    {Column::Downstream, "downstream", ColumnRole::Input, 0, ColumnHelp::Downstream, -1,
     ColumnGroup::Site},
    {Column::AvailableUpstream, "available_upstream", ColumnRole::Input,
     Catalogue::SiteText::AvailableUpstream, ColumnHelp::AvailableUpstream, -1, ColumnGroup::Site},
    {Column::AvailableDownstream, "available_downstream", ColumnRole::Input,
     Catalogue::SiteText::AvailableDownstream, ColumnHelp::AvailableDownstream, -1,
     ColumnGroup::Site},
    {Column::PipeRun, "pipe_run", ColumnRole::Input, Catalogue::SiteText::PipeRun,
     ColumnHelp::PipeRun, -1, ColumnGroup::Site},
    // When a front end computed the row (its jobs file): kept, never computed with.
    {Column::Time, "time", ColumnRole::Kept, 0, "", 0},
    {Column::Result1, "result1", ColumnRole::Result, 0, "", 18},
    {Column::Result2, "result2", ColumnRole::Result, 0, "", 19},
    {Column::Circumferential, "circumferential", ColumnRole::Result, 0, "", 20},
    {Column::Error, "error", ColumnRole::Result, 0, "", 21},
    // What the helpers chose, and why a spacing is 0.00.
    {Column::Notes, "notes", ColumnRole::Result, 0, "", 22},
    // The spacing's range over the inputs' plus/minus.
    {Column::SpacingMin, "spacing_min", ColumnRole::Result, 0, "", -1, ColumnGroup::Tolerance},
    {Column::SpacingMax, "spacing_max", ColumnRole::Result, 0, "", -1, ColumnGroup::Tolerance},
    // The straight runs the fittings need, in the job's length unit.
    {Column::UpstreamMin, "upstream_min", ColumnRole::Result, 0, "", -1, ColumnGroup::Site},
    {Column::DownstreamMin, "downstream_min", ColumnRole::Result, 0, "", -1, ColumnGroup::Site},
}};
// clang-format on

inline constexpr std::size_t ColumnCount = Columns.size();

constexpr const ColumnRecord& ColumnRecordOf(Column column) {
    return Columns[static_cast<std::size_t>(column)];
}
constexpr std::string_view ColumnName(Column column) {
    return ColumnRecordOf(column).Name;
}

constexpr std::optional<Column> ColumnNamed(std::string_view name) {
    for (const ColumnRecord& c : Columns) {
        if (c.Name == name) {
            return c.Id;
        }
    }
    return std::nullopt;
}

// The column that holds each field's text, and each identity item's: looked up by name once,
// at compile time, not on every row of a sheet.
inline constexpr auto FieldColumns = [] {
    std::array<Column, InputFields.size()> columns{};
    for (const InputField field : InputFields) {
        columns[static_cast<std::size_t>(field)] = ColumnNamed(FieldOf(field).Column).value();
    }
    return columns;
}();
inline constexpr auto IdentityColumns = [] {
    std::array<Column, IdentityItems.size()> columns{};
    for (std::size_t i = 0; i < IdentityItems.size(); ++i) {
        columns[i] = ColumnNamed(IdentityItems[i].Column).value();
    }
    return columns;
}();
constexpr Column ColumnOf(InputField field) {
    return FieldColumns[static_cast<std::size_t>(field)];
}
constexpr Column ColumnOf(IdentityItem item) {
    return IdentityColumns[static_cast<std::size_t>(item)];
}

template <typename Which> constexpr std::size_t CountColumns(Which which) {
    return static_cast<std::size_t>(std::count_if(Columns.begin(), Columns.end(), which));
}

// The columns of the job sheets the window and the page write, in their order.
inline constexpr auto JobSheetColumns = [] {
    std::array<Column, CountColumns([](const ColumnRecord& c) { return c.JobSheetPlace >= 0; })>
        order{};
    for (const ColumnRecord& c : Columns) {
        if (c.JobSheetPlace >= 0) {
            order[static_cast<std::size_t>(c.JobSheetPlace)] = c.Id;
        }
    }
    return order;
}();

// The result columns quillmere-calc writes after the input columns, in their order.
inline constexpr auto ResultColumns = [] {
    std::array<Column,
               CountColumns([](const ColumnRecord& c) { return c.Role == ColumnRole::Result; })>
        results{};
    std::size_t n = 0;
    for (const ColumnRecord& c : Columns) {
        if (c.Role == ColumnRole::Result) {
            results[n++] = c.Id;
        }
    }
    return results;
}();

static_assert(std::all_of(Columns.begin(), Columns.end(),
                          [](const ColumnRecord& c) { return &ColumnRecordOf(c.Id) == &c; }),
              "the table is in Column order");
static_assert(std::all_of(Fields.begin(), Fields.end(),
                          [](const FieldRecord& f) { return ColumnNamed(f.Column).has_value(); }),
              "every field has its column");
static_assert(std::all_of(IdentityItems.begin(), IdentityItems.end(),
                          [](const IdentityRecord& i) {
                              return ColumnNamed(i.Column).has_value();
                          }),
              "every identity item has its column");
static_assert(std::count_if(Columns.begin(), Columns.end(),
                            [](const ColumnRecord& c) { return c.JobSheetPlace >= 0; }) ==
                  static_cast<std::ptrdiff_t>(JobSheetColumns.size()),
              "each place of the job sheet is taken once");
static_assert(std::count_if(Columns.begin(), Columns.end(), [](const ColumnRecord& c) {
                  return c.Role == ColumnRole::Result;
              }) == static_cast<std::ptrdiff_t>(ResultColumns.size()));
static_assert(JobSheetColumns.front() == Column::Time && JobSheetColumns.back() == Column::Notes);

// The column of a field's plus/minus ("wall_tolerance").
constexpr Column ToleranceColumnOf(InputField field) {
    switch (field) {
    case InputField::OuterDiameter:
        return Column::OuterDiameterTolerance;
    case InputField::PipeVelocity:
        return Column::PipeVelocityTolerance;
    case InputField::WallThickness:
        return Column::WallTolerance;
    case InputField::LiningVelocity:
        return Column::LiningVelocityTolerance;
    case InputField::LiningThickness:
        return Column::LiningThicknessTolerance;
    case InputField::FluidVelocity:
        break;
    }
    return Column::FluidVelocityTolerance;
}
static_assert(std::all_of(Fields.begin(), Fields.end(),
                          [](const FieldRecord& f) {
                              const std::string_view name = ColumnName(ToleranceColumnOf(f.Field));
                              return name.starts_with(f.Column) && name.ends_with("_tolerance") &&
                                     name.size() == f.Column.size() + 10;
                          }),
              "each field's plus/minus column is its column and _tolerance");

// "--outer-diameter": the option of a column.
std::string OptionOf(Column column);

// The names of the columns a sheet may have, for --help and the man page: every input and
// kept column, in the table's order.
std::vector<std::string_view> InputColumnNames();

// The texts of a job by column, as views of the options' or a sheet row's texts, which
// outlive it; none where a column gives no value.
struct ColumnTexts {
    std::array<std::optional<std::string_view>, ColumnCount> Values;
    std::optional<std::string_view>& operator[](Column c) {
        return Values[static_cast<std::size_t>(c)];
    }
    const std::optional<std::string_view>& operator[](Column c) const {
        return Values[static_cast<std::size_t>(c)];
    }
    // The value, or "" where none is given.
    std::string_view Text(Column c) const { return (*this)[c].value_or(std::string_view()); }
};

// The columns a sheet's header names, in order, in any case and with blanks or '-' for '_',
// or the window's captions in either language ("WALL THICKNESS", "配管厚さ"); a result
// column is no column a sheet gives (an output's are taken off before). A column
// without a heading (the empty columns a spreadsheet exports after the last) is none and
// not read. An unknown or repeated name gives no columns, and `problem` says which.
using SheetColumns = std::vector<std::optional<Column>>;
std::optional<SheetColumns> HeaderColumns(const std::vector<std::string>& names,
                                          std::string& problem);

// A sheet row as a job's texts: each headed column's cell without its padding. A blank cell,
// or one the row lacks, keeps the value `defaults` (the command line's options) give.
ColumnTexts RowTexts(const SheetColumns& columns, const std::vector<std::string_view>& row,
                     const ColumnTexts& defaults);
// The same into `texts`, which hold `defaults` in every column the sheet does not head (a
// sheet's rows read one after another into one place).
void ReadRowTexts(const SheetColumns& columns, const std::vector<std::string_view>& row,
                  const ColumnTexts& defaults, ColumnTexts& texts);

} // namespace Quillmere
