// quillmere-calc: the window's calculation from the command line, for one case or a whole
// job sheet. Reads and checks every value as the window's fields do and prints the texts
// the window would show.
#include "CsvStream.h"
#include "Job.h"
#include "JobSummary.h"
#include "Sketch.h"
#include "TextFold.h"
#include "WholeFile.h"

#include "Catalogue.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <iostream>
#include <memory>
#include <optional>
#include <span>
#include <sstream>
#include <string_view>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

using namespace QuillmereCalc;

namespace {

constexpr const char* Example = R"(Examples:
  quillmere-calc --lang en --sensor VT-C1 --outer-diameter 114.3 --wall 6.0
  quillmere-calc --units imperial --sensor VT-A1 --mount Z \
                 --outer-diameter 2.3819 --wall 0.1535 \
                 --pipe "STAINLESS STEEL" --fluid-velocity 4724
  quillmere-calc --lang en --sensor VT-C1 --pipe-size "STPG 100A Sch40" \
                 --fluid-temperature 60
  quillmere-calc --list-pipe-sizes NPS
  quillmere-calc --list-names --lang en
  quillmere-calc --sheet pipes.csv > spacings.csv

A job sheet is a CSV file with a header row naming any of the columns
  units lang sensor mount outer_diameter wall pipe pipe_velocity lining
  lining_thickness lining_velocity fluid fluid_velocity fluid_temperature
  pipe_size
(in any case, "Outer Diameter" or outer-diameter as well, or the window's
captions in either language: WALL THICKNESS, 配管厚さ) and one pipe a row.
Options given beside --sheet are every row's defaults: a column the sheet
lacks, or a blank cell, takes the option's value. The output repeats every
input column and adds result1, result2, circumferential and error, and notes
(what pipe_size and fluid_temperature chose, and why a spacing is 0.00) when
either is used. An output sheet given again (its failed rows corrected, say)
has those columns computed anew.
Exit status: 0 when every row computed, 1 when any did not, 2 when the sheet
cannot be read.

Names are the window's list texts in English or Japanese, in any case and width
(ゴム is the list's ｺﾞﾑ; --list-names lists them). A named material takes its
sound velocity from the table, as in the window; a typed velocity alone selects
the list's own entry (PIPE S.V., LINING S.V., FLUID S.V.). A name and a
velocity together, or a lining thickness without a lining, are refused: one of
them would go unread. Mounting methods V and Z are the window's; N crosses the
fluid three times, W four times. A spacing below 0 (a sensor type too large for
the pipe) is shown as 0, as in the window, with a note on standard error, as is
a case without --sensor, computed for RESERVE (the window's first sensor type).

A standard pipe size sets the outer diameter and the wall: SGP 100A,
STPG 100A Sch40, SUS 100A Sch10S (JIS G 3452, G 3454, G 3459), NPS 4 Sch40,
4B STD, NPS 1-1/2 XS (ASME B36.10M), NPS 4 Sch10S (B36.19M), VP 100, VU 100
(JIS K 6741). Metric takes the standard's mm, imperial ASME's inches or JIS
converted to 4 decimals.)";

// The JSON text of a case; bytes that are not UTF-8 never reach it (they are refused
// first), and if one did it would be replaced, never thrown.
std::string Json(const nlohmann::ordered_json& json, int indent) {
    return json.dump(indent, ' ', false, nlohmann::json::error_handler_t::replace);
}

int Fail(const std::string& message) {
    std::fprintf(stderr, "quillmere-calc: %s\n", message.c_str());
    return 2;
}

// Every result that was printed must have arrived: a full disk is an error, not a success.
int OutputFailed() { return Fail(std::string("cannot write the output: ") + std::strerror(errno)); }

bool StandardOutputOk() {
    std::cout.flush();
    return std::cout.good() && std::fflush(stdout) == 0 && std::ferror(stdout) == 0;
}

// The option that gives a column's value: outer_diameter is --outer-diameter.
std::string OptionOf(Column column) {
    std::string option = "--" + std::string(ColumnNames[static_cast<std::size_t>(column)]);
    std::replace(option.begin(), option.end(), '_', '-');
    return option;
}

// The window opens on RESERVE, in sight; here a case that names no sensor type gets it
// unseen, so the output says so.
bool NamesNoSensor(const CaseInput& input) {
    return !input[Column::Sensor] || Unpadded(*input[Column::Sensor]).empty();
}
constexpr std::string_view ForReserve = "computed for RESERVE, the sensor list's first entry";

// The columns a sheet's output adds after the input columns: always the first four, notes
// only when the helpers are used.
constexpr std::array<std::string_view, 5> ResultColumns{"result1", "result2", "circumferential",
                                                        "error", "notes"};
constexpr std::size_t AlwaysAdded = 4;

// A sheet row as it came, then its results or its error (and what the helpers chose, and
// why a spacing is 0.00: the sheet is the record kept). An output sheet given again takes
// rows as wide as its input columns (`inputWidth`) as new rows: a row refused for its width
// that would come out exactly that wide gets one empty field more, never to be read so.
void WriteRow(CsvWriter& writer, const std::vector<std::string>& row, const CaseOutcome& outcome,
              bool notes, std::size_t inputWidth) {
    for (const std::string& cell : row) {
        writer.Field(cell);
    }
    const std::string_view none;
    writer.Field(outcome.Ok ? std::string_view(outcome.Record.Outcome.Display.Result1) : none);
    writer.Field(outcome.Ok ? std::string_view(outcome.Record.Outcome.Display.Result2) : none);
    writer.Field(outcome.Ok ? std::string_view(outcome.Record.Outcome.Display.Circumferential) : none);
    writer.Field(outcome.Ok ? none : std::string_view(outcome.Error));
    if (notes) {
        std::vector<std::string> lines = HelperLines(outcome);
        if (!outcome.Warning.empty()) {
            lines.push_back(outcome.Warning);
        }
        const std::string joined = Quillmere::Joined(lines, "; ");
        writer.Field(outcome.Ok ? std::string_view(joined) : none);
    }
    if (row.size() != inputWidth && row.size() + AlwaysAdded + (notes ? 1 : 0) == inputWidth) {
        writer.Field(none);
    }
    writer.EndRecord();
}

void WriteHeader(CsvWriter& writer, const std::vector<std::string>& header, bool notes) {
    for (const std::string& column : header) {
        writer.Field(column);
    }
    for (const std::string_view extra :
         std::span(ResultColumns).first(AlwaysAdded + (notes ? 1 : 0))) {
        writer.Field(extra);
    }
    writer.EndRecord();
}

// An output sheet, its failed rows corrected, is given again: its earlier results are
// computed anew, neither read as inputs nor kept beside the new ones.
struct EarlierResults {
    std::size_t At = 0;
    std::size_t Count = 0; // none
    std::size_t Width = 0; // of the header as written
};

void Drop(std::vector<std::string>& record, const EarlierResults& results) {
    const auto first = record.begin() + static_cast<std::ptrdiff_t>(results.At);
    record.erase(first, first + static_cast<std::ptrdiff_t>(results.Count));
}

EarlierResults WithoutEarlierResults(std::vector<std::string>& header) {
    const auto named = [](const std::string& heading, std::string_view name) {
        return name == Unpadded(heading);
    };
    const auto always = std::span(ResultColumns).first(AlwaysAdded);
    const auto first =
        std::search(header.begin(), header.end(), always.begin(), always.end(), named);
    const auto after = first == header.end() ? first : first + AlwaysAdded;
    const bool notes = after != header.end() && named(*after, ResultColumns.back());
    const EarlierResults found{static_cast<std::size_t>(first - header.begin()),
                               first == header.end() ? 0 : AlwaysAdded + (notes ? 1 : 0),
                               header.size()};
    Drop(header, found);
    return found;
}

struct SheetRow {
    CaseInput Input;
    CaseOutcome Outcome;
};

// One record of the sheet read and computed. A record of another width than the header
// (`headerWidth` as written, earlier results included), or a value under no heading, is
// refused before anything is read from it; its fields stay as they came, every one of them,
// so that the output, given again, refuses it again rather than read it shifted or padded.
SheetRow ComputeRow(const SheetColumns& columns, std::size_t headerWidth,
                    const std::vector<std::string>& row, const CaseInput& defaults) {
    SheetRow out;
    CaseOutcome& outcome = out.Outcome;
    if (row.size() != columns.size()) {
        // An unquoted decimal comma splits a value in two: never shift the columns.
        outcome.StringBase = LanguageOf(defaults);
        const std::string header = std::to_string(headerWidth);
        outcome.Error =
            row.size() == 1
                ? Catalogue::Fill(Text(Catalogue::CalcText::RowOfOneField, outcome.StringBase),
                                  {header})
                : Catalogue::Fill(Text(Catalogue::CalcText::RowLength, outcome.StringBase),
                                  {std::to_string(row.size()), header});
        return out;
    }
    out.Input = RowInput(columns, row, defaults);
    for (std::size_t i = 0; i < columns.size() && outcome.Error.empty(); ++i) {
        // Read by nobody, it would be dropped without a word.
        if (const std::string_view value = Unpadded(row[i]); !columns[i] && !value.empty()) {
            outcome.StringBase = LanguageOf(out.Input);
            outcome.Error =
                Catalogue::Fill(Text(Catalogue::CalcText::UnheadedValue, outcome.StringBase),
                                {std::to_string(i + 1), Printable(Quillmere::Abridged(value))});
        }
    }
    if (outcome.Error.empty()) {
        outcome = Evaluate(out.Input);
    }
    return out;
}

// `--sheet pipes.csv > pipes.csv`: the shell has emptied the sheet before it is read (an
// empty sheet, a success that leaves no sheet); with >> the rows written would be read
// again without end.
std::string SameFileAsOutput(std::FILE* in, const std::string& name) {
    struct stat sheetFile {};
    struct stat output {};
    if (::fstat(::fileno(in), &sheetFile) == 0 && ::fstat(STDOUT_FILENO, &output) == 0 &&
        S_ISREG(sheetFile.st_mode) && sheetFile.st_dev == output.st_dev &&
        sheetFile.st_ino == output.st_ino) {
        return name + " is both the sheet and the output: write the output to another file" +
               (sheetFile.st_size == 0 ? " (the shell has emptied the sheet already)" : "");
    }
    return {};
}

// A sheet that uses the helpers, in a column or for every row through the options, records
// what they chose in a notes column; others keep their columns.
bool UsesHelpers(const SheetColumns& columns, const CaseInput& defaults) {
    return defaults[Column::PipeSize] || defaults[Column::FluidTemperature] ||
           std::ranges::any_of(columns, [](std::optional<Column> c) {
               return c == Column::PipeSize || c == Column::FluidTemperature;
           });
}

// The sheet's stream ("-" is standard input) and the name messages give it, or why it
// cannot be read.
struct OpenedSheet {
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> File{nullptr, std::fclose};
    std::FILE* In = stdin;
    std::string Name;
    std::string Problem;
};

OpenedSheet OpenSheet(const std::string& path) {
    OpenedSheet sheet;
    sheet.Name = path == "-" ? std::string("standard input") : Printable(path);
    if (path != "-") {
        sheet.File.reset(std::fopen(path.c_str(), "rb"));
        if (!sheet.File) {
            sheet.Problem = "cannot read " + sheet.Name + ": " + std::strerror(errno);
            return sheet;
        }
        sheet.In = sheet.File.get();
    }
    sheet.Problem = SameFileAsOutput(sheet.In, sheet.Name);
    return sheet;
}

bool AllUtf8(const std::vector<std::string>& record) {
    return std::ranges::all_of(record, [](const std::string& field) { return IsUtf8(field); });
}

// A spreadsheet's Shift-JIS export, most likely: said, never guessed at.
std::string NotUtf8(const CsvReader& reader) {
    return AtLine(reader) + "not UTF-8, save the sheet as UTF-8";
}

// The header record, without earlier results, and the columns it names; nullopt with
// `problem` set when it cannot be used. A sheet without a header (an empty file, a file of
// empty lines) is not a sheet of no rows: most likely the wrong file, or one not yet saved.
std::optional<SheetColumns> ReadHeader(CsvReader& reader, std::vector<std::string>& header,
                                       EarlierResults& earlier, std::string& problem) {
    if (!NextRecord(reader, header)) {
        problem = reader.Failed() ? Describe(reader)
                                  : std::string("empty, without even a header row naming the columns");
        return std::nullopt;
    }
    if (!AllUtf8(header)) {
        problem = NotUtf8(reader);
        return std::nullopt;
    }
    earlier = WithoutEarlierResults(header);
    return HeaderColumns(header, problem);
}

int RunSheet(const std::string& path, const CaseInput& defaults, bool json) {
    const OpenedSheet sheet = OpenSheet(path);
    if (!sheet.Problem.empty()) {
        return Fail(sheet.Problem);
    }
    const std::string& name = sheet.Name;
    CsvReader reader(sheet.In);
    std::vector<std::string> header;
    EarlierResults earlier;
    std::string problem;
    const auto columns = ReadHeader(reader, header, earlier, problem);
    if (!columns) {
        return Fail(name + ": " + problem);
    }
    CsvWriter writer(stdout);
    const bool notes = UsesHelpers(*columns, defaults);
    if (!json) {
        WriteHeader(writer, header, notes);
    }

    bool allComputed = true;
    std::size_t withoutSensor = 0;
    std::vector<std::string> row;
    while (!writer.Failed() && NextRecord(reader, row)) {
        if (!AllUtf8(row)) {
            writer.Flush(); // the rows before it are kept
            return Fail(name + ": " + NotUtf8(reader));
        }
        if (row.size() == earlier.Width) {
            Drop(row, earlier);
        }
        const auto [input, outcome] = ComputeRow(*columns, earlier.Width, row, defaults);
        allComputed = allComputed && outcome.Ok;
        withoutSensor += outcome.Ok && NamesNoSensor(input) ? 1 : 0;
        if (json) {
            nlohmann::ordered_json line = ToJson(input, outcome);
            if (row.size() != columns->size()) {
                line["record"] = row; // no column to put its fields in
            }
            writer.Raw(Json(line, -1));
            writer.Raw("\n");
            continue;
        }
        if (!outcome.Warning.empty()) {
            std::fprintf(stderr, "quillmere-calc: %s: %s%s\n", name.c_str(), AtLine(reader).c_str(),
                         outcome.Warning.c_str());
        }
        WriteRow(writer, row, outcome, notes, columns->size());
    }
    if (!writer.Flush()) {
        return OutputFailed();
    }
    if (withoutSensor > 0 && !json) {
        std::fprintf(stderr, "quillmere-calc: %s: %zu row%s named no sensor type: %s\n",
                     name.c_str(), withoutSensor, withoutSensor == 1 ? "" : "s", ForReserve.data());
    }
    if (reader.Failed()) {
        return Fail(name + ": " + Describe(reader));
    }
    return allComputed ? 0 : 1;
}

// The summary's date and time: local, as the window's.
std::string Now() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    char text[32] = "";
    if (::localtime_r(&now, &local) != nullptr) {
        std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &local);
    }
    return text;
}

