#include "rules/Execute.h"

#include "engine/EngineError.h"
#include "engine/NumberText.h"
#include "engine/NumericHelpers.h"
#include "engine/UnitSystem.h"
#include "rules/Fields.h"
#include "rules/Lists.h"

#include <cmath>

namespace Quillmere {
namespace {

// Whether the command reads a field's text: a length always (the lining thickness only
// with a lining), a velocity while its field is open; a locked one is the table's.
bool ReadsText(const Job& e, InputField field) {
    switch (field) {
    case InputField::PipeVelocity:
        return !e.PipeVelocityLocked;
    case InputField::LiningVelocity:
        return !e.LiningVelocityLocked;
    case InputField::FluidVelocity:
        return !e.FluidVelocityLocked;
    case InputField::LiningThickness:
        return e.LiningMaterialIndex != NoLiningEntry;
    case InputField::OuterDiameter:
    case InputField::WallThickness:
        return true;
    }
    return true;
}

// The table velocity of a locked velocity field, already m/s in both unit systems.
double TableVelocity(const Job& e, InputField field) {
    return field == InputField::PipeVelocity     ? PipeVelocityAt(e.PipeMaterialIndex)
           : field == InputField::LiningVelocity ? LiningVelocityAt(e.LiningMaterialIndex)
                                                 : FluidVelocityAt(e.FluidIndex);
}

// A typed value in mm or m/s.
double ReadText(std::string_view text, UnitKind unit, bool imperial,
                const std::optional<ReadNumber>& read) {
    const double value = read && read->Text == text ? read->Value : ParseNumberText(text);
    if (!imperial) {
        return value;
    }
    return unit == UnitKind::Length ? InchToMm(value) : FtsToMs(value);
}

// An empty entry the command would read counts as 0 and gives a spacing the installer
// believes, so the first one in reading order is refused before anything is read.
void RefuseEmptyEntries(const Job& e) {
    for (const InputField field : ReadingOrder) {
        if (ReadsText(e, field) && e.Text(field).empty()) {
            throw EngineError(ErrorKind::EmptyInput, field);
        }
    }
}

// OUTER DIAMETER - (LINING THICKNESS + WALL THICKNESS) x 2 must be above 0. Decided on the
// numbers as written, in whichever unit they were typed (a factor does not change the
// sign): 121.2 - 2 x (60.3 + 0.3) is exactly 0, but 1.4e-14 in doubles. The doubles the
// computation goes on with must leave a bore as well.
void RefuseNoBore(const Job& e, const SpacingInputs& in) {
    const double bore = in.OuterDiameter - (in.LiningThickness + in.WallThickness) * 2.0;
    // Each double is within a few units in its last place of its text's value, and with no
    // negative term nothing cancels: a bore this far above 0 is above 0 as written too, as
    // nearly every pipe's is.
    if (in.WallThickness >= 0 && in.LiningThickness >= 0 && bore > in.OuterDiameter * 1e-9) {
        return;
    }
    const bool lined = ReadsText(e, InputField::LiningThickness);
    const int written =
        SignOfWrittenSum({{1, e.Text(InputField::OuterDiameter)},
                          {-2, e.Text(InputField::WallThickness)},
                          {lined ? -2 : 0, lined ? e.Text(InputField::LiningThickness) : "0"}});
    if (written <= 0 || bore <= 0) {
        throw EngineError(ErrorKind::NoBore, InputField::OuterDiameter);
    }
}

} // namespace

CalcOutcome RunCalculation(const Job& e, int mountMethodsOffered, const ReadNumbers* read) {
    CalcOutcome out;
    RunCalculation(e, mountMethodsOffered, out, read);
    return out;
}

void RunCalculation(const Job& e, int mountMethodsOffered, CalcOutcome& out,
                    const ReadNumbers* read) {
    RefuseEmptyEntries(e);
    const bool imperial = e.Units == UnitSystem::Imperial;
    SpacingInputs& in = out.Inputs;
    in = SpacingInputs{}; // a length the job does not read is 0
    for (const InputField field : ReadingOrder) {
        const FieldRecord& f = FieldOf(field);
        if (ReadsText(e, field)) {
            in.*f.Input =
                ReadText(e.Text(field), f.Unit, imperial,
                         read != nullptr ? (*read)[static_cast<std::size_t>(field)] : std::nullopt);
        } else if (f.Unit == UnitKind::Velocity) {
            in.*f.Input = TableVelocity(e, field);
        }
    }
    RefuseNoBore(e, in);

    in.MountMethod = static_cast<std::int16_t>(e.MountMethodIndex);
    if (e.MountMethodIndex < 0 || e.MountMethodIndex >= mountMethodsOffered) {
        in.MountMethod = -1; // reported as out of range by the computation
    }
    out.Breakdown = ComputeSpacingBreakdown(in, SensorTypeAt(e.SensorTypeIndex));
    FormatSpacing(out.Breakdown.Spacing, e.SensorTypeIndex, e.Units, out.Display);
    if (in.MountMethod == static_cast<std::int16_t>(MountMethod::Z)) {
        out.Display.Circumferential = PlainLengthText(Pi() * in.OuterDiameter / 2.0, e.Units);
    }
}

std::string PlainLengthText(double millimetres, UnitSystem units) {
    const bool imperial = units == UnitSystem::Imperial;
    const std::int16_t decimals = imperial ? 3 : 2;
    const double shown = imperial ? MmToInch(millimetres) : millimetres;
    return FormatGroupedFixed(CutToDecimals(shown, decimals), decimals);
}

double MountedSpacing(double spacingMm, int sensorTypeIndex) {
    return IsSteppedSensorType(sensorTypeIndex) ? std::trunc(spacingMm / 3.0) * 3.0 : spacingMm;
}

DisplayTexts FormatSpacing(double spacingMm, int sensorTypeIndex, UnitSystem units) {
    DisplayTexts texts;
    FormatSpacing(spacingMm, sensorTypeIndex, units, texts);
    return texts;
}

void FormatSpacing(double spacingMm, int sensorTypeIndex, UnitSystem units, DisplayTexts& texts) {
    const bool imperial = units == UnitSystem::Imperial;
    texts.Circumferential.clear();
    if (IsSteppedSensorType(sensorTypeIndex)) {
        const double stepped = MountedSpacing(spacingMm, sensorTypeIndex);
        texts.Result2 = DefaultNumberText(stepped / 3.0);
        texts.Result1 = imperial ? DefaultNumberText(CutToDecimals(MmToInch(stepped), 3))
                                 : DefaultNumberText(stepped);
        return;
    }
    texts.Result1 = PlainLengthText(spacingMm, units);
    texts.Result2.clear();
}

} // namespace Quillmere
