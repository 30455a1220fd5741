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

// The last list index of each list is its user entry (a typed velocity); lining index 0
// is "no lining".
inline constexpr int PipeUserEntry = 12;
inline constexpr int LiningUserEntry = 7;
inline constexpr int FluidUserEntry = 17;
inline constexpr int NoLiningEntry = 0;
// The waters a temperature gives a velocity for.
inline constexpr int WaterEntry = 0;
inline constexpr int SeawaterEntry = 1;
inline constexpr int DistilledWaterEntry = 2;

// The pipe materials the standard pipe sizes are made of.
inline constexpr int CarbonSteelEntry = 0;
inline constexpr int StainlessEntry = 1;
inline constexpr int PvcEntry = 2;
static_assert(PipeSoundVelocities.size() == PipeUserEntry, "the pipe table ends before its user entry");
static_assert(LiningSoundVelocities.size() == LiningUserEntry + 1);
static_assert(FluidSoundVelocities.size() == FluidUserEntry + 1);
static_assert(LiningSoundVelocities[NoLiningEntry] == 0, "no lining refracts nothing");

// Table velocity at a list index; an index outside the table throws SubscriptOutOfRange.
double PipeVelocityAt(int listIndex);
double LiningVelocityAt(int listIndex);
double FluidVelocityAt(int listIndex);

} // namespace Quillmere