// The results as the window shows them, captioned, and what the helpers chose.
void PrintResults(const CaseOutcome& outcome) {
    const std::string caption = Text(Catalogue::Id::SensorSpacing, outcome.StringBase);
    const std::string unit = "[" + std::string(LengthUnit(outcome)) + "]";
    std::cout << caption << "1: " << outcome.Record.Outcome.Display.Result1 << ' ' << unit << '\n';
    if (!outcome.Record.Outcome.Display.Result2.empty()) {
        std::cout << caption << "2: " << outcome.Record.Outcome.Display.Result2 << '\n';
    }
    if (!outcome.Record.Outcome.Display.Circumferential.empty()) {
        std::cout << Text(Catalogue::CalcText::Circumferential, outcome.StringBase) << ": "
                  << outcome.Record.Outcome.Display.Circumferential << ' ' << unit << '\n';
    }
    for (const std::string& line : HelperLines(outcome)) {
        std::cout << line << '\n';
    }
}

int RunOne(const CaseInput& input, bool json, bool summary,
           const std::optional<std::string>& sketch) {
    const CaseOutcome outcome = Evaluate(input);
    const bool sketchToOutput = sketch && *sketch == "-";
    if (json) {
        std::cout << Json(ToJson(input, outcome), 2) << '\n';
    }
    if (!outcome.Ok) {
        std::cerr << outcome.Error << '\n'; // what it quotes is escaped already
        if (outcome.ErrorColumn && !outcome.ErrorRange.empty()) {
            // The window shows the range beside the field; here the option says which field.
            std::cerr << OptionOf(*outcome.ErrorColumn) << ": " << outcome.ErrorRange << '\n';
        }
        return StandardOutputOk() ? 1 : OutputFailed();
    }
    if (summary) {
        std::cout << Quillmere::JobSummary(outcome.Record, Now(), QUILLMERE_VERSION);
    } else if (!json && !sketchToOutput) {
        PrintResults(outcome);
    }
    if (!outcome.Warning.empty() && !json) {
        std::cerr << outcome.Warning << '\n';
    }
    if (NamesNoSensor(input) && !json) {
        std::cerr << "quillmere-calc: no --sensor given: " << ForReserve << '\n';
    }
    if (sketchToOutput) {
        std::cout << Quillmere::SketchSvg(outcome.Record);
    } else if (sketch && !WriteWhole(*sketch, Quillmere::SketchSvg(outcome.Record))) {
        return Fail("cannot write " + Printable(*sketch) + ": " + std::strerror(errno));
    }
    return StandardOutputOk() ? 0 : OutputFailed();
}

