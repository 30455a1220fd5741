#pragma once

// quillmere-calc's cases are the rules' jobs read from texts by column (rules/ReadJob.h);
// here is what the command line adds: their JSON for scripts, and the JSON and text forms
// of the names and the pipe tables.

#include "rules/JobColumns.h"
#include "rules/ReadJob.h"

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

namespace QuillmereCalc {

using Quillmere::Column;
using Quillmere::ColumnTexts;
using Quillmere::JobReading;
using Quillmere::Language;
using Quillmere::UnitSystem;

// The inputs, the spacing before rounding (and before the clamp at 0), angles, runs, the
// displayed texts and the warning.
nlohmann::ordered_json ToJson(const ColumnTexts& input, const JobReading& outcome);

// Standard pipe tables as data for scripts: per size its outer diameter and, per schedule,
// the wall and the designation --pipe-size takes, as texts in the unit system given.
nlohmann::ordered_json PipeTablesJson(const std::vector<const Quillmere::PipeTable*>& tables,
                                      UnitSystem units);

// Every name a case takes, list by list, for scripts and sheet authors: per list the
// option and the window's caption; per entry its names (the language of `lang` first), its
// list index, the letter of a mounting method, and the table velocity in m/s of a material
// or fluid (null for the entry whose velocity is typed).
nlohmann::ordered_json NamesJson(Language lang);

// The same as lines of text, a heading per list.
std::string NamesListing(const nlohmann::ordered_json& names);

} // namespace QuillmereCalc
