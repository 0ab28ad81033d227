// Cost of the display modes against the plain step of the same run: the per-cell intensity
// average and the screens' averages, which run once per step, and the colours, computed once per
// drawn frame. The memory the per-cell arrays take beside the pool is shown as counters.
#include "bench_tanks.h"
#include "sim/display_colors.h"
#include "sim/engine_state.h"
#include "sim/memory_budget.h"
#include "zbengine.h"

#include <benchmark/benchmark.h>

namespace zb::bench {

namespace {

enum class Extra { None, Intensity, FiveScreens };

void runFrames(benchmark::State& state, Extra extra) {
    const int n = int(state.range(0));
    ZBDLL_SetColorMode(extra == Extra::Intensity ? 2 : 0);
    makeRadialPool(n);
    if (extra == Extra::FiveScreens)
        for (int k = 0; k < 5; ++k)
            ZBDLL_AddScreen(n * (k + 1) / 6, k % 2 == 0);
    ZBDLL_SetPaused(false);
    for (auto _ : state) {
        ZBDLL_NextFrame();
        benchmark::ClobberMemory();
    }
    ZBDLL_SetColorMode(0);
}

void BM_PlainFrame(benchmark::State& state) {
    runFrames(state, Extra::None);
}
void BM_IntensityFrame(benchmark::State& state) {
    runFrames(state, Extra::Intensity);
    const int n = int(state.range(0));
    state.counters["pool MB"] = double(poolBytes(n, n)) * 1e-6;
    state.counters["display MB"] = double(displayArrayBytes(n, n)) * 1e-6;
}
void BM_ScreensFrame(benchmark::State& state) {
    runFrames(state, Extra::FiveScreens);
}

void BM_Colors(benchmark::State& state, int mode) {
    const int n = int(state.range(0));
    ZBDLL_SetColorMode(mode);
    makeRadialPool(n);
    ZBDLL_SetPaused(false);
    for (int k = 0; k < 5; ++k)
        ZBDLL_NextFrame(); // an intensity average to draw
    for (auto _ : state) {
        benchmark::DoNotOptimize(displayColors(gEngine));
        benchmark::ClobberMemory();
    }
    ZBDLL_SetColorMode(0);
}

void repeated(benchmark::internal::Benchmark* b) {
    b->Unit(benchmark::kMillisecond)->MinTime(1.0)->Repetitions(3)->ReportAggregatesOnly(true);
}

BENCHMARK(BM_PlainFrame)->Name("display/plain-step")->Arg(1000)->Arg(3000)->Apply(repeated);
BENCHMARK(BM_IntensityFrame)
    ->Name("display/step-with-intensity")
    ->Arg(1000)
    ->Arg(3000)
    ->Apply(repeated);
BENCHMARK(BM_ScreensFrame)
    ->Name("display/step-with-5-screens")
    ->Arg(1000)
    ->Arg(3000)
    ->Apply(repeated);
BENCHMARK_CAPTURE(BM_Colors, elevation, 1)
    ->Name("display/elevation-colours")
    ->Arg(1000)
    ->Arg(3000)
    ->Apply(repeated);
BENCHMARK_CAPTURE(BM_Colors, intensity, 2)
    ->Name("display/intensity-colours")
    ->Arg(1000)
    ->Arg(3000)
    ->Apply(repeated);

} // namespace

} // namespace zb::bench
