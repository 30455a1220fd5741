#include "rules/FluidAtTemperature.h"

#include "catalogue/Catalogue.h"
#include "engine/EngineError.h"
#include "engine/NumberText.h"
#include "engine/UnitSystem.h"
#include "rules/Lists.h"
#include "rules/TextFold.h"

#include <cmath>
#include <optional>

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

namespace {

constexpr double MPaPerPsi = 0.006894757293168361; // 1 lbf/in² = 6894.757293168 Pa

std::string PressureUnit(UnitSystem units) {
    return units == UnitSystem::Metric ? "MPa" : "psi";
}

// A pressure in MPa in the run's unit, to the gauge's precision.
std::string PressureText(double mpa, UnitSystem units) {
    return units == UnitSystem::Metric
               ? DefaultNumberText(std::round(mpa * 1e6) / 1e6) + " MPa"
               : DefaultNumberText(std::round(mpa / MPaPerPsi * 100) / 100) + " psi";
}

// A typed number, or the refusal naming `caption` in `out`.
std::optional<double> Read(std::string_view text, const std::string& caption, Language lang,
                           FluidAtTemperature& out) {
    if (HasMisplacedComma(text)) {
        out.Error = std::string(Catalogue::Text(Catalogue::ErrorText::MisplacedComma, lang));
        return std::nullopt;
    }
    try {
        return ParseNumberText(text);
    } catch (const EngineError&) {
        out.Error =
            Catalogue::Fill(Catalogue::Text(Catalogue::WaterText::NotANumberIn, lang), {caption});
        return std::nullopt;
    }
}

// Why the equation does not hold at the state, or "".
std::string StateProblem(const FluidAtTemperature& w, const std::string& temperatureText,
                         UnitSystem units, Language lang) {
    namespace W = Catalogue::WaterText;
    const WaterEquation& e = *w.Equation;
    if (e.TakesSalinity) {
        if (!(w.State.Salinity >= 0 && w.State.Salinity <= 40)) {
            return Catalogue::Fill(Catalogue::Text(W::SalinityOutOfRange, lang),
                                   {DefaultNumberText(w.State.Salinity)});
        }
        if (!(w.State.GaugeMPa >= 0 && w.State.GaugeMPa <= 100)) {
            return Catalogue::Fill(Catalogue::Text(W::SeaPressureRange, lang),
                                   {PressureText(w.State.GaugeMPa, units)});
        }
        return {};
    }
    if (!e.TakesPressure) {
        return {};
    }
    const double absolute = w.State.GaugeMPa + AtmosphereMPa;
    if (!(absolute <= 100)) {
        return Catalogue::Fill(Catalogue::Text(W::PressureTooHigh, lang),
                               {std::string(e.Name), PressureText(100, units)});
    }
    if (w.Celsius >= e.LowCelsius && w.Celsius <= e.HighCelsius &&
        absolute <= SaturationPressureMPa(w.Celsius + KelvinAtZeroCelsius)) {
        const double saturation = SaturationPressureMPa(w.Celsius + KelvinAtZeroCelsius);
        return Catalogue::Fill(Catalogue::Text(W::Boils, lang),
                               {temperatureText, PressureText(saturation - AtmosphereMPa, units),
                                PressureText(saturation, units)});
    }
    return {};
}

} // namespace

