#pragma once

// The five lists every front end shows, one record per entry: the pipe, lining and fluid
// lists with each entry's name in the catalogue and its table sound velocity, the mounting
// methods, and the sensor types with their constants. List index i is element i.

#include "catalogue/CatalogueIds.h"
#include "engine/FluidTemperature.h"
#include "engine/InputField.h"
#include "engine/PipeSizes.h"
#include "engine/SensorTypes.h"
#include "engine/Spacing.h"
#include "rules/Job.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace Quillmere {

// An entry of the pipe, lining or fluid list. The last entry of each is the user's: its
// velocity is typed (and 0 here). A pipe material standard pipe sizes are made of carries
// its key; a water a published equation knows carries the equation.
struct ListEntry {
    std::int16_t NameId;
    double Velocity; // m/s
    PipeMaterialKey Pipe = PipeMaterialKey::Any;
    const WaterEquation* Water = nullptr;
};

inline constexpr std::array<ListEntry, 13> PipeMaterials{{
    {2760, 3000, PipeMaterialKey::CarbonSteel}, // CARBON STEEL
    {2770, 3141, PipeMaterialKey::Stainless},   // STAINLESS STEEL
    {2780, 2307, PipeMaterialKey::Pvc},         // PVC
    {2790, 2260, PipeMaterialKey::Copper},      // COPPER
    {2800, 2604},                               // CAST IRON
    {2810, 3080},                               // ALUMINUM
    {2820, 2505},                               // FRP
    {2830, 3000, PipeMaterialKey::DuctileIron}, // DUCTILE IRON
    {2840, 2307},                               // PEEK
    {2850, 2307},                               // PVDF
    {2860, 2644},                               // ACRYLIC
    {2861, 2307},                               // PP
    {Catalogue::Id::PipeVelocity, 0},           // PIPE S.V.: typed
}};
inline constexpr std::array<ListEntry, 8> LiningMaterials{{
    {2890, 0},                          // NO LINING: refracts nothing
    {2900, 2505},                       // TAR EPOXY
    {2910, 3000},                       // MORTAR
    {2920, 1510},                       // RUBBER
    {2930, 1240},                       // TEFLON
    {2940, 3280},                       // PYREX GLASS
    {4460, 2307},                       // PVC
    {Catalogue::Id::LiningVelocity, 0}, // LINING S.V.: typed
}};
inline constexpr std::array<ListEntry, 18> FluidKinds{{
    {2950, 1440, PipeMaterialKey::Any, &Marczak1997},   // WATER
    {2960, 1522, PipeMaterialKey::Any, &Mackenzie1981}, // SEAWATER
    {2970, 1487, PipeMaterialKey::Any, &Marczak1997},   // DIST. WATER
    {2980, 1376},                                       // AMMONIA
    {2990, 1180},                                       // ALCOHOL
    {3000, 1327},                                       // BENZENE
    {3010, 904},                                        // BROMIDE
    {3020, 1230},                                       // ETHANOL
    {3030, 1668},                                       // GLYCOL
    {3040, 1338},                                       // KEROSENE
    {3050, 1497},                                       // MILK
    {3060, 1122},                                       // METHANOL
    {3070, 1325},                                       // TOLUOL
    {3080, 1530},                                       // LUBE OIL
    {3090, 1250},                                       // FUEL OIL
    {3100, 1390},                                       // PETROL
    {3101, 414},                                        // REFRIGERANT R410
    {Catalogue::Id::FluidVelocity, 0},                  // FLUID S.V.: typed
}};

// The user entry of each list (a typed velocity), and the lining list's "no lining".
inline constexpr int PipeUserEntry = PipeMaterials.size() - 1;
inline constexpr int LiningUserEntry = LiningMaterials.size() - 1;
inline constexpr int FluidUserEntry = FluidKinds.size() - 1;
inline constexpr int NoLiningEntry = 0;
// The lining a ductile iron size "with mortar" chooses.
inline constexpr int MortarEntry = 2;
// Entries the code names: the waters of the temperature helper.
inline constexpr int WaterEntry = 0;
inline constexpr int SeawaterEntry = 1;
inline constexpr int DistilledWaterEntry = 2;

// The velocity tables as the execute command indexes them, in m/s: the pipe table ends
// before its user entry; the lining and fluid tables hold a slot there, never read.
template <std::size_t Slots, std::size_t N>
constexpr std::array<double, Slots> VelocitiesOf(const std::array<ListEntry, N>& list) {
    std::array<double, Slots> velocities{};
    for (std::size_t i = 0; i < Slots; ++i) {
        velocities[i] = list[i].Velocity;
    }
    return velocities;
}
inline constexpr auto PipeSoundVelocities = VelocitiesOf<PipeMaterials.size() - 1>(PipeMaterials);
inline constexpr auto LiningSoundVelocities = VelocitiesOf<LiningMaterials.size()>(LiningMaterials);
inline constexpr auto FluidSoundVelocities = VelocitiesOf<FluidKinds.size()>(FluidKinds);

// Table velocity at a list index; an index outside the table throws SubscriptOutOfRange.
double PipeVelocityAt(int listIndex);
double LiningVelocityAt(int listIndex);
double FluidVelocityAt(int listIndex);

// The catalogue id of a list entry's name; an index outside the list throws
// SubscriptOutOfRange.
std::int16_t EntryNameId(std::span<const ListEntry> list, int listIndex);

// The pipe list index of a standard's material; none (-1) for Any.
int PipeEntryOf(PipeMaterialKey key);

