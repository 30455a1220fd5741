#include "rules/Fields.h"

#include "engine/Engine.h"

#include <algorithm>
#include <cmath>

namespace Quillmere {
namespace {

constexpr UnitNamesSet MetricUnitNames{"mm", "m/s"};
constexpr UnitNamesSet ImperialUnitNames{"inch", "ft/s"};

constexpr RangeLimitsSet CollectRangeLimits(UnitSystem units) {
    RangeLimitsSet limits{};
    std::size_t i = 0;
    for (const InputField field :
         {InputField::OuterDiameter, InputField::PipeVelocity, InputField::WallThickness,
          InputField::FluidVelocity, InputField::LiningThickness}) {
        limits[i++] = LimitsOf(field, units).Lower;
        limits[i++] = LimitsOf(field, units).Upper;
    }
    return limits;
}

constexpr RangeLimitsSet MetricRangeLimits = CollectRangeLimits(UnitSystem::Metric);
constexpr RangeLimitsSet ImperialRangeLimits = CollectRangeLimits(UnitSystem::Imperial);
static_assert(MetricRangeLimits == RangeLimitsSet{"6.00", "6200.00", "1000", "3700", "0.10",
                                                  "100.00", "300", "2500", "0.01", "100.00"});
static_assert(ImperialRangeLimits == RangeLimitsSet{"0.2362", "244.100", "3280", "12140", "0.0039",
                                                    "3.9380", "984", "8203", "0.0003", "3.9380"});

} // namespace

UnitNamesSet UnitNamesOf(UnitSystem units) {
    return units == UnitSystem::Metric ? MetricUnitNames : ImperialUnitNames;
}

RangeLimitsSet RangeLimitsOf(UnitSystem units) {
    return units == UnitSystem::Metric ? MetricRangeLimits : ImperialRangeLimits;
}

std::string_view UnitOf(InputField field, UnitSystem units) {
    return UnitNamesOf(units)[FieldOf(field).Unit == UnitKind::Length ? 0 : 1];
}

std::string UnitLabelText(std::string_view unit) {
    std::string text = "[";
    text += unit;
    text += "]";
    return text;
}

std::string RangeLabelText(InputField field, UnitSystem units) {
    const FieldLimits& limits = LimitsOf(field, units);
    std::string text(limits.Lower);
    text += "-";
    text += limits.Upper;
    text += UnitOf(field, units);
    return text;
}

namespace {

int DecimalsOf(std::string_view limit) {
    const std::size_t point = limit.find('.');
    return point == std::string_view::npos ? 0 : static_cast<int>(limit.size() - point - 1);
}

} // namespace

std::string ConvertedFieldText(InputField field, std::string_view text, UnitSystem toUnits) {
    if (text.empty() || HasMisplacedComma(text)) {
        return std::string(text);
    }
    double value = 0;
    try {
        value = ParseNumberText(text);
    } catch (const EngineError&) {
        return std::string(text);
    }
    const bool toImperial = toUnits == UnitSystem::Imperial;
    const bool length = FieldOf(field).Unit == UnitKind::Length;
    const double converted = length ? (toImperial ? value * InchPerMillimetre : InchToMm(value))
                                    : (toImperial ? value * FeetPerMetre : FtsToMs(value));
    const FieldLimits limits = LimitsOf(field, toUnits);
    const double scale =
        std::pow(10.0, std::max(DecimalsOf(limits.Lower), DecimalsOf(limits.Upper)));
    return DefaultNumberText(std::round(converted * scale) / scale);
}

} // namespace Quillmere
