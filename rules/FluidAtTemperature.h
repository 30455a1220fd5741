#pragma once

// The FLUID S.V. a front end types for water at a temperature: the published equation's
// velocity, rounded to a whole m/s (ft/s in imperial), ready for the fluid field.

#include "catalogue/Language.h"
#include "engine/FluidTemperature.h"
#include "engine/UnitSystem.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace Quillmere {

struct FluidAtTemperature {
    std::string VelocityText; // empty when refused
    std::string Error;        // the refusal in the catalogue's words
    std::string Note;         // "WATER 60 °C, Marczak 1997": where the velocity came from
    double Celsius = 0;
    const WaterEquation* Equation = nullptr;
};

// `temperature` in degC (metric) or degF (imperial) for the fluid at `fluidIndex`
// (WATER, SEAWATER or DIST. WATER). A text that is not a number, another fluid, or a
// temperature outside the equation's range is refused, in the language of `lang`.
FluidAtTemperature VelocityFromTemperature(int fluidIndex, std::string_view temperature,
                                           UnitSystem units, Language lang);

// The fluid list indexes an equation knows, in list order: what a helper offers.
std::vector<int> TemperatureFluids();

// "TEMPERATURE [°C]" ("[°F]" in imperial): the caption of the temperature a helper asks for.
std::string TemperatureCaption(UnitSystem units, Language lang);

} // namespace Quillmere
