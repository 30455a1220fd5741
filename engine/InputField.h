#pragma once

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

} // namespace Quillmere
