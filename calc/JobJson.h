#pragma once

// quillmere-calc's cases are the rules' jobs read from texts by column (rules/ReadJob.h);
// here is what the command line adds: their JSON for scripts, and the JSON and text forms
// of the names and the pipe tables. JSON is written compact (rules/Json.h); the caller
// lays it out for a person where it prints one case.

#include "rules/JobColumns.h"
#include "rules/ReadJob.h"

#include <string>
#include <string_view>
#include <vector>

namespace QuillmereCalc {

using Quillmere::Column;
using Quillmere::ColumnTexts;
using Quillmere::JobReading;
using Quillmere::Language;
using Quillmere::UnitSystem;

// The inputs, the spacing before rounding (and before the clamp at 0), angles, runs, the
// displayed texts and the warning; with `record`, the fields of a sheet's row that no
// column could take (a row of another width), in a last member.
std::string ToJson(const ColumnTexts& input, const JobReading& outcome,
                   const std::vector<std::string_view>* record = nullptr);

// Standard pipe tables as data for scripts: per size its outer diameter and, per schedule,
// the wall and the designation --pipe-size takes, as texts in the unit system given.
std::string PipeTablesJson(const std::vector<const Quillmere::PipeTable*>& tables,
                           UnitSystem units);

// Every name a case takes, list by list, for scripts and sheet authors: per list the
// option and the window's caption; per entry its names (the language of `lang` first), its
// list index, the letter of a mounting method, and the table velocity in m/s of a material
// or fluid (null for the entry whose velocity is typed).
std::string NamesJson(Language lang);

// The same as lines of text, a heading per list.
std::string NamesListing(Language lang);

} // namespace QuillmereCalc
