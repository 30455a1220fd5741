#pragma once

// The FLUID S.V. a front end types for water at a temperature: the published equation's
// velocity, rounded to a whole m/s (ft/s in imperial), ready for the fluid field.

#include "FluidTemperature.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace Quillmere {

struct FluidAtTemperature {
    std::string VelocityText;           // empty when refused
    std::string Error;                  // the refusal in the catalogue's words
    double Celsius = 0;
    const WaterEquation* Equation = nullptr;
};

// `temperature` in degC (metric) or degF (imperial) for the fluid at `fluidIndex`
// (WATER, SEAWATER or DIST. WATER). A text that is not a number, another fluid, or a
// temperature outside the equation's range is refused, in the language of `stringBase`.
FluidAtTemperature VelocityFromTemperature(int fluidIndex, std::string_view temperature,
                                           std::int16_t unitFlag, std::int16_t stringBase);

// "WATER 60 °C, Marczak 1997" for output beside the velocity.
std::string TemperatureNote(int fluidIndex, std::string_view temperature, std::int16_t unitFlag,
                            const WaterEquation& equation, std::int16_t stringBase);

} // namespace Quillmere
