// The texts of the measuring point, Japanese at the id, English at the id + 5000.
#include "catalogue/CatalogueEntries.h"

namespace Catalogue::Detail {
namespace {

using namespace Catalogue::SiteText;

constexpr Entry Entries[] = {
    {MeasuringPoint, "測定点...", "Measuring point..."},
    {Upstream, "上流側", "upstream"},
    {Downstream, "下流側", "downstream"},
    {AvailableUpstream, "現場の上流側直管長", "Straight run the site has upstream"},
    {AvailableDownstream, "現場の下流側直管長", "Straight run the site has downstream"},
    {PipeRun, "配管の向き", "Pipe run"},
    {StraightRuns, "直管長", "Straight runs"},
    {Position, "センサの位置", "Sensors' position"},
    {Required, "必要", "required"},
    {Available, "現場", "available"},
    {FittingStraight, "直管 (継手なし)", "straight pipe (no fitting within reach)"},
    {FittingElbow, "90° エルボ 1 個", "one 90° elbow or bend"},
    {FittingElbowsInPlane, "同一平面の 2 エルボ", "two elbows in one plane"},
    {FittingElbowsOutOfPlane, "異なる平面の 2 エルボ", "two elbows in different planes"},
    {FittingTee, "T 字管", "tee"},
    {FittingReducer, "レジューサ (縮小)", "reducer"},
    {FittingExpander, "拡大管", "expander"},
    {FittingOpenValve, "全開の弁", "fully open valve"},
    {FittingControlValve, "調節弁・半開の弁", "control or partly open valve"},
    {FittingPump, "ポンプ", "pump"},
    {RunHorizontal, "水平", "horizontal"},
    {RunUp, "垂直 (上向きの流れ)", "vertical, flow upwards"},
    {RunDown, "垂直 (下向きの流れ)", "vertical, flow downwards"},
    {RequiredOf, "%1 %2 D = %3", "%1 %2 D = %3"},
    {EnoughOf, "現場の %1 で足ります", "the %1 the site has is enough"},
    {ShortOf, "現場の %1 では %2 不足します", "the %1 the site has is %2 short"},
    {RuleHorizontal,
     "水平配管: 両センサを水平面から 45° 以内 (3 時か 9 時の位置) に取り付けます。気泡のたまる"
     "上部と沈殿物のたまる下部は避けます",
     "Horizontal pipe: both sensors within 45° of the horizontal plane (3 or 9 o'clock), never "
     "at the top, where gas collects, nor at the bottom, where sediment lies"},
    {OneSide, "%1 法: 両センサを同じ側の %2 時の位置に",
     "%1 method: both sensors on one side, at %2 o'clock"},
    {OppositeSides, "%1 法: センサを反対側の %2 時と %3 時の位置に",
     "%1 method: the sensors on opposite sides, at %2 and %3 o'clock"},
    {RuleUp, "垂直配管、上向きの流れ: 管内が満水になる、勧められる測定点です",
     "Vertical pipe, flow upwards: the pipe runs full, the preferred measuring point"},
    {RuleDown,
     "垂直配管、下向きの流れ: 満水にならないことがあります。上向きの流れの区間を選ぶか、満水で"
     "あることを確かめてください",
     "Vertical pipe, flow downwards: the pipe may not run full; choose a section where the "
     "flow rises, or make sure it stays full"},
    {OneSideVertical, "%1 法: 両センサを同じ側に", "%1 method: both sensors on one side"},
    {OppositeSidesVertical, "%1 法: センサを反対側に", "%1 method: the sensors on opposite sides"},
    {UnknownFitting, "%1 は継手の種類にありません (%2)", "%1 is no kind of fitting (%2)"},
    {FittingNotHeld,
     "%1 の直管長は持っていません: 3 社の製造者の資料を読めていません。変換器の取扱説明書に"
     "従ってください",
     "No straight run is held for a %1: fewer than three makers' published figures could be "
     "read; follow the converter's manual"},
    {NotALength, "%1 が長さとして読めません (%2)", "%1 is not a length (%2)"},
    {LengthBelowZero, "%1 は 0 以上にしてください", "%1 cannot be below 0"},
    {LengthTooLong, "%1 は %2 までです", "%1 can be at most %2"},
    {UnknownRun, "%1 は配管の向きにありません (horizontal, up, down)",
     "%1 is no pipe run (horizontal, up, down)"},
    {AvailableWithoutFitting, "%1 は継手の種類と共に入力してください",
     "%1 is given with the kind of fitting"},
    {ApartAround, "周方向に %1 離します", "%1 apart around the pipe"},
    {NoFitting, "(指定なし)", "(not given)"},
    {Sensors, "センサ", "sensors"},
};
static_assert(SortedAndUnique(Entries), "catalogue ids must be sorted and unique");

} // namespace

std::span<const Entry> SiteEntries() {
    return Entries;
}

} // namespace Catalogue::Detail
