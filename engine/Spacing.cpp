#include "engine/Spacing.h"

#include "engine/EngineError.h"
#include "engine/NumericHelpers.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <optional>

namespace Quillmere {
namespace {

[[noreturn, gnu::cold, gnu::noinline]] void RefuseNotFinite(double value, Medium medium) {
    throw EngineError(std::isnan(value) ? ErrorKind::InvalidArgument : ErrorKind::Overflow, medium);
}

// Asked a score of times a spacing: the test inline, the refusal out of the way.
inline double Checked(double value, Medium medium = Medium::None) {
    if (!std::isfinite(value)) [[unlikely]] {
        RefuseNotFinite(value, medium);
    }
    return value;
}

// Every layer refracts from the wedge: sin(theta)/V is the same in all layers.
double RefractionAngle(double velocity, std::int32_t wedgeVelocity, double sineOfWedgeAngle,
                       Medium medium) {
    if (velocity == 0.0) {
        return 0.0;
    }
    const double ratio = Checked(
        Checked(velocity / static_cast<double>(wedgeVelocity), medium) * sineOfWedgeAngle, medium);
    try {
        return ArcSine(ratio);
    } catch (const EngineError& error) {
        throw EngineError(error.kind(), medium);
    }
}

} // namespace

int FluidCrossings(std::int16_t mountMethod) {
    switch (static_cast<MountMethod>(mountMethod)) {
    case MountMethod::V:
        return 2;
    case MountMethod::Z:
        return 1;
    case MountMethod::N:
        return 3;
    case MountMethod::W:
        return 4;
    }
    return 0;
}

namespace {

double SineOfDegrees(double degrees) {
    static const double pi = std::atan(1.0) * 4.0;
    return std::sin(degrees / 180.0 * pi);
}

// The sine of a wedge's whole-degree angle, the same double every time: worked out once for
// each angle a sensor may have rather than once a spacing.
double WedgeSine(std::int16_t degrees) {
    static const std::array<double, 91> sines = [] {
        std::array<double, 91> table{};
        for (std::size_t d = 0; d < table.size(); ++d) {
            table[d] = SineOfDegrees(static_cast<double>(d));
        }
        return table;
    }();
    return degrees >= 0 && static_cast<std::size_t>(degrees) < sines.size()
               ? sines[static_cast<std::size_t>(degrees)]
               : SineOfDegrees(static_cast<double>(degrees));
}

// The beam in one layer: its angle and the angle's tangent, and its cosine once asked for
// (the fluid's path needs it, the wall's and the lining's do not).
struct LayerBeam {
    double Angle = 0;
    double Tangent = 0;
    std::optional<double> Cosine;
};

// A sheet's rows refract a handful of table velocities through a dozen wedges: each layer's
// beam is kept once worked out, the same doubles every time, so that most rows call no atan,
// tan or cos. A layer that throws is not kept, and throws again when asked again.
class BeamMemo {
public:
    const LayerBeam& Of(double velocity, const SensorTypeRecord& sensor, double wedgeSine,
                        Medium medium, bool withCosine = false) {
        std::uint64_t bits = 0;
        std::memcpy(&bits, &velocity, sizeof bits);
        const std::uint64_t wedge =
            static_cast<std::uint64_t>(static_cast<std::uint32_t>(sensor.WedgeVelocity)) << 16 |
            static_cast<std::uint16_t>(sensor.IncidenceAngle);
        const std::uint64_t mixed =
            (bits ^ (bits >> 29) ^ (wedge * 0x9E3779B97F4A7C15ULL)) * 0xFF51AFD7ED558CCDULL;
        Entry& entry = entries_[mixed >> (64 - SlotBits)];
        if (!entry.Used || entry.VelocityBits != bits || entry.Wedge != wedge) {
            const double angle = RefractionAngle(velocity, sensor.WedgeVelocity, wedgeSine, medium);
            entry = {bits, wedge, true, {angle, std::tan(angle), std::nullopt}};
        }
        if (withCosine && !entry.Beam.Cosine) {
            entry.Beam.Cosine = std::cos(entry.Beam.Angle);
        }
        return entry.Beam;
    }

private:
    static constexpr int SlotBits = 8;
    struct Entry {
        std::uint64_t VelocityBits = 0;
        std::uint64_t Wedge = 0; // the wedge's velocity and whole-degree angle
        bool Used = false;
        LayerBeam Beam;
    };
    std::array<Entry, std::size_t{1} << SlotBits> entries_{};
};

// Each thread's own, made when it first computes: a thread that never does (most of a
// window's) carries a pointer, not the 12 KiB table.
BeamMemo& Beams() {
    thread_local std::unique_ptr<BeamMemo> beams;
    if (!beams) {
        beams = std::make_unique<BeamMemo>();
    }
    return *beams;
}

} // namespace

SpacingBreakdown ComputeSpacingBreakdown(const SpacingInputs& in, const SensorTypeRecord& sensor) {
    if (sensor.WedgeVelocity == 0) {
        throw EngineError(ErrorKind::DivisionByZero);
    }
    const double wedgeSine = WedgeSine(sensor.IncidenceAngle);

    SpacingBreakdown b;
    // Copies: a later layer may take the memo's slot of an earlier one.
    BeamMemo& beams = Beams();
    const LayerBeam wall = beams.Of(in.PipeVelocity, sensor, wedgeSine, Medium::Wall);
    const LayerBeam lining = beams.Of(in.LiningVelocity, sensor, wedgeSine, Medium::Lining);
    const LayerBeam liquid = beams.Of(in.FluidVelocity, sensor, wedgeSine, Medium::Fluid, true);
    b.WallAngle = wall.Angle;
    b.LiningAngle = lining.Angle;
    b.FluidAngle = liquid.Angle;

    b.WallRun = Checked(wall.Tangent * in.WallThickness);
    b.LiningRun = Checked(lining.Tangent * in.LiningThickness);
    const double layers = Checked(Checked(in.LiningThickness + in.WallThickness) * 2.0);
    b.FluidRun = Checked(Checked(in.OuterDiameter - layers) * liquid.Tangent);

    const int crossings = FluidCrossings(in.MountMethod);
    if (crossings == 0) {
        throw EngineError(ErrorKind::SubscriptOutOfRange);
    }
    // Wedge, wall and lining count twice (the beam enters and leaves), the fluid once per
    // crossing; V keeps its own grouping, (runs + fluid) * 2, so its sums stay as they were.
    const double allowance = sensor.MountOffset * 2.0;
    const double layerRuns = Checked(Checked(b.WallRun + sensor.WedgeRun) + b.LiningRun);
    double s = 0.0;
    if (static_cast<MountMethod>(in.MountMethod) == MountMethod::V) {
        s = Checked(Checked(Checked(layerRuns + b.FluidRun) * 2.0) - allowance);
    } else {
        const double fluid =
            crossings == 1 ? b.FluidRun : Checked(b.FluidRun * static_cast<double>(crossings));
        s = Checked(Checked(Checked(layerRuns * 2.0) + fluid) - allowance);
    }
    b.Unclamped = s + 0.0;
    b.Spacing = s < 0.0 ? 0.0 : b.Unclamped;
    b.FluidPath = Checked(Checked(in.OuterDiameter - layers) / *liquid.Cosine *
                          static_cast<double>(crossings));
    return b;
}

double ComputeSpacing(const SpacingInputs& inputs, const SensorTypeRecord& sensor) {
    return ComputeSpacingBreakdown(inputs, sensor).Spacing;
}

} // namespace Quillmere