int ListPipeSizes(const std::string& name, const CaseInput& input, bool json) {
    const auto unitFlag = UnitFlagOf(input);
    if (!unitFlag) {
        return Fail("--units: metric or imperial");
    }
    const std::vector<const Quillmere::PipeTable*> tables = Quillmere::PipeTablesNamed(name);
    if (tables.empty()) {
        return Fail("--list-pipe-sizes: unknown standard " + Printable(name) +
                    " (all, SGP, STPG, SUS, NPS, B36.10M, B36.19M, VP, VU, PVC or JIS)");
    }
    if (json) {
        std::cout << PipeTablesJson(tables, *unitFlag).dump(2) << '\n';
    } else {
        for (std::size_t i = 0; i < tables.size(); ++i) {
            std::cout << (i == 0 ? "" : "\n") << Quillmere::PipeSizeListing(*tables[i], *unitFlag);
        }
    }
    return StandardOutputOk() ? 0 : OutputFailed();
}

// Option texts in lines that fit 80 columns beside the option names (the help puts each
// line after the first under the first).
std::string Wrapped(std::string_view text) {
    constexpr std::size_t width = 50;
    std::string out;
    std::size_t line = 0;
    while (!text.empty()) {
        const std::size_t space = text.find(' ');
        const std::string_view word = text.substr(0, space);
        if (line > 0 && line + 1 + word.size() > width) {
            out += '\n';
            line = 0;
        } else if (line > 0) {
            out += ' ';
            ++line;
        }
        out += word;
        line += word.size();
        text.remove_prefix(space == std::string_view::npos ? text.size() : space + 1);
    }
    return out;
}

