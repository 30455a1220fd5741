#pragma once

#include <array>

namespace Quillmere {

// The six numeric entries of a calculation, in the window's focus order.
enum class InputField {
    OuterDiameter,
    PipeVelocity,
    WallThickness,
    LiningVelocity,
    LiningThickness,
    FluidVelocity,
};

inline constexpr std::array<InputField, 6> InputFields{
    InputField::OuterDiameter,  InputField::PipeVelocity,    InputField::WallThickness,
    InputField::LiningVelocity, InputField::LiningThickness, InputField::FluidVelocity};

} // namespace Quillmere
