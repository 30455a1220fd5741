// Google Benchmark: the computation on varied inputs, the text conversions and the
// result formatting.
#include "engine/Engine.h"
#include "rules/Rules.h"

#include <benchmark/benchmark.h>

#include <vector>

using namespace Quillmere;

namespace {

struct Case {
    SpacingInputs inputs;
    int sensor;
};

std::vector<Case> VariedCases() {
    std::vector<Case> cases;
    for (int i = 0; i < 1024; ++i) {
        SpacingInputs in;
        in.OuterDiameter = 20.0 + (i * 37) % 3000;
        in.WallThickness = 1.0 + (i % 17) * 0.7;
        in.LiningThickness = (i % 3) * 1.5;
        in.PipeVelocity = 2000 + (i * 13) % 1700;
        in.LiningVelocity = (i % 3 == 0) ? 0 : 1200 + (i * 7) % 2000;
        in.FluidVelocity = 300 + (i * 11) % 2200;
        in.MountMethod = static_cast<std::int16_t>(i % 2);
        cases.push_back({in, i % SensorTypeCount});
    }
    return cases;
}

void BM_ComputeSpacing(benchmark::State& state) {
    const std::vector<Case> cases = VariedCases();
    std::size_t i = 0;
    for (auto _ : state) {
        const Case& c = cases[i++ % cases.size()];
        benchmark::DoNotOptimize(ComputeSpacing(c.inputs, SensorTypeAt(c.sensor)));
    }
}
BENCHMARK(BM_ComputeSpacing);

void BM_ParseNumberText(benchmark::State& state) {
    const char* texts[] = {"114.3", "6.0", "1,234.5", "0.2362", "3700", "12,140", "60.5", "0.0039"};
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ParseNumberText(texts[i++ % 8]));
    }
}
BENCHMARK(BM_ParseNumberText);

void BM_FormatSpacing(benchmark::State& state) {
    const double spacings[] = {65.47455, 1234.5678, 0.0, 53.45228, 25.4, 6199.9, 3.3, 999.999};
    std::size_t i = 0;
    for (auto _ : state) {
        const std::size_t k = i++;
        benchmark::DoNotOptimize(
            FormatSpacing(spacings[k % 8], static_cast<int>(k % 12),
                          k % 2 == 0 ? UnitSystem::Metric : UnitSystem::Imperial));
    }
}
BENCHMARK(BM_FormatSpacing);

void BM_RunCalculation(benchmark::State& state) {
    Job job;
    job.SensorTypeIndex = 4;
    job.Text(InputField::OuterDiameter) = "114.3";
    job.Text(InputField::WallThickness) = "6.0";
    for (auto _ : state) {
        benchmark::DoNotOptimize(RunCalculation(job, 2));
    }
}
BENCHMARK(BM_RunCalculation);

} // namespace

BENCHMARK_MAIN();