class WrappingFormatter : public CLI::Formatter {
    std::string make_option_desc(const CLI::Option* option) const override {
        return Wrapped(CLI::Formatter::make_option_desc(option));
    }
};

int ListNames(const CaseInput& input, bool json) {
    const nlohmann::ordered_json names = NamesJson(LanguageOf(input));
    std::cout << (json ? names.dump(2) + "\n" : NamesListing(names));
    return StandardOutputOk() ? 0 : OutputFailed();
}

struct Opt {
    Column column;
    const char* help;
};
// The options that give a case's values, one a sheet column (named by OptionOf).
constexpr Opt Options[] = {
    {Column::Units, "metric (mm, m/s; the default) or imperial (inch, ft/s)"},
    {Column::Lang, "language of names and messages: ja (the default) or en"},
    {Column::Sensor, "sensor type: its list text (VT-C1, VT-A1/VT-A2 or VT-A2) or list index 0-11"},
    {Column::Mount, "mounting method: V (the default), Z, N or W"},
    {Column::OuterDiameter, "outer diameter of the pipe"},
    {Column::Wall, "wall thickness"},
    {Column::Pipe, "pipe material by name (CARBON STEEL, the default; 炭素鋼 ...)"},
    {Column::PipeVelocity, "sound velocity of the pipe, typed"},
    {Column::Lining, "lining by name (NO LINING, the default; RUBBER ...)"},
    {Column::LiningThickness, "lining thickness"},
    {Column::LiningVelocity, "sound velocity of the lining, typed"},
    {Column::Fluid, "kind of fluid by name (WATER, the default; 海水 ...)"},
    {Column::FluidVelocity, "sound velocity of the fluid, typed"},
    {Column::FluidTemperature,
     "temperature of WATER, DIST. WATER (0-95 degC) or SEAWATER (2-30 degC), in degC, or degF "
     "with --units imperial: its sound velocity, rounded to a whole m/s (ft/s), is typed as "
     "FLUID S.V."},
    {Column::PipeSize,
     "standard pipe size, such as \"STPG 100A Sch40\" or \"NPS 4 Sch40\": sets the outer "
     "diameter and the wall thickness, and the standard's material unless --pipe names one"},
};

