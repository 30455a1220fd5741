#pragma once

#include <array>
#include <cstdint>

namespace Quillmere {

// Sound velocities in m/s behind the pipe, lining and fluid lists, indexed by list index.
// The last entry of every list is the user entry (a typed velocity): the pipe table ends
// before it, and the lining and fluid tables hold a slot there that is never read.
inline constexpr std::array<std::int32_t, 12> PipeSoundVelocities{
    3000, 3141, 2307, 2260, 2604, 3080, 2505, 3000, 2307, 2307, 2644, 2307};
inline constexpr std::array<std::int32_t, 8> LiningSoundVelocities{
    0, 2505, 3000, 1510, 1240, 3280, 2307, 0};
inline constexpr std::array<double, 18> FluidSoundVelocities{
    1440, 1522, 1487, 1376, 1180, 1327, 904, 1230, 1668,
    1338, 1497, 1122, 1325, 1530, 1250, 1390, 414,  0};

// List sources: element 0 is the entry count, elements 1..n the catalogue ids of the
// entries in list order (the texts come from the string catalogue in the run's language).
inline constexpr std::array<std::int16_t, 14> PipeMaterialIds{
    13, 2760, 2770, 2780, 2790, 2800, 2810, 2820, 2830, 2840, 2850, 2860, 2861, 2050};
inline constexpr std::array<std::int16_t, 9> LiningMaterialIds{
    8, 2890, 2900, 2910, 2920, 2930, 2940, 4460, 1100};
inline constexpr std::array<std::int16_t, 19> FluidKindIds{
    18,   2950, 2960, 2970, 2980, 2990, 3000, 3010, 3020, 3030,
    3040, 3050, 3060, 3070, 3080, 3090, 3100, 3101, 2200};
inline constexpr std::array<std::int16_t, 3> MountMethodIds{2, 3140, 3150};

inline constexpr int PipeUserEntry = 12;
inline constexpr int LiningUserEntry = 7;
inline constexpr int FluidUserEntry = 17;
inline constexpr int NoLiningEntry = 0;

// Table velocity at a list index; an index outside the table throws SubscriptOutOfRange.
double PipeVelocityAt(int listIndex);
double LiningVelocityAt(int listIndex);
double FluidVelocityAt(int listIndex);

} // namespace Quillmere
