#pragma once

// quillmere-calc's command line: the options (one a sheet column each, named as the
// columns are), their help, and a parse that tells an empty value from a missing one.

#include "calc/JobJson.h"

#include <CLI/CLI.hpp>

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace QuillmereCalc {

// The command line as parsed: the case's option texts, and what is to be done with them.
struct Command {
    std::array<std::string, Quillmere::ColumnCount> Texts;
    std::array<CLI::Option*, Quillmere::ColumnCount> Given{}; // none for a column without one
    std::string Sheet;
    std::string Sketch;
    std::string Tornado;
    std::string SiteSketch;
    std::vector<std::string> Tolerances; // NAME=VALUE, as given
    std::string ListName;
    bool Json = false;
    bool Summary = false;
    bool ListNames = false;
    CLI::Option* SheetOption = nullptr;
    CLI::Option* SketchOption = nullptr;
    CLI::Option* TornadoOption = nullptr;
    CLI::Option* SiteSketchOption = nullptr;
    CLI::Option* ListOption = nullptr;
    CLI::Option* NamesOption = nullptr;
};

// The program's options, help and version on `app`, their values going to `command`.
void AddOptions(CLI::App& app, Command& command);

// Parses the arguments into `command`. An exit status when the program is done (2 for a
// refused command line, its messages written; 0 for the help or the version), else none.
std::optional<int> Parse(CLI::App& app, Command& command, int argc, char* argv[]);

// The case the options give: a value for each option given ("--wall=" an empty one), none
// for the others, and each --tolerance NAME=VALUE as NAME's plus/minus. `problem` says which
// option's value is not UTF-8, or which --tolerance names no input.
std::optional<ColumnTexts> CaseFromOptions(const Command& command, std::string& problem);

} // namespace QuillmereCalc
