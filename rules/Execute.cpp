#include "Execute.h"

#include "EngineError.h"
#include "SensorTypes.h"

#include "MaterialTables.h"
#include "NumberText.h"
#include "NumericHelpers.h"
#include "UnitSystem.h"

#include <cmath>

namespace Quillmere {
namespace {

double ReadLength(std::string_view text, bool imperial) {
    const double value = ParseNumberText(text);
    return imperial ? InchToMm(value) : value;
}

double ReadVelocity(bool locked, double (*tableAt)(int), int index, std::string_view text,
                    bool imperial) {
    if (locked) {
        return tableAt(index); // already m/s in both unit systems
    }
    const double value = ParseNumberText(text);
    return imperial ? FtsToMs(value) : value;
}

// The entries the command reads, in its reading order: an empty one would count as 0
// and give a spacing the installer believes, so it is refused before anything is read.
void RefuseEmptyEntries(const CalcEntries& e) {
    const std::pair<bool, InputField> read[] = {
        {true, InputField::WallThickness},
        {e.LiningMaterialIndex != NoLiningEntry, InputField::LiningThickness},
        {true, InputField::OuterDiameter},
        {!e.PipeVelocityLocked, InputField::PipeVelocity},
        {!e.LiningVelocityLocked, InputField::LiningVelocity},
        {!e.FluidVelocityLocked, InputField::FluidVelocity},
    };
    for (const auto& [reads, field] : read) {
        if (reads && e.TextOf(field).empty()) {
            throw EngineError(ErrorKind::EmptyInput, field);
        }
    }
}

// OUTER DIAMETER - (LINING THICKNESS + WALL THICKNESS) x 2 must be above 0. Decided on the
// numbers as written, in whichever unit they were typed (a factor does not change the
// sign): 121.2 - 2 x (60.3 + 0.3) is exactly 0, but 1.4e-14 in doubles. The doubles the
// computation goes on with must leave a bore as well.
void RefuseNoBore(const CalcEntries& e, const SpacingInputs& in) {
    const bool lined = e.LiningMaterialIndex != NoLiningEntry;
    const int written = SignOfWrittenSum({{1, e.OuterDiameterText},
                                          {-2, e.WallThicknessText},
                                          {lined ? -2 : 0, lined ? e.LiningThicknessText : "0"}});
    if (written <= 0 || in.OuterDiameter - (in.LiningThickness + in.WallThickness) * 2.0 <= 0) {
        throw EngineError(ErrorKind::NoBore, InputField::OuterDiameter);
    }
}

} // namespace

std::string_view& CalcEntries::TextOf(InputField field) {
    switch (field) {
    case InputField::OuterDiameter:
        return OuterDiameterText;
    case InputField::PipeVelocity:
        return PipeVelocityText;
    case InputField::WallThickness:
        return WallThicknessText;
    case InputField::LiningVelocity:
        return LiningVelocityText;
    case InputField::LiningThickness:
        return LiningThicknessText;
    case InputField::FluidVelocity:
        return FluidVelocityText;
    }
    throw EngineError(ErrorKind::SubscriptOutOfRange);
}

CalcOutcome RunCalculation(const CalcEntries& e) {
    RefuseEmptyEntries(e);
    const bool imperial = e.UnitFlag != 0;
    CalcOutcome out;
    SpacingInputs& in = out.Inputs;

    in.WallThickness = ReadLength(e.WallThicknessText, imperial);
    if (e.LiningMaterialIndex != NoLiningEntry) {
        in.LiningThickness = ReadLength(e.LiningThicknessText, imperial);
    }
    in.OuterDiameter = ReadLength(e.OuterDiameterText, imperial);

    in.PipeVelocity = ReadVelocity(e.PipeVelocityLocked, PipeVelocityAt, e.PipeMaterialIndex,
                                   e.PipeVelocityText, imperial);
    in.LiningVelocity = ReadVelocity(e.LiningVelocityLocked, LiningVelocityAt,
                                     e.LiningMaterialIndex, e.LiningVelocityText, imperial);
    in.FluidVelocity = ReadVelocity(e.FluidVelocityLocked, FluidVelocityAt, e.FluidIndex,
                                    e.FluidVelocityText, imperial);

    RefuseNoBore(e, in);

    in.MountMethod = static_cast<std::int16_t>(e.MountMethodIndex);
    if (e.MountMethodIndex < 0 || e.MountMethodIndex >= e.MountMethodsOffered) {
        in.MountMethod = -1; // reported as out of range by the computation
    }
    out.Breakdown = ComputeSpacingBreakdown(in, SensorTypeAt(e.SensorTypeIndex));
    out.Display = FormatSpacing(out.Breakdown.Spacing, e.SensorTypeIndex, e.UnitFlag);
    if (in.MountMethod == static_cast<std::int16_t>(MountMethod::Z)) {
        out.Display.Circumferential = PlainLengthText(FncPi() * in.OuterDiameter / 2.0, e.UnitFlag);
    }
    return out;
}

std::string PlainLengthText(double millimetres, std::int16_t unitFlag) {
    const bool imperial = unitFlag != 0;
    const std::int16_t decimals = imperial ? 3 : 2;
    const double shown = imperial ? MmToInch(millimetres) : millimetres;
    return FormatGroupedFixed(FncRoundDown(shown, decimals), decimals);
}

double MountedSpacing(double spacingMm, int sensorTypeIndex) {
    return IsSteppedSensorType(sensorTypeIndex) ? std::trunc(spacingMm / 3.0) * 3.0 : spacingMm;
}

DisplayTexts FormatSpacing(double spacingMm, int sensorTypeIndex, std::int16_t unitFlag) {
    const bool imperial = unitFlag != 0;
    DisplayTexts texts;
    if (IsSteppedSensorType(sensorTypeIndex)) {
        const double stepped = MountedSpacing(spacingMm, sensorTypeIndex);
        texts.Result2 = DefaultNumberText(stepped / 3.0);
        texts.Result1 = imperial ? DefaultNumberText(FncRoundDown(MmToInch(stepped), 3))
                                 : DefaultNumberText(stepped);
        return texts;
    }
    texts.Result1 = PlainLengthText(spacingMm, unitFlag);
    return texts;
}

} // namespace Quillmere
