#pragma once

// Reading a pipe designation as people write it ("STPG370 100A×Sch40", "NPS 1 1/2 XS",
// "DN150 K9 mortar lined", "ＤＩＰ１００　Ｓ種") into its standard, size, schedule and
// lining words, each still to be checked against its table by the pipe choice.

#include "engine/PipeSizes.h"

#include <string>
#include <string_view>

namespace Quillmere::Designations {

// A designation taken apart, each part still to be checked against its table.
struct Designation {
    std::string Text; // folded and without blanks: what an unknown standard is shown as
    const PipeTable* Table = nullptr; // by the standard's name, or NPS for a bare inch size
    std::string Size;
    std::string ScheduleName; // "Sch40", "STD", "K9", "D1", "L"; empty when none is written
    bool InchSize = false;    // written with its B or inch sign: "4B", 4"
    bool Mortar = false;      // "mortar" written: the standard's cement-mortar lining
    bool Unlined = false;     // "unlined" written: a pipe without its lining
};

Designation ReadDesignation(std::string_view designation);

bool IsDigit(char c);
bool AllDigits(std::string_view text);
// The designation folded (upper case, full-width as ASCII) with the separators drawings put
// between its parts as blanks; then without blanks, but where they part two numbers.
std::string Separated(std::string_view designation);
std::string Squeezed(std::string_view upper);
// The table a key names ("STPG", "NPS-S"); none for an unknown key.
const PipeTable* TableByKey(std::string_view key);

} // namespace Quillmere::Designations