// A mounting method: the letter the command line and sheets take, and its name. The
// window's list offers the first two, V and Z; N and W are the command line's.
struct MountEntry {
    char Letter;
    std::int16_t NameId;
};
inline constexpr std::array<MountEntry, MountMethodCount> MountMethods{{
    {'V', Catalogue::Id::VMethod},
    {'Z', Catalogue::Id::ZMethod},
    {'N', Catalogue::ReportText::NMethod},
    {'W', Catalogue::ReportText::WMethod},
}};
inline constexpr int WindowMountMethods = 2;

// A sensor type: its list text (the same in every language), its family, its constants,
// and whether its spacing is also counted in whole 3 mm steps.
struct SensorTypeEntry {
    std::string_view Name;
    std::string_view Family; // small, medium, large, small bore, high temperature
    SensorTypeRecord Constants;
    bool Stepped = false;
};

// Stored values as the sensor maker tables them; a few WedgeRun values differ from what
// WedgeHeight * tan(angle) would give, and the stored ones are the ones that count.
inline constexpr std::array<SensorTypeEntry, SensorTypeCount> SensorTypes{{
    {"RESERVE", "Torvane", {4.0, 2500, 42, 8.854263, 6.58, 5.92, 6.46}},
    {"RESERVE", "Torvane", {4.0, 2500, 42, 8.854263, 6.58, 5.92, 6.46}},
    {"VT-A1/VT-A2", "Torvane", {2.0, 2500, 42, 8.854263, 6.58, 5.92, 6.46}, true},
    {"VT-B1/VT-B2", "Torvane", {2.0, 2500, 42, 8.854263, 6.58, 5.92, 6.46}, true},
    {"VT-C1", "小型", {1.0, 2505, 42, 13.456327, 10.0, 9.07, 27.0}},
    {"VT-D1/VT-D2", "小型", {2.0, 2505, 42, 6.728164, 5.0, 4.5, 13.5}},
    {"VT-E1/VT-E2/VT-E3", "中型", {1.0, 2505, 42, 13.456327, 10.0, 9.07, 27.0}},
    {"VT-F1/VT-F2/VT-F3", "大型", {0.5, 2505, 42, 24.490516, 18.2, 16.4, 16.4}},
    {"VT-G1/VT-G2/VT-G3", "大型", {1.0, 2505, 42, 24.490516, 18.2, 16.4, 16.4}},
    {"VT-H1/VT-H2", "小型", {2.0, 2500, 42, 8.342923, 6.2, 5.58, 16.4}},
    {"VT-J1/VT-J2/VT-J3", "小口径", {2.0, 2500, 42, 8.342923, 6.2, 5.58, 13.9}},
    {"VT-K1/VT-K2/VT-K3", "高温用", {2.0, 2830, 49, 12.194025, 8.0, 9.2, 20.2}},
}};

// The constants alone, indexed by the sensor-type list index.
inline constexpr std::array<SensorTypeRecord, SensorTypeCount> SensorTypeCatalogue = [] {
    std::array<SensorTypeRecord, SensorTypeCount> records{};
    for (std::size_t i = 0; i < SensorTypes.size(); ++i) {
        records[i] = SensorTypes[i].Constants;
    }
    return records;
}();

// Beside the second result: the two types whose spacing is also counted in 3 mm steps.
inline constexpr std::string_view SteppedSensorTypesText = "(VT-A1/VT-A2,VT-B1/VT-B2)";

// The record at a list index, and its list text ("VT-C1"); outside 0..11 throws
// SubscriptOutOfRange.
const SensorTypeRecord& SensorTypeAt(int listIndex);
std::string_view SensorTypeName(int listIndex);
// Whether the type at a list index is one of the two stepped ones.
bool IsSteppedSensorType(int listIndex);

static_assert(PipeMaterials[PipeUserEntry].NameId == Catalogue::Id::PipeVelocity &&
                  LiningMaterials[LiningUserEntry].NameId == Catalogue::Id::LiningVelocity &&
                  FluidKinds[FluidUserEntry].NameId == Catalogue::Id::FluidVelocity,
              "every list ends with its user entry, named as its velocity field");
static_assert(PipeUserEntry == 12 && LiningUserEntry == 7 && FluidUserEntry == 17);
static_assert(LiningSoundVelocities[NoLiningEntry] == 0, "no lining refracts nothing");
static_assert(LiningMaterials[MortarEntry].NameId == 2910, "the cement-mortar lining");
static_assert(FluidKinds[WaterEntry].NameId == 2950 && FluidKinds[SeawaterEntry].NameId == 2960 &&
                  FluidKinds[DistilledWaterEntry].NameId == 2970,
              "the waters of the temperature equations");
static_assert(SensorTypes[2].Stepped && SensorTypes[3].Stepped && !SensorTypes[0].Stepped &&
                  !SensorTypes[1].Stepped,
              "the RESERVE types compute as VT-A1 but show the plain result");

// Whether a field's typed value counts, from the lists' choices: a velocity on its list's
// user entry, the lining thickness with any lining, the diameter and wall always. A row
// that does not count is locked and greyed in every front end.
bool RowOpen(InputField field, int pipeIndex, int liningIndex, int fluidIndex);

// The velocity locks of entries whose front end has no locked fields of its own to read
// (the command line, the page): from the list choices, as RowOpen says.
void LockVelocitiesByLists(Job& job);

} // namespace Quillmere