// An option written as its sheet column or window caption (--wall-thickness,
// --pipe-material, --outer_diameter), or mistyped (--wal, --sensr), is named: the parser
// only says it was not expected.
void SuggestOptions(const CLI::App& app, const std::vector<std::string>& args) {
    std::vector<std::string> options;
    for (const CLI::Option* option : app.get_options()) {
        options.push_back(option->get_name());
    }
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const std::string written = arg.substr(0, arg.find('='));
        if (arg.rfind("--", 0) != 0 || arg.size() <= 2 ||
            std::find(options.begin(), options.end(), written) != options.end()) {
            continue;
        }
        std::string problem;
        const auto columns = HeaderColumns({written.substr(2)}, problem);
        const std::string option =
            columns && columns->front() ? OptionOf(*columns->front()) : NearestOf(written, options);
        if (!option.empty() && option != written) {
            std::fprintf(stderr, "quillmere-calc: for %s, write %s%s\n", Printable(written).c_str(),
                         option.find(',') != std::string::npos ? "one of " : "", option.c_str());
        }
    }
}

// "--wall=" gives the option an empty value; the parser alone would take the next argument
// for it. A stand-in marks it that no argument can hold: a NUL ends every C string the
// shell passes, so this one never comes from a user (DEL, say, is a value like any other).
const std::string EmptyValue(1, '\0');