FluidAtTemperature VelocityFromTemperature(int fluidIndex, std::string_view temperature,
                                           UnitSystem units, Language lang,
                                           std::string_view pressure, std::string_view salinity) {
    namespace R = Catalogue::ReportText;
    namespace W = Catalogue::WaterText;
    FluidAtTemperature out;
    const WaterEquation* family = EquationForFluid(fluidIndex);
    if (family == nullptr) {
        out.Error = std::string(Catalogue::Text(R::NoTemperatureEquation, lang));
        return out;
    }
    const bool sea = family == &Mackenzie1981;
    std::optional<double> value = Read(temperature, TemperatureCaption(units, lang), lang, out);
    if (!value) {
        if (out.Error.find(TemperatureCaption(units, lang)) != std::string::npos) {
            out.Error = std::string(Catalogue::Text(Catalogue::Id::NotANumber, lang));
        }
        return out;
    }
    out.Celsius = units == UnitSystem::Metric ? *value : FahrenheitToCelsius(*value);
    const std::string_view gauge = Unpadded(pressure);
    if (!gauge.empty()) {
        const std::optional<double> typed = Read(gauge, PressureCaption(units, lang), lang, out);
        if (!typed) {
            out.ErrorIn = WaterInput::Pressure;
            return out;
        }
        out.State.GaugeMPa = units == UnitSystem::Metric ? *typed : *typed * MPaPerPsi;
    }
    const std::string_view salt = Unpadded(salinity);
    if (!salt.empty()) {
        out.ErrorIn = WaterInput::Salinity;
        if (!sea) {
            out.Error = std::string(Catalogue::Text(W::SalinityForSeawater, lang));
            return out;
        }
        const std::optional<double> typed = Read(salt, SalinityCaption(lang), lang, out);
        if (!typed) {
            return out;
        }
        out.ErrorIn = WaterInput::Temperature;
        out.State.Salinity = *typed;
    }
    if (!sea) {
        out.Equation = gauge.empty() ? &Marczak1997 : &If97Region1;
    } else {
        const bool ordinary =
            gauge.empty() && salt.empty() && out.Celsius >= 2 && out.Celsius <= 30;
        out.Equation = ordinary ? &Mackenzie1981 : &Unesco1983;
    }
    const std::string temperatureText = std::string(temperature) + " " + Degrees(units);
    if (std::string problem = StateProblem(out, temperatureText, units, lang); !problem.empty()) {
        out.Error = std::move(problem);
        out.ErrorIn =
            out.Equation->TakesSalinity && !(out.State.Salinity >= 0 && out.State.Salinity <= 40)
                ? WaterInput::Salinity
                : WaterInput::Pressure;
        return out;
    }
    const std::optional<double> velocity = VelocityAt(*out.Equation, out.Celsius, out.State);
    if (!velocity) {
        out.Error = Catalogue::Fill(Catalogue::Text(R::TemperatureOutOfRange, lang),
                                    {out.Equation->Name, RangeText(*out.Equation, units)});
        if (out.Equation == &Marczak1997 && out.Celsius > Marczak1997.HighCelsius) {
            out.Error += std::string(lang == Language::Japanese ? "" : " ") +
                         std::string(Catalogue::Text(W::GivePressure, lang));
        }
        return out;
    }
    const double shown = units == UnitSystem::Metric ? *velocity : *velocity * FeetPerMetre;
    out.VelocityText = DefaultNumberText(std::round(shown));
    // The note says what the velocity is of: "WATER 120 °C, 1.6 MPa gauge (1.701325 MPa
    // absolute), IAPWS-IF97"; without a pressure or salinity as it always was.
    std::string note = std::string(Catalogue::Text(EntryNameId(FluidKinds, fluidIndex), lang)) +
                       " " + temperatureText;
    if (out.Equation->TakesSalinity) {
        note += ", " + Catalogue::Fill(Catalogue::Text(W::SalinityOf, lang),
                                       {DefaultNumberText(out.State.Salinity)});
    }
    if (!gauge.empty()) {
        note += ", " +
                (out.Equation->TakesSalinity
                     ? std::string(gauge) + " " + PressureUnit(units) + " " +
                           (lang == Language::Japanese ? "ゲージ圧" : "gauge")
                     : Catalogue::Fill(Catalogue::Text(W::GaugeAbsolute, lang),
                                       {std::string(gauge) + " " + PressureUnit(units),
                                        PressureText(out.State.GaugeMPa + AtmosphereMPa, units)}));
    }
    out.Note = note + ", " + std::string(out.Equation->Name);
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

std::string PressureCaption(UnitSystem units, Language lang) {
    return std::string(Catalogue::Text(Catalogue::WaterText::Pressure, lang)) + " [" +
           PressureUnit(units) + "]";
}

std::string SalinityCaption(Language lang) {
    return std::string(Catalogue::Text(Catalogue::WaterText::Salinity, lang));
}

std::string TemperatureCaption(UnitSystem units, Language lang) {
    return std::string(Catalogue::Text(Catalogue::ReportText::Temperature, lang)) + " [" +
           Degrees(units) + "]";
}

} // namespace Quillmere
