#pragma once

#include "engine/InputField.h"

#include <array>
#include <cstddef>
#include <string>

namespace Quillmere {

// What the installer is unsure of, as typed in the job's units: a plus/minus for any of the
// six inputs, and the fluid sound velocity the converter measures. Empty: none given.
struct Uncertainty {
    std::array<std::string, InputFields.size()> PlusMinus; // by InputField
    std::string MeasuredFluidVelocity;

    std::string& Of(InputField field) { return PlusMinus[static_cast<std::size_t>(field)]; }
    const std::string& Of(InputField field) const {
        return PlusMinus[static_cast<std::size_t>(field)];
    }
    bool Toleranced() const;
    bool Given() const { return Toleranced() || !MeasuredFluidVelocity.empty(); }
};

} // namespace Quillmere
