// The texts of how sure a spacing is and of the converter's check, Japanese at the id,
// English at the id + 5000.
#include "catalogue/CatalogueEntries.h"

namespace Catalogue::Detail {
namespace {

using namespace Catalogue::CheckText;

constexpr Entry Entries[] = {
    {HowSure, "確かさ...", "How sure..."},
    {PlusMinus, "±", "±"},
    {MeasuredFluidVelocity, "変換器の測定した流体音速", "FLUID S.V. the converter measures"},
    {SpacingRange, "取付け寸法の範囲", "Spacing range"},
    {FlowErrorRange, "流量誤差の範囲", "Flow error range"},
    {Sensitivity, "入力1単位あたりの変化", "Change per unit of input"},
    {SensitivityOf, "%1: 取付け寸法 %2、流量 %3", "%1: spacing %2, flow %3"},
    {DeltaT, "伝搬時間差", "Transit-time difference"},
    {DeltaTOf, "流速 1 %2 あたり %1 ns", "%1 ns per 1 %2 of flow velocity"},
    {ConverterCheck, "変換器の確認", "Converter's check"},
    {MeasuredOf, "測定 %1 %2 は使用した %3 %2 と %4 % 違います",
     "measured %1 %2 is %4 % from the %3 %2 used"},
    {SpacingForIt, "この音速での取付け寸法 %1", "the spacing for it is %1"},
    {WaterAt, "水温 %1 の音速です", "it is water's velocity at %1"},
    {WaterAtEither, "水温 %1 の音速です (%2 でも同じ音速)",
     "it is water's velocity at %1 (and at %2)"},
    {NoWaterTemperature,
     "この音速になる水温は %1 にありません。流体の種類か、変換器に入力した外径・配管厚さ・"
     "ライニングを確認してください",
     "no water temperature in %1 gives it: check the fluid, or the outer diameter, wall and "
     "lining the converter was given"},
    {NoBeamForMeasured, "この音速では音波が流体に入射できません",
     "at this velocity the beam cannot enter the fluid"},
    {ToleranceNegative, "%1 の ± は 0 以上にしてください", "%1: the ± cannot be below 0"},
    {ToleranceTooLarge, "%1 の ± は値 (%2) より小さくしてください",
     "%1: the ± must be smaller than the value itself (%2)"},
    {ToleranceNotANumber, "%1 の ± が数値として読めません", "%1: the ± is not a number"},
    {ToleranceNotRead, "%1 はこのジョブで使われないため、± は付けられません",
     "%1 is not read for this job, so it takes no ±"},
    {ToleranceNoBore, "± の端で配管厚さとライニング厚さが流体の通る内径をなくします",
     "At the ends of the ± the wall and lining leave no room for the fluid"},
    {ToleranceNoBeam, "± の端で: %1", "At the ends of the ±: %1"},
    {Tolerances, "入力の ±", "Tolerances"},
    {TornadoTitle, "取付け寸法の変化 (各入力の ± の両端)",
     "The spacing at each input's − and + end"},
    {MeasuredRefused, "%1: %2", "%1: %2"},
    {RangeOf, "%1 〜 %2", "%1 to %2"},
};
static_assert(SortedAndUnique(Entries), "catalogue ids must be sorted and unique");

} // namespace

std::span<const Entry> CheckEntries() {
    return Entries;
}

} // namespace Catalogue::Detail
