#pragma once

// The FLUID S.V. a front end types for water at a temperature, at the line's pressure and,
// for sea water, its salinity: the published equation's velocity, rounded to a whole m/s
// (ft/s in imperial), ready for the fluid field.

#include "catalogue/Language.h"
#include "engine/FluidTemperature.h"
#include "engine/UnitSystem.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace Quillmere {

// The helper's entries, as a refusal names the one to mend.
enum class WaterInput { Temperature, Pressure, Salinity };

struct FluidAtTemperature {
    std::string VelocityText; // empty when refused
    std::string Error;        // the refusal in the catalogue's words
    WaterInput ErrorIn = WaterInput::Temperature;
    std::string Note; // "WATER 60 °C, Marczak 1997": where the velocity came from
    double Celsius = 0;
    WaterState State; // the pressure and salinity the equation took
    const WaterEquation* Equation = nullptr;
};

// `temperature` in degC (metric) or degF (imperial) for the fluid at `fluidIndex`
// (WATER, SEAWATER or DIST. WATER); `pressure` the line's gauge reading in MPa (psi in
// imperial), `salinity` sea water's, both optional. Water at a pressure follows IAPWS-IF97,
// without one Marczak's fit at atmospheric pressure (0-95 degC); sea water follows UNESCO 1983
// where a salinity or a pressure is given or the temperature lies outside 2-30 degC, else
// Mackenzie's at salinity 35. A text that is not a number, another fluid, a temperature
// outside the equation's range, or water that would boil at that pressure is refused, in the
// language of `lang`.
FluidAtTemperature VelocityFromTemperature(int fluidIndex, std::string_view temperature,
                                           UnitSystem units, Language lang,
                                           std::string_view pressure = {},
                                           std::string_view salinity = {});

// The fluid list indexes an equation knows, in list order: what a helper offers.
std::vector<int> TemperatureFluids();

// "TEMPERATURE [°C]" ("[°F]" in imperial): the caption of the temperature a helper asks for.
std::string TemperatureCaption(UnitSystem units, Language lang);

// "Pressure (gauge) [MPa]" ("[psi]" in imperial) and "Salinity (practical)": the helper's
// other captions.
std::string PressureCaption(UnitSystem units, Language lang);
std::string SalinityCaption(Language lang);

} // namespace Quillmere
