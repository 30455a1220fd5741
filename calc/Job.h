#pragma once

// One case of the command-line front end: its inputs as texts (from options or a job
// sheet's columns), read, checked and computed exactly as the window would, with the
// window's result texts and messages.

#include "calc/Names.h"
#include "catalogue/Language.h"
#include "engine/UnitSystem.h"
#include "rules/Execute.h"
#include "rules/Fields.h"
#include "rules/JobRecord.h"
#include "rules/PipeChoice.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace QuillmereCalc {

using Quillmere::Language;
using Quillmere::UnitSystem;

enum class Column {
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
    PipeSize,
    Site, // the job's identity: kept with the record, never computed with
    Tag,
    Installer,
    Note,
    Time, // when a front end computed the row (its jobs file): kept, never computed with
};
inline constexpr std::size_t ColumnCount = 20;
inline constexpr std::array<std::string_view, ColumnCount> ColumnNames{"units",
                                                                       "lang",
                                                                       "sensor",
                                                                       "mount",
                                                                       "outer_diameter",
                                                                       "wall",
                                                                       "pipe",
                                                                       "pipe_velocity",
                                                                       "lining",
                                                                       "lining_thickness",
                                                                       "lining_velocity",
                                                                       "fluid",
                                                                       "fluid_velocity",
                                                                       "fluid_temperature",
                                                                       "pipe_size",
                                                                       "site",
                                                                       "tag",
                                                                       "installer",
                                                                       "note",
                                                                       "time"};

constexpr std::optional<Column> ColumnByName(std::string_view name) {
    for (std::size_t i = 0; i < ColumnCount; ++i) {
        if (ColumnNames[i] == name) {
            return static_cast<Column>(i);
        }
    }
    return std::nullopt;
}

// The sheet column that holds each field's text, as the field's record names it.
inline constexpr std::array<Column, Quillmere::Fields.size()> FieldColumns = [] {
    std::array<Column, Quillmere::Fields.size()> columns{};
    for (const Quillmere::FieldRecord& f : Quillmere::Fields) {
        columns[static_cast<std::size_t>(f.Field)] = ColumnByName(f.Column).value();
    }
    return columns;
}();
constexpr Column ColumnOf(Quillmere::InputField field) {
    return FieldColumns[static_cast<std::size_t>(field)];
}
// The identity's columns, as its records name them.
constexpr Column ColumnOf(Quillmere::IdentityItem item) {
    return static_cast<Column>(static_cast<std::size_t>(Column::Site) +
                               static_cast<std::size_t>(item));
}
static_assert(std::all_of(Quillmere::IdentityItems.begin(), Quillmere::IdentityItems.end(),
                          [](const Quillmere::IdentityRecord& r) {
                              return ColumnByName(r.Column) == ColumnOf(r.Item);
                          }),
              "the identity's columns follow its items");
static_assert(std::all_of(Quillmere::Fields.begin(), Quillmere::Fields.end(),
                          [](const Quillmere::FieldRecord& f) { return ColumnByName(f.Column); }),
              "every field has its column");

// The columns a job sheet's header names, in order, in any case and with blanks or '-' for
// '_'. A column without a heading (the empty columns a spreadsheet exports after the last)
// is none and not read. An unknown or repeated name gives no columns, and `problem` says
// which.
using SheetColumns = std::vector<std::optional<Column>>;
std::optional<SheetColumns> HeaderColumns(const std::vector<std::string>& names,
                                          std::string& problem);

// The texts of one case, as views of the options' or the sheet row's texts, which outlive
// it; a missing value takes the window's default.
struct CaseInput {
    std::array<std::optional<std::string_view>, ColumnCount> Values;
    std::optional<std::string_view>& operator[](Column c) {
        return Values[static_cast<std::size_t>(c)];
    }
    const std::optional<std::string_view>& operator[](Column c) const {
        return Values[static_cast<std::size_t>(c)];
    }
};

// A sheet row as a case: each headed column's cell without its padding. A blank cell, or
// one the row lacks, keeps the value `defaults` (the command line's options) give.
CaseInput RowInput(const SheetColumns& columns, const std::vector<std::string_view>& row,
                   const CaseInput& defaults);

struct CaseOutcome {
    bool Ok = false;
    // The message the window would show, in the case's language; what it quotes of the
    // input is escaped (Printable), fit for a terminal as it stands.
    std::string Error;
    // Where the window would put the focus: the column a failure is about, and for a refused
    // number the range its field takes ("6.00-6200.00mm").
    std::optional<Column> ErrorColumn;
    std::string ErrorRange;
    UnitSystem Units = UnitSystem::Metric;
    Language Lang = Language::Japanese;
    Quillmere::MountMethod Mount = Quillmere::MountMethod::V;
    int Crossings = 2; // how often the beam crosses the fluid
    // The whole job when Ok: its texts, metric inputs, beam path and results, and for the Z
    // method the circumferential result (half the outer circumference, shown like a result).
    Quillmere::JobRecord Record;
    std::string Temperature; // "WATER 60 °C, Marczak 1997" when the velocity came from it
    std::string TemperatureEquation;
    Quillmere::PipeChoice Pipe; // the standard size that gave the diameter and wall, if any
    std::string Warning;        // a result the clamp raised to 0 says so
};

CaseOutcome Evaluate(const CaseInput& input);
// The same into `out`, a fresh outcome: a sheet's row computes in place, without a move.
void Evaluate(const CaseInput& input, CaseOutcome& out);

// The unit flag the case asks for (metric 0, imperial 1); none for an unknown system.
std::optional<UnitSystem> UnitsOf(const CaseInput& input);

// The catalogue offset of the case's language (ja or 0, en or 1; Japanese when not given);
// none for an unknown language.
std::optional<Language> KnownLanguageOf(const CaseInput& input);

// The same, Japanese for an unknown language (for a message about the sheet itself).
Language LanguageOf(const CaseInput& input);

// The inputs, the spacing before rounding (and before the clamp at 0), angles, runs, the
// displayed texts and the warning.
nlohmann::ordered_json ToJson(const CaseInput& input, const CaseOutcome& outcome);

// Standard pipe tables as data for scripts: per size its outer diameter and, per schedule,
// the wall and the designation --pipe-size takes, as texts in the unit system given.
nlohmann::ordered_json PipeTablesJson(const std::vector<const Quillmere::PipeTable*>& tables,
                                      UnitSystem units);

// Every name a case takes, list by list, for scripts and sheet authors: per list the
// option and the window's caption; per entry its names (the language of `lang`
// first), its list index, the letter of a mounting method, and the table velocity in m/s
// of a material or fluid (null for the entry whose velocity is typed).
nlohmann::ordered_json NamesJson(Language lang);

// The same as lines of text, a heading per list.
std::string NamesListing(const nlohmann::ordered_json& names);

// The pipe list's entry the case computed with ("PVC", "PIPE S.V.").
std::string PipeMaterialText(const CaseOutcome& outcome);

// The unit name of lengths in the case's unit system ("mm" or "inch").
std::string_view LengthUnit(const CaseOutcome& outcome);

// What the helpers typed and chose, a line each: the standard size's diameter and wall with
// its edition, the material it brought, the water's velocity at its temperature. None for a
// case without helpers.
std::vector<std::string> HelperLines(const CaseOutcome& outcome);

// A catalogue text in the case's language.
std::string Text(std::int16_t id, Language lang);

} // namespace QuillmereCalc
