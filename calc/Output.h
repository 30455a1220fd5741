#pragma once

// What quillmere-calc writes: one case's results, its JSON, its summary or sketch, the
// listings, and its own failures, each with the exit status it ends with.

#include "calc/JobJson.h"

#include <optional>
#include <string>
#include <string_view>

namespace QuillmereCalc {

// "quillmere-calc: MESSAGE" on standard error; exit status 2.
int Fail(const std::string& message);

// Every result that was printed must have arrived: a full disk is an error, not a success.
int OutputFailed();
bool StandardOutputOk();

// The window opens on RESERVE, in sight; here a case that names no sensor type gets it
// unseen, so the output says so.
bool NamesNoSensor(const ColumnTexts& input);
inline constexpr std::string_view ForReserve =
    "computed for RESERVE, the sensor list's first entry";

// One case: its results as the window shows them, or its JSON, summary or sketch (a file,
// or "-" for standard output). 0 when computed, 1 when refused, 2 when the output failed.
// The drawings asked for: a file each, or "-" for standard output.
struct Drawings {
    std::optional<std::string> Sketch;
    std::optional<std::string> Tornado;
    std::optional<std::string> SiteSketch;
};

int RunOne(const ColumnTexts& input, bool json, bool summary, const Drawings& drawings);

// --list-pipe-sizes NAME and --list-names, in the case's units and language.
int ListPipeSizes(const std::string& name, const ColumnTexts& input, bool json);
int ListNames(const ColumnTexts& input, bool json);

} // namespace QuillmereCalc
