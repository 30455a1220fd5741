#include "UnitSystem.h"

#include "EngineError.h"

#include <cmath>

namespace Quillmere {
namespace {

constexpr UnitNamesSet MetricUnitNames{"mm", "m/s"};
constexpr UnitNamesSet ImperialUnitNames{"inch", "ft/s"};

constexpr RangeLimitsSet MetricRangeLimits{"6.00", "6200.00", "1000", "3700", "0.10",
                                           "100.00", "300", "2500", "0.01", "100.00"};
constexpr RangeLimitsSet ImperialRangeLimits{"0.2362", "244.100", "3280", "12140", "0.0039",
                                             "3.9380", "984",    "8203",  "0.0003", "3.9380"};

double Finite(double value) {
    if (!std::isfinite(value)) {
        throw EngineError(ErrorKind::Overflow);
    }
    return value;
}

} // namespace

UnitNamesSet SubGetUnitForm1(std::int16_t iFlag) {
    return iFlag == 0 ? MetricUnitNames : ImperialUnitNames;
}

RangeLimitsSet SubGetUnitRange(std::int16_t iFlag) {
    return iFlag == 0 ? MetricRangeLimits : ImperialRangeLimits;
}

double InchToMm(double inches) { return Finite(inches / InchPerMillimetre); }
double FtsToMs(double feetPerSecond) { return Finite(feetPerSecond / FeetPerMetre); }
double MmToInch(double millimetres) { return Finite(millimetres * InchPerMillimetre); }

FieldRule RuleOf(InputField field) {
    switch (field) {
    case InputField::OuterDiameter:
        return {0, 1, 0, 7, 7};
    case InputField::PipeVelocity:
        return {2, 3, 1, 4, 5};
    case InputField::WallThickness:
        return {4, 5, 0, 6, 6};
    case InputField::LiningVelocity: // shares the pipe velocity limits
        return {2, 3, 1, 4, 5};
    case InputField::LiningThickness:
        return {8, 9, 0, 6, 6};
    case InputField::FluidVelocity:
        return {6, 7, 1, 4, 4};
    }
    throw EngineError(ErrorKind::SubscriptOutOfRange);
}

int MaxInputLength(InputField field, std::int16_t unitFlag) {
    const FieldRule rule = RuleOf(field);
    return unitFlag == 0 ? rule.MaxLengthMetric : rule.MaxLengthImperial;
}

std::string UnitLabelText(std::string_view unit) {
    std::string text = "[";
    text += unit;
    text += "]";
    return text;
}

std::string RangeLabelText(InputField field, std::int16_t unitFlag) {
    const FieldRule rule = RuleOf(field);
    const RangeLimitsSet limits = SubGetUnitRange(unitFlag);
    std::string text(limits[static_cast<std::size_t>(rule.LowerIndex)]);
    text += "-";
    text += limits[static_cast<std::size_t>(rule.UpperIndex)];
    text += SubGetUnitForm1(unitFlag)[static_cast<std::size_t>(rule.UnitIndex)];
    return text;
}

} // namespace Quillmere
