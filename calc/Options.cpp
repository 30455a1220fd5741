#include "calc/Options.h"

#include "calc/Output.h"
#include "report/CsvStream.h"
#include "rules/NameLists.h"
#include "rules/TextFold.h"

#include <algorithm>
#include <iostream>
#include <memory>
#include <sstream>
#include <string_view>

namespace QuillmereCalc {

using namespace Quillmere;
namespace {

constexpr const char* Example = R"(Examples:
  quillmere-calc --lang en --sensor VT-C1 --outer-diameter 114.3 --wall 6.0
  quillmere-calc --units imperial --sensor VT-A1 --mount Z \
                 --outer-diameter 2.3819 --wall 0.1535 \
                 --pipe "STAINLESS STEEL" --fluid-velocity 4724
  quillmere-calc --lang en --sensor VT-C1 --pipe-size "STPG 100A Sch40" \
                 --fluid-temperature 60
  quillmere-calc --lang en --sensor VT-C1 --pipe-size "DN100 K9 mortar" \
                 --site "North works" --tag FT-101 --summary
  quillmere-calc --list-pipe-sizes NPS
  quillmere-calc --list-names --lang en
  quillmere-calc --sheet pipes.csv > spacings.csv

A job sheet is a CSV file with a header row naming any of the columns
%COLUMNS%
(in any case, "Outer Diameter" or outer-diameter as well, or the window's
captions in either language: WALL THICKNESS, 配管厚さ) and one pipe a row.
Options given beside --sheet are every row's defaults: a column the sheet
lacks, or a blank cell, takes the option's value. The output repeats every
input column and adds result1, result2, circumferential, error and notes
(what pipe_size and fluid_temperature chose, and why a spacing is 0.00). An
output sheet given again (its failed rows corrected, say) has those columns
computed anew. A cell a spreadsheet would run as a formula (=..., +..., -...,
@...) is written after an apostrophe, and read back without it.
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
(JIS K 6741), DIP 100 D1 unlined (JIS G 5526), DN100 K9 mortar (ISO 2531),
SU 100 (JIS G 3448), CU 1/2 L (ASTM B88), CU 15A L (JIS H 3300). Ductile
pipe is supplied cement-lined: "mortar" adds the ISO 4179 lining, "unlined"
says there is none, and one of them is needed. Metric takes the standard's mm,
imperial the inches of ASME and ASTM or the mm converted to 4 decimals.)";

// The examples and the job sheet's story, with the columns a sheet takes as the table of
// columns names them, in lines of at most 76 characters.
std::string Footer() {
    std::string columns;
    std::size_t line = 0;
    for (const std::string_view name : InputColumnNames()) {
        if (line > 0 && line + 1 + name.size() > 74) {
            columns += '\n';
            line = 0;
        }
        columns += line == 0 ? "  " : " ";
        columns += name;
        line += name.size() + (line == 0 ? 2 : 1);
    }
    std::string footer = Example;
    footer.replace(footer.find("%COLUMNS%"), 9, columns);
    return footer;
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

// "--tag --summary": the parser would take --summary as the tag, and print no summary. An
// option that takes a value, written without "=" and followed by another option, is
// missing its value; "--tag=--x" gives a value that starts with dashes. The option that
// lacks its value, or empty when every one has its own.
std::string OptionMissingItsValue(const CLI::App& app, const std::vector<std::string>& args) {
    for (std::size_t i = 1; i + 1 < args.size(); ++i) {
        const CLI::Option* option =
            args[i].rfind("--", 0) == 0 && args[i].find('=') == std::string::npos
                ? app.get_option_no_throw(args[i])
                : nullptr;
        const std::string& next = args[i + 1];
        if (option != nullptr && option->get_expected_min() > 0 &&
            (next.rfind("--", 0) == 0 || next == "-h")) {
            return args[i];
        }
    }
    return {};
}

} // namespace

void AddOptions(CLI::App& app, Command& c) {
    // One an input column of a job (rules/JobColumns.h), in the table's order.
    for (const ColumnRecord& column : Columns) {
        if (!column.Help.empty()) {
            const auto i = static_cast<std::size_t>(column.Id);
            c.Given[i] = app.add_option(OptionOf(column.Id), c.Texts[i], std::string(column.Help))
                             ->allow_extra_args(false);
        }
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
                                  "SUS, NPS (B36.10M, B36.19M), VP, VU, PVC, DIP, DN, DUCTILE, SU, "
                                  "CU (B88, JIS H 3300), ISO or JIS")
                       ->expected(0, 1);
    c.NamesOption =
        app.add_flag("--list-names", c.ListNames,
                     "print the names --sensor, --mount, --pipe, --lining and --fluid take (in "
                     "--lang, then the other language) with the table velocities");
    app.add_option("--tolerance", c.Tolerances,
                   "NAME=VALUE: the plus/minus of an input, in --units, NAME one of "
                   "outer_diameter, wall, lining_thickness, pipe_velocity, lining_velocity, "
                   "fluid_velocity (repeatable): the spacing's and the flow reading's range "
                   "over every combination")
        ->allow_extra_args(false);
    c.TornadoOption = app.add_option(
        "--tornado", c.Tornado,
        "write the SVG chart of the spacing at each plus/minus's ends (one case only; - for "
        "standard output)");
    c.SketchOption = app.add_option(
        "--sketch", c.Sketch,
        "write a to-scale SVG drawing of the case (one case only; - for standard output)");
    c.SiteSketchOption = app.add_option(
        "--site-sketch", c.SiteSketch,
        "write the SVG site sketch of the measuring point: the fittings, the straight runs "
        "required and available, the sensors' clock positions (one case only; - for standard "
        "output)");
    app.add_flag("--summary", c.Summary,
                 "print the job summary the window copies, instead of the results: the "
                 "job's site, tag, installer and note, date, version, every input with its unit "
                 "(table velocities with the value used), "
                 "method, sensor type and results, in --lang (one case only)");
}

std::optional<int> Parse(CLI::App& app, Command& command, int argc, char* argv[]) {
    app.footer(Footer());
    app.formatter(std::make_shared<WrappingFormatter>());
    const std::vector<std::string> args = MarkEmptyValues(argc, argv);
    if (const std::string lacking = OptionMissingItsValue(app, args); !lacking.empty()) {
        return Fail(Printable(lacking) + " is missing its value (another option follows it; " +
                    Printable(lacking) + "=--... gives a value that starts with --)");
    }
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
    for (std::string* value : {&command.Sheet, &command.Sketch, &command.Tornado,
                               &command.SiteSketch, &command.ListName}) {
        if (*value == EmptyValue) {
            value->clear();
        }
    }
    return std::nullopt;
}

std::optional<ColumnTexts> CaseFromOptions(const Command& command, std::string& problem) {
    ColumnTexts input;
    for (const ColumnRecord& column : Columns) {
        const auto i = static_cast<std::size_t>(column.Id);
        if (command.Given[i] != nullptr && command.Given[i]->count() > 0) {
            input.Values[i] = command.Texts[i] == EmptyValue ? std::string_view()
                                                             : std::string_view(command.Texts[i]);
            if (!IsUtf8(*input.Values[i])) {
                problem = OptionOf(column.Id) + ": not UTF-8";
                return std::nullopt;
            }
        }
    }
    for (const std::string& given : command.Tolerances) {
        const std::size_t equals = given.find('=');
        const std::string_view name = std::string_view(given).substr(0, equals);
        const auto field = std::find_if(Fields.begin(), Fields.end(),
                                        [name](const FieldRecord& f) { return f.Column == name; });
        if (equals == std::string::npos || field == Fields.end() || given == EmptyValue) {
            problem = "--tolerance " + Printable(given) +
                      ": write NAME=VALUE, NAME one of outer_diameter, wall, lining_thickness, "
                      "pipe_velocity, lining_velocity, fluid_velocity";
            return std::nullopt;
        }
        if (!IsUtf8(given)) {
            problem = "--tolerance: not UTF-8";
            return std::nullopt;
        }
        input[ToleranceColumnOf(field->Field)] = std::string_view(given).substr(equals + 1);
    }
    return input;
}

} // namespace QuillmereCalc
