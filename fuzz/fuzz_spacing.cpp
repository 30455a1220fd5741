// The computation on arbitrary finite inputs: a result is finite and not negative (the
// computed value clamped at 0), or an error of a listed kind; formatting never crashes.
#include "FuzzTargets.h"
#include "engine/Engine.h"
#include "rules/Rules.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

using namespace Quillmere;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    double numbers[6] = {};
    if (size < sizeof numbers + 3) {
        return 0;
    }
    std::memcpy(numbers, data, sizeof numbers);
    for (double n : numbers) {
        if (!std::isfinite(n)) {
            return 0;
        }
    }
    SpacingInputs in;
    in.OuterDiameter = numbers[0];
    in.WallThickness = numbers[1];
    in.LiningThickness = numbers[2];
    in.PipeVelocity = numbers[3];
    in.LiningVelocity = numbers[4];
    in.FluidVelocity = numbers[5];
    in.MountMethod = static_cast<std::int16_t>(data[sizeof numbers] % (MountMethodCount + 1));
    const int sensor = data[sizeof numbers + 1] % SensorTypeCount;
    const UnitSystem units =
        (data[sizeof numbers + 2] & 1) != 0 ? UnitSystem::Imperial : UnitSystem::Metric;
    try {
        const SpacingBreakdown b = ComputeSpacingBreakdown(in, SensorTypeAt(sensor));
        const double s = b.Spacing;
        if (!std::isfinite(s) || s < 0.0 || std::signbit(s)) {
            std::abort();
        }
        // The clamp only ever raises a negative spacing to 0, and the note's text formats.
        if (!std::isfinite(b.Unclamped) || s != (b.Unclamped < 0.0 ? 0.0 : b.Unclamped)) {
            std::abort();
        }
        (void)FormatSpacing(s, sensor, units);
        (void)FormatSpacing(b.Unclamped, -1, units);
    } catch (const EngineError&) {
        // Every kind is a listed one; the type itself is the contract.
    }
    return 0;
}
