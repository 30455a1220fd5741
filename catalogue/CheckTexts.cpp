// The texts of how sure a spacing is and of the converter's check, Japanese at the id,
// English at the id + 5000.
#include "catalogue/CatalogueEntries.h"

namespace Catalogue::Detail {
namespace {

using namespace Catalogue::CheckText;
namespace WaterText = Catalogue::WaterText;

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
    {WaterText::Pressure, "圧力 (ゲージ圧)", "Pressure (gauge)"},
    {WaterText::Salinity, "塩分 (実用塩分)", "Salinity (practical)"},
    {WaterText::NotANumberIn, "%1 が数値として読めません", "%1 is not a number"},
    {WaterText::Boils,
     "%1 の水はゲージ圧 %2 (絶対圧 %3) 以下で沸騰します。配管の圧力を入力してください。それより"
     "低い圧力では蒸気です",
     "At %1 water boils at %2 gauge (%3 absolute) and below: give the line's pressure; below "
     "it, it is steam"},
    {WaterText::PressureTooHigh, "%1 の式は絶対圧 %2 までです",
     "The %1 equation holds up to %2 absolute"},
    {WaterText::SalinityOutOfRange, "塩分は 0 〜 40 で入力してください (%1)",
     "The salinity must lie between 0 and 40 (%1)"},
    {WaterText::SalinityForSeawater, "塩分は海水にだけ入力できます",
     "A salinity is given for SEAWATER only"},
    {WaterText::GivePressure,
     "配管の圧力を入力すると、IAPWS-IF97 の式で 350 °C までの水の音速を求めます。",
     "With the line's pressure, the IAPWS-IF97 equation gives water's velocity up to 350 °C."},
    {WaterText::GaugeAbsolute, "ゲージ圧 %1 (絶対圧 %2)", "%1 gauge (%2 absolute)"},
    {WaterText::SalinityOf, "塩分 %1", "salinity %1"},
    {WaterText::SeaPressureRange, "UNESCO 1983 の式はゲージ圧 0 〜 100 MPa でだけ使えます (%1)",
     "The UNESCO 1983 equation holds for a gauge pressure of 0 to 100 MPa only (%1)"},
    {WaterText::WithTemperatureOnly, "%1 は流体の温度と共に入力してください",
     "%1 is given with the fluid's temperature only"},
};
static_assert(SortedAndUnique(Entries), "catalogue ids must be sorted and unique");

} // namespace

std::span<const Entry> CheckEntries() {
    return Entries;
}

} // namespace Catalogue::Detail
