// quillmere-calc: the window's calculation from the command line, for one case or a whole
// job sheet. Reads and checks every value as the window's fields do and prints the texts
// the window would show.
#include "calc/Options.h"
#include "calc/Output.h"
#include "calc/Sheet.h"
#include "rules/Words.h"

#include <CLI/CLI.hpp>

#include <optional>
#include <string>
#include <tuple>

using namespace QuillmereCalc;

namespace {

// A listing prints a table and nothing else: a case, sheet or drawing asked for beside it
// would be left undone.
int RunListing(const CLI::App& app, const Command& c, const CLI::Option* listing,
               const ColumnTexts& input) {
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
int RunCases(const Command& c, const ColumnTexts& input) {
    const bool sheetGiven = c.SheetOption->count() > 0;
    Drawings drawings;
    for (const auto& [option, file, name] :
         {std::tuple{c.SketchOption, &c.Sketch, "--sketch"},
          std::tuple{c.TornadoOption, &c.Tornado, "--tornado"},
          std::tuple{c.SiteSketchOption, &c.SiteSketch, "--site-sketch"}}) {
        if (option->count() > 0) {
            if (file->empty()) {
                return Fail(std::string(name) +
                            ": the file name is empty (- is standard input or output)");
            }
            if (sheetGiven) {
                return Fail(std::string(name) + " draws one case, not a sheet");
            }
            (option == c.SketchOption    ? drawings.Sketch
             : option == c.TornadoOption ? drawings.Tornado
                                         : drawings.SiteSketch) = *file;
        }
    }
    if (sheetGiven) {
        if (c.Sheet.empty()) {
            return Fail("--sheet: the file name is empty (- is standard input or output)");
        }
        if (c.Summary) {
            return Fail("--summary tells of one case, not a sheet");
        }
        return RunSheet(c.Sheet, input, c.Json);
    }
    const int toOutput = (c.Json ? 1 : 0) + (c.Summary ? 1 : 0) + (drawings.Sketch == "-" ? 1 : 0) +
                         (drawings.Tornado == "-" ? 1 : 0) + (drawings.SiteSketch == "-" ? 1 : 0);
    if (toOutput > 1) {
        return Fail("only one of --json, --summary, --sketch -, --tornado - and --site-sketch - "
                    "can write to standard output");
    }
    return RunOne(input, c.Json, c.Summary, drawings);
}

int Run(int argc, char* argv[]) {
    CLI::App app{"The Quillmere window's sensor spacing calculation, from the command line.",
                 "quillmere-calc"};
    app.set_version_flag("--version", std::string("quillmere-calc ") + QUILLMERE_VERSION);
    Command command;
    AddOptions(app, command);
    if (const std::optional<int> done = Parse(app, command, argc, argv)) {
        return *done;
    }
    std::string problem;
    const std::optional<ColumnTexts> input = CaseFromOptions(command, problem);
    if (!input) {
        return Fail(problem);
    }
    for (const CLI::Option* listing : {command.ListOption, command.NamesOption}) {
        if (listing->count() > 0) {
            return RunListing(app, command, listing, *input);
        }
    }
    return RunCases(command, *input);
}

} // namespace

int main(int argc, char* argv[]) {
    // Whatever goes wrong, the user gets a sentence and exit status 2, never an abort.
    try {
        return Run(argc, argv);
    } catch (const std::exception& error) {
        return Fail(Quillmere::Printable(error.what()));
    } catch (...) {
        return Fail("unexpected failure");
    }
}
