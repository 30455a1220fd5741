#pragma once

// The sources of the five lists every front end shows, and the words that go with the
// sensor types. Element 0 of a list source is its entry count, elements 1..n its entries in
// list order: catalogue ids for the lists whose texts depend on the language, fixed texts
// for the sensor types. List index i is element i + 1.

#include "CatalogueIds.h"
#include "Execute.h"
#include "InputField.h"
#include "MaterialTables.h"
#include "SensorTypes.h"
#include "Spacing.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace Quillmere {

inline constexpr std::array<std::int16_t, 14> PipeMaterialIds{
    13, 2760, 2770, 2780, 2790, 2800, 2810, 2820, 2830, 2840, 2850, 2860, 2861,
    Catalogue::Id::PipeVelocity};
inline constexpr std::array<std::int16_t, 9> LiningMaterialIds{
    8, 2890, 2900, 2910, 2920, 2930, 2940, 4460, Catalogue::Id::LiningVelocity};
inline constexpr std::array<std::int16_t, 19> FluidKindIds{
    18,   2950, 2960, 2970, 2980, 2990, 3000, 3010, 3020, 3030,
    3040, 3050, 3060, 3070, 3080, 3090, 3100, 3101, Catalogue::Id::FluidVelocity};
// The window offers V and Z; N and W are the command line's.
inline constexpr std::array<std::int16_t, 3> MountMethodIds{2, Catalogue::Id::VMethod,
                                                            Catalogue::Id::ZMethod};
// The names of all four methods, by MountMethod value (the record's words for N and W).
inline constexpr std::array<std::int16_t, MountMethodCount> MountMethodNameIds{
    Catalogue::Id::VMethod, Catalogue::Id::ZMethod, Catalogue::ReportText::NMethod,
    Catalogue::ReportText::WMethod};

// The catalogue id of a list's entry at list index `index`.
template <std::size_t N>
constexpr std::int16_t ListEntryId(const std::array<std::int16_t, N>& ids, int index) {
    return ids[static_cast<std::size_t>(index) + 1];
}

// The same in every language.
inline constexpr std::array<std::string_view, SensorTypeCount + 1> SensorTypeNames{
    "12",
    "RESERVE",
    "RESERVE",
    "VT-A1/VT-A2",
    "VT-B1/VT-B2",
    "VT-C1",
    "VT-D1/VT-D2",
    "VT-E1/VT-E2/VT-E3",
    "VT-F1/VT-F2/VT-F3",
    "VT-G1/VT-G2/VT-G3",
    "VT-H1/VT-H2",
    "VT-J1/VT-J2/VT-J3",
    "VT-K1/VT-K2/VT-K3",
};

// Family or size of each sensor type: small, medium, large, small bore, high temperature.
inline constexpr std::array<std::string_view, SensorTypeCount> SensorFamilyLabels{
    "Torvane", "Torvane", "Torvane", "Torvane", "小型",   "小型",
    "中型",    "大型",    "大型",    "小型",    "小口径", "高温用"};

// Beside the second result: the two types whose spacing is also counted in 3 mm steps.
inline constexpr std::string_view SteppedSensorTypesText = "(VT-A1/VT-A2,VT-B1/VT-B2)";

// Each list source counts its own entries, ends with its user entry exactly where the
// velocity tables expect it, and has one velocity (or record) per named entry.
template <typename Source> constexpr bool CountsItself(const Source& source) {
    return static_cast<std::size_t>(source[0]) == source.size() - 1;
}
static_assert(CountsItself(PipeMaterialIds) && CountsItself(LiningMaterialIds) &&
              CountsItself(FluidKindIds) && CountsItself(MountMethodIds));
static_assert(PipeMaterialIds.size() - 2 == PipeUserEntry &&
              PipeMaterialIds[PipeUserEntry + 1] == Catalogue::Id::PipeVelocity);
static_assert(LiningMaterialIds.size() - 2 == LiningUserEntry &&
              LiningMaterialIds[LiningUserEntry + 1] == Catalogue::Id::LiningVelocity);
static_assert(FluidKindIds.size() - 2 == FluidUserEntry &&
              FluidKindIds[FluidUserEntry + 1] == Catalogue::Id::FluidVelocity);
static_assert(PipeSoundVelocities.size() == PipeMaterialIds.size() - 2);
static_assert(PipeMaterialIds[CarbonSteelEntry + 1] == 2760 && PipeMaterialIds[StainlessEntry + 1] == 2770 &&
              PipeMaterialIds[PvcEntry + 1] == 2780, "the standard pipe sizes' materials");
static_assert(FluidKindIds[WaterEntry + 1] == 2950 && FluidKindIds[SeawaterEntry + 1] == 2960 &&
              FluidKindIds[DistilledWaterEntry + 1] == 2970, "the waters of the temperature equations");
static_assert(SensorTypeNames[0] == "12" && SensorTypeNames.size() == SensorTypeCount + 1);
static_assert(MountMethodIds.size() - 1 <= MountMethodCount);

// Whether a field's typed value counts, from the lists' choices: a velocity on its list's
// user entry, the lining thickness with any lining, the diameter and wall always. A row
// that does not count is locked and greyed in every front end.
bool RowOpen(InputField field, int pipeIndex, int liningIndex, int fluidIndex);

// The velocity locks of entries whose front end has no locked fields of its own to read
// (the command line, the page): from the list choices, as RowOpen says.
void LockVelocitiesByLists(CalcEntries& entries);

// The list text of a sensor type ("VT-C1"); an index outside 0..11 throws SubscriptOutOfRange.
std::string_view SensorTypeName(int listIndex);

} // namespace Quillmere