std::vector<std::string> MarkEmptyValues(int argc, char* argv[]) {
    std::vector<std::string> args(argv, argv + argc);
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i].size() > 3 && args[i].rfind("--", 0) == 0 && args[i].back() == '=' &&
            args[i].find('=') == args[i].size() - 1) {
            args[i] += EmptyValue;
        }
    }
    return args;
}

// The command line as parsed: the case's option texts, and what is to be done with them.
struct Command {
    std::array<std::string, ColumnCount> Texts;
    std::array<CLI::Option*, ColumnCount> Given{};
    std::string Sheet;
    std::string Sketch;
    std::string ListName;
    bool Json = false;
    bool Summary = false;
    bool ListNames = false;
    CLI::Option* SheetOption = nullptr;
    CLI::Option* SketchOption = nullptr;
    CLI::Option* ListOption = nullptr;
    CLI::Option* NamesOption = nullptr;
};

void AddOptions(CLI::App& app, Command& c) {
    for (const Opt& o : Options) {
        const auto i = static_cast<std::size_t>(o.column);
        c.Given[i] =
            app.add_option(OptionOf(o.column), c.Texts[i], o.help)->allow_extra_args(false);
    }
    c.SheetOption =
        app.add_option("--sheet", c.Sheet, "job sheet: a CSV file, or - for standard input");
    app.add_flag("--json", c.Json,
                 "print JSON: the inputs, the spacing in mm before rounding, the "
                 "angles, the axial runs and the displayed texts, or the error and "
                 "the column it is about (one line per row for a sheet); with "
                 "--list-pipe-sizes, the tables");
    c.ListOption = app.add_option("--list-pipe-sizes", c.ListName,
                                  "print the standard pipe sizes (in --units): all, or SGP, STPG, "
                                  "SUS, NPS (B36.10M, B36.19M), VP, VU, PVC or JIS")
                       ->expected(0, 1);
    c.NamesOption =
        app.add_flag("--list-names", c.ListNames,
                     "print the names --sensor, --mount, --pipe, --lining and --fluid take (in "
                     "--lang, then the other language) with the table velocities");
    c.SketchOption = app.add_option(
        "--sketch", c.Sketch,
        "write a to-scale SVG drawing of the case (one case only; - for standard output)");
    app.add_flag("--summary", c.Summary,
                 "print the job summary the window copies, instead of the results: date, "
                 "version, every input with its unit (table velocities with the value used), "
                 "method, sensor type and results, in --lang (one case only)");
}

