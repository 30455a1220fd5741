#include "rules/FluidAtTemperature.h"

#include "catalogue/Catalogue.h"
#include "engine/EngineError.h"
#include "engine/NumberText.h"
#include "engine/UnitSystem.h"
#include "rules/Lists.h"

#include <cmath>

namespace Quillmere {
namespace {

std::string Degrees(UnitSystem units) {
    return units == UnitSystem::Metric ? "°C" : "°F";
}

// An equation's range in the run's unit of temperature.
std::string RangeText(const WaterEquation& equation, UnitSystem units) {
    const auto shown = [units](double celsius) {
        return DefaultNumberText(units == UnitSystem::Metric ? celsius : celsius * 1.8 + 32.0);
    };
    return shown(equation.LowCelsius) + " - " + shown(equation.HighCelsius) + " " + Degrees(units);
}

// The equation a fluid list index has, or none.
const WaterEquation* EquationForFluid(int fluidIndex) {
    return fluidIndex >= 0 && fluidIndex < FluidUserEntry
               ? FluidKinds[static_cast<std::size_t>(fluidIndex)].Water
               : nullptr;
}

} // namespace

FluidAtTemperature VelocityFromTemperature(int fluidIndex, std::string_view temperature,
                                           UnitSystem units, Language lang) {
    namespace R = Catalogue::ReportText;
    FluidAtTemperature out;
    out.Equation = EquationForFluid(fluidIndex);
    if (out.Equation == nullptr) {
        out.Error = std::string(Catalogue::Text(R::NoTemperatureEquation, lang));
        return out;
    }
    if (HasMisplacedComma(temperature)) {
        out.Error = std::string(Catalogue::Text(Catalogue::ErrorText::MisplacedComma, lang));
        return out;
    }
    double value = 0;
    try {
        value = ParseNumberText(temperature);
    } catch (const EngineError&) {
        out.Error = std::string(Catalogue::Text(Catalogue::Id::NotANumber, lang));
        return out;
    }
    out.Celsius = units == UnitSystem::Metric ? value : FahrenheitToCelsius(value);
    const std::optional<double> velocity = VelocityAt(*out.Equation, out.Celsius);
    if (!velocity) {
        out.Error = Catalogue::Fill(Catalogue::Text(R::TemperatureOutOfRange, lang),
                                    {out.Equation->Name, RangeText(*out.Equation, units)});
        return out;
    }
    const double shown = units == UnitSystem::Metric ? *velocity : *velocity * FeetPerMetre;
    out.VelocityText = DefaultNumberText(std::round(shown));
    const std::string_view fluid = Catalogue::Text(EntryNameId(FluidKinds, fluidIndex), lang);
    out.Note = std::string(fluid) + " " + std::string(temperature) + " " + Degrees(units) + ", " +
               std::string(out.Equation->Name);
    return out;
}

std::vector<int> TemperatureFluids() {
    std::vector<int> out;
    for (int index = 0; index < FluidUserEntry; ++index) {
        if (EquationForFluid(index) != nullptr) {
            out.push_back(index);
        }
    }
    return out;
}

std::string TemperatureCaption(UnitSystem units, Language lang) {
    return std::string(Catalogue::Text(Catalogue::ReportText::Temperature, lang)) + " [" +
           Degrees(units) + "]";
}

} // namespace Quillmere
