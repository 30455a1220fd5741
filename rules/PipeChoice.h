#pragma once

// A standard pipe size as a front end takes it: from a text such as "STPG 100A Sch40" or
// "NPS 4 Sch40", or from the dialog's lists, to the OUTER DIAMETER and WALL THICKNESS texts
// in the run's unit system.

#include "catalogue/Language.h"
#include "engine/PipeSizes.h"
#include "engine/UnitSystem.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace Quillmere {

struct PipeChoice {
    const PipeTable* Table = nullptr;
    const PipeSizeRow* Row = nullptr;
    std::size_t Schedule = 0; // the wall column
    std::string OuterText;    // the standard's mm figure in metric; inches in imperial
    std::string WallText;
    // With "mortar": the lining standard and the nominal thickness it gives the size.
    const LiningTable* Lining = nullptr;
    double LiningMm = 0;
    std::string LiningText; // in the run's unit, as OuterText
    std::string Error;      // the refusal in the catalogue's words; empty when chosen
};

// Reads "SGP 100A", "STPG 100A Sch40", "SUS 100A Sch10S", "NPS 4 Sch40", "4B STD",
// "NPS 1-1/2 XS", "NPS 4 Sch10S" (B36.19M), "VP 100", "VU 100", "DIP 100 D1" (also DCIP,
// 1種), "DN100 K9", "SU 100" (also 100Su), "CU 1/2 L" (B88) and "CU 15A L" (JIS H 3300);
// "mortar" (モルタル) after a ductile size adds its standard lining, "unlined"
// (ライニングなし) says there is none; a bare ductile size is refused, as such pipe is
// supplied lined. An A size written after SU is refused naming both readings. Letters in either
// case, blanks anywhere or nowhere. An unknown size is refused with the nearest valid ones.
PipeChoice ChoosePipeSize(std::string_view designation, UnitSystem units, Language lang);

// The texts of a size picked from lists; with `mortar`, those of the standard's lining too
// (for a table that has one).
PipeChoice PipeSizeTexts(const PipeTable& table, const PipeSizeRow& row, std::size_t schedule,
                         UnitSystem units, bool mortar = false);

// The nominal cement-mortar lining of a size, in mm; 0 where the table holds none.
double MortarLiningMm(const PipeTable& table, const PipeSizeRow& row);

// "STPG  (JIS G 3454:2017)" and "100A (4B)": a table and a size as the lists show them.
std::string PipeTableLabel(const PipeTable& table);
std::string PipeSizeName(const PipeSizeRow& row);

// What a list shows first: 100A, NPS 4, PVC 100 (else a middle size) and the usual schedule of a
// size (Sch40, STD, Sch40S, Sch10S, whichever it has first; else its first).
std::size_t DefaultSizeRow(const PipeTable& table);
std::size_t PreferredSchedule(const PipeTable& table, const PipeSizeRow& row);

// A schedule as the lists show it: its name, or "-" where the standard has one wall.
std::string_view ScheduleLabel(const PipeTable& table, std::size_t schedule);

// What the lists show after a change, so that a change of standard keeps the size where the
// new standard has it, and a change of size keeps the schedule: the row named `keptSize`
// (PipeSizeName) or else the usual one; the schedule labelled `keptSchedule` where the
// size has it, or else its usual one.
std::size_t SizeRowAfterChange(const PipeTable& table, std::string_view keptSize);
std::size_t ScheduleAfterChange(const PipeTable& table, const PipeSizeRow& row,
                                std::string_view keptSchedule);

// The pipe list's entry once a standard size is taken: the standard's material, since a
// PVC size computed as carbon steel gives a believable wrong spacing. The selection stays
// where the standard serves several materials (B36.10M) and on a typed PIPE S.V. (the
// user's own measurement).
int PipeMaterialWith(const PipeTable& table, int selected);

// The wall columns a size has, in the table's order.
std::vector<std::size_t> SchedulesOf(const PipeTable& table, const PipeSizeRow& row);

// "STPG 100A Sch40", "NPS 4 Sch10S", "VP 100": the choice as one would write it.
std::string PipeSizeLabel(const PipeChoice& choice);

// The designation that gives the choice back: its label, and for ductile iron, supplied
// lined, its lining ("DN 100 K9 mortar", "DIP 100 D1 unlined").
std::string PipeDesignation(const PipeChoice& choice);

// "STPG 100A Sch40, JIS G 3454:2017": the choice and the standard it follows.
std::string PipeSizeNote(const PipeChoice& choice);

// "ISO 4179:2005": the standard the choice's lining thickness follows; "" without one.
std::string LiningStandardName(const PipeChoice& choice);

// The tables a name means: a key ("STPG"), "ASME"/"NPS" (both ASME tables), "B36.10M",
// "B36.19M", "PVC" (VP and VU), "CU"/"COPPER" (both copper tables), "DUCTILE" (DIP and
// DN), "ISO", "JIS", or every table for an empty name; none for an unknown name. Case is
// free.
std::vector<const PipeTable*> PipeTablesNamed(std::string_view name);

// The key a table is written and listed by: "NPS" for both ASME tables, "CU" for both
// copper ones.
std::string_view ShownKey(const PipeTable& table);

// "JIS G 3454:2017", "ASME B36.10M-2018": the standard and the edition a table follows.
std::string StandardName(const PipeTable& table);

// The table as aligned text: size, outer diameter, a column per schedule ("-" where the
// standard has no wall), in mm or inches.
std::string PipeSizeListing(const PipeTable& table, UnitSystem units);

} // namespace Quillmere
