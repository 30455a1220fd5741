#include "rules/FluidAtTemperature.h"

#include "catalogue/Catalogue.h"
#include "engine/EngineError.h"
#include "engine/NumberText.h"
#include "engine/UnitSystem.h"
#include "rules/Lists.h"

#include <cmath>

namespace Quillmere {
namespace {

std::string Degrees(std::int16_t unitFlag) {
    return unitFlag == 0 ? "°C" : "°F";
}

// An equation's range in the run's unit of temperature.
std::string RangeText(const WaterEquation& equation, std::int16_t unitFlag) {
    const auto shown = [unitFlag](double celsius) {
        return DefaultNumberText(unitFlag == 0 ? celsius : celsius * 1.8 + 32.0);
    };
    return shown(equation.LowCelsius) + " - " + shown(equation.HighCelsius) + " " +
           Degrees(unitFlag);
}

// The equation a fluid list index has, or none.
const WaterEquation* EquationForFluid(int fluidIndex) {
    return fluidIndex >= 0 && fluidIndex < FluidUserEntry
               ? FluidKinds[static_cast<std::size_t>(fluidIndex)].Water
               : nullptr;
}

} // namespace

FluidAtTemperature VelocityFromTemperature(int fluidIndex, std::string_view temperature,
                                           std::int16_t unitFlag, std::int16_t stringBase) {
    namespace R = Catalogue::ReportText;
    FluidAtTemperature out;
    out.Equation = EquationForFluid(fluidIndex);
    if (out.Equation == nullptr) {
        out.Error = std::string(Catalogue::Text(R::NoTemperatureEquation, stringBase));
        return out;
    }
    if (HasMisplacedComma(temperature)) {
        out.Error = std::string(Catalogue::Text(Catalogue::ErrorText::MisplacedComma, stringBase));
        return out;
    }
    double value = 0;
    try {
        value = ParseNumberText(temperature);
    } catch (const EngineError&) {
        out.Error = std::string(Catalogue::Text(Catalogue::Id::NotANumber, stringBase));
        return out;
    }
    out.Celsius = unitFlag == 0 ? value : FahrenheitToCelsius(value);
    const std::optional<double> velocity = VelocityAt(*out.Equation, out.Celsius);
    if (!velocity) {
        out.Error = Catalogue::Fill(Catalogue::Text(R::TemperatureOutOfRange, stringBase),
                                    {out.Equation->Name, RangeText(*out.Equation, unitFlag)});
        return out;
    }
    const double shown = unitFlag == 0 ? *velocity : *velocity * FeetPerMetre;
    out.VelocityText = DefaultNumberText(std::round(shown));
    const std::string_view fluid = Catalogue::Text(EntryNameId(FluidKinds, fluidIndex), stringBase);
    out.Note = std::string(fluid) + " " + std::string(temperature) + " " + Degrees(unitFlag) +
               ", " + std::string(out.Equation->Name);
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

std::string TemperatureCaption(std::int16_t unitFlag, std::int16_t stringBase) {
    return std::string(Catalogue::Text(Catalogue::ReportText::Temperature, stringBase)) + " [" +
           Degrees(unitFlag) + "]";
}

} // namespace Quillmere