// A listing prints a table and nothing else: a case, sheet or drawing asked for beside it
// would be left undone.
int RunListing(const CLI::App& app, const Command& c, const CLI::Option* listing,
               const CaseInput& input) {
    for (const CLI::Option* option : app.get_options()) {
        const std::string name = option->get_name();
        if (option->count() > 0 && option != listing && name != "--units" && name != "--lang" &&
            name != "--json") {
            return Fail(name + " does not go with " + listing->get_name() + ", which only prints " +
                        (listing == c.ListOption ? "the tables" : "the names"));
        }
    }
    return listing == c.ListOption ? ListPipeSizes(c.ListName, input, c.Json)
                                   : ListNames(input, c.Json);
}

// One case or a sheet, with the output options that go with each.
int RunCases(const Command& c, const CaseInput& input) {
    const bool sheetGiven = c.SheetOption->count() > 0;
    const bool sketchGiven = c.SketchOption->count() > 0;
    if ((sheetGiven && c.Sheet.empty()) || (sketchGiven && c.Sketch.empty())) {
        return Fail(std::string(sheetGiven && c.Sheet.empty() ? "--sheet" : "--sketch") +
                    ": the file name is empty (- is standard input or output)");
    }
    if (sheetGiven) {
        if (sketchGiven || c.Summary) {
            return Fail(sketchGiven ? "--sketch draws one case, not a sheet"
                                    : "--summary tells of one case, not a sheet");
        }
        return RunSheet(c.Sheet, input, c.Json);
    }
    const bool sketchToOutput = sketchGiven && c.Sketch == "-";
    if ((c.Json && c.Summary) || (c.Json && sketchToOutput) || (c.Summary && sketchToOutput)) {
        return Fail("only one of --json, --summary and --sketch - can write to standard output");
    }
    return RunOne(input, c.Json, c.Summary,
                  sketchGiven ? std::optional<std::string>(c.Sketch) : std::nullopt);
}

int Run(int argc, char* argv[]) {
    CLI::App app{"The Quillmere window's sensor spacing calculation, from the command line.",
                 "quillmere-calc"};
    app.footer(Example);
    app.formatter(std::make_shared<WrappingFormatter>());
    app.set_version_flag("--version", std::string("quillmere-calc ") + QUILLMERE_VERSION);
    Command command;
    AddOptions(app, command);

    const std::vector<std::string> args = MarkEmptyValues(argc, argv);
    // Whole strings, not C strings: the marker's NUL must reach the values.
    std::vector<std::string> reversed(args.rbegin(), args.rend() - 1);
    try {
        app.parse(reversed);
    } catch (const CLI::ParseError& e) {
        std::ostringstream said;
        if (app.exit(e, std::cout, said) != 0) {
            // It quotes the arguments: escaped like every value a message quotes.
            std::string message = said.str();
            std::erase(message, EmptyValue.front());
            for (std::string_view rest = message; !rest.empty();) {
                const std::size_t end = std::min(rest.find('\n'), rest.size());
                std::cerr << Printable(rest.substr(0, end)) << '\n';
                rest.remove_prefix(std::min(end + 1, rest.size()));
            }
            SuggestOptions(app, args);
            return 2;
        }
        return StandardOutputOk() ? 0 : OutputFailed(); // the help or the version
    }
    for (std::string* value : {&command.Sheet, &command.Sketch, &command.ListName}) {
        if (*value == EmptyValue) {
            value->clear();
        }
    }
    CaseInput input;
    for (const Opt& o : Options) {
        const auto i = static_cast<std::size_t>(o.column);
        if (command.Given[i]->count() > 0) {
            input.Values[i] = command.Texts[i] == EmptyValue ? std::string() : command.Texts[i];
            if (!IsUtf8(*input.Values[i])) {
                return Fail(OptionOf(o.column) + ": not UTF-8");
            }
        }
    }
    for (const CLI::Option* listing : {command.ListOption, command.NamesOption}) {
        if (listing->count() > 0) {
            return RunListing(app, command, listing, input);
        }
    }
    return RunCases(command, input);
}

} // namespace

int main(int argc, char* argv[]) {
    // Whatever goes wrong, the user gets a sentence and exit status 2, never an abort.
    try {
        return Run(argc, argv);
    } catch (const std::exception& error) {
        return Fail(Printable(error.what()));
    } catch (...) {
        return Fail("unexpected failure");
    }
}
