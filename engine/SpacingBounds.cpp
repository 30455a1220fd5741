#include "engine/SpacingBounds.h"

#include "engine/EngineError.h"

#include <cmath>
#include <cstddef>

namespace Quillmere {
namespace {

// d tan(theta)/dc where sin(theta) = k c: k / (1 - k^2 c^2)^(3/2).
double TanSlope(double k, double velocity) {
    const double s = k * velocity;
    const double cosine2 = 1.0 - s * s;
    return k / (cosine2 * std::sqrt(cosine2));
}

} // namespace

double& InputOf(SpacingInputs& in, InputField field) {
    switch (field) {
    case InputField::OuterDiameter:
        return in.OuterDiameter;
    case InputField::PipeVelocity:
        return in.PipeVelocity;
    case InputField::WallThickness:
        return in.WallThickness;
    case InputField::LiningVelocity:
        return in.LiningVelocity;
    case InputField::LiningThickness:
        return in.LiningThickness;
    case InputField::FluidVelocity:
        break;
    }
    return in.FluidVelocity;
}

double InputOf(const SpacingInputs& in, InputField field) {
    return InputOf(const_cast<SpacingInputs&>(in), field);
}

double InnerDiameter(const SpacingInputs& in) {
    return in.OuterDiameter - (in.LiningThickness + in.WallThickness) * 2.0;
}

FieldValues SpacingDerivatives(const SpacingInputs& in, const SensorTypeRecord& sensor) {
    const SpacingBreakdown b = ComputeSpacingBreakdown(in, sensor);
    const double n = FluidCrossings(in.MountMethod);
    const double pi = std::atan(1.0) * 4.0;
    const double k = std::sin(static_cast<double>(sensor.IncidenceAngle) / 180.0 * pi) /
                     static_cast<double>(sensor.WedgeVelocity);
    const double tanWall = std::tan(b.WallAngle);
    const double tanLining = std::tan(b.LiningAngle);
    const double tanFluid = std::tan(b.FluidAngle);
    FieldValues d{};
    const auto at = [&d](InputField field) -> double& {
        return d[static_cast<std::size_t>(field)];
    };
    // spacing = 2 (wedge + t_w tan w + t_l tan l) + n (D - 2 t_w - 2 t_l) tan f - allowance
    at(InputField::OuterDiameter) = n * tanFluid;
    at(InputField::WallThickness) = 2.0 * tanWall - 2.0 * n * tanFluid;
    at(InputField::LiningThickness) = 2.0 * tanLining - 2.0 * n * tanFluid;
    at(InputField::PipeVelocity) = 2.0 * in.WallThickness * TanSlope(k, in.PipeVelocity);
    at(InputField::LiningVelocity) = 2.0 * in.LiningThickness * TanSlope(k, in.LiningVelocity);
    at(InputField::FluidVelocity) = n * InnerDiameter(in) * TanSlope(k, in.FluidVelocity);
    return d;
}

SpacingRange SpacingOverBox(const SpacingInputs& in, const FieldValues& plusMinus,
                            const SensorTypeRecord& sensor) {
    std::array<InputField, InputFields.size()> varied{};
    std::size_t count = 0;
    for (const InputField field : InputFields) {
        if (plusMinus[static_cast<std::size_t>(field)] > 0) {
            varied[count++] = field;
        }
    }
    const double nominal = ComputeSpacingBreakdown(in, sensor).Unclamped;
    SpacingRange range{nominal, nominal, in, in};
    for (std::size_t corner = 0; corner < (std::size_t{1} << count); ++corner) {
        SpacingInputs at = in;
        for (std::size_t i = 0; i < count; ++i) {
            const double tolerance = plusMinus[static_cast<std::size_t>(varied[i])];
            InputOf(at, varied[i]) += ((corner >> i) & 1) != 0 ? tolerance : -tolerance;
        }
        if (InnerDiameter(at) <= 0) {
            throw EngineError(ErrorKind::NoBore, InputField::OuterDiameter);
        }
        const double spacing = ComputeSpacingBreakdown(at, sensor).Unclamped;
        if (spacing < range.Min) {
            range.Min = spacing;
            range.AtMin = at;
        }
        if (spacing > range.Max) {
            range.Max = spacing;
            range.AtMax = at;
        }
    }
    return range;
}

double TransitTimeDifferenceNs(const SpacingInputs& in, const SpacingBreakdown& b) {
    const double n = FluidCrossings(in.MountMethod);
    if (in.FluidVelocity <= 0) {
        return 0;
    }
    const double bore = InnerDiameter(in) / 1000.0; // m
    return 2.0 * n * bore * std::tan(b.FluidAngle) / (in.FluidVelocity * in.FluidVelocity) * 1e9;
}

} // namespace Quillmere
