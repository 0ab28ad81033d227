// Speed of the time step: the production step against the literal three-pass step, against the
// machine's memory bandwidth, and on a tank full of walls and exciters against an empty one; with
// and without normals, on one and two threads, and with the intensity average added during the
// sweep or in a pass of its own.
#include "bench_tanks.h"
#include "sim/display_averages.h"
#include "sim/engine_state.h"
#include "sim/step.h"
#include "step_oracle.h"
#include "zbengine.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>

namespace zb::bench {

namespace {

template <void (*Step)(Pool&, float, float, bool)>
void runSteps(benchmark::State& state, int n) {
    float t = 0.01f;
    for (auto _ : state) {
        t += 0.0025f;
        Step(gEngine.pool, 0.0025f, t, true);
        benchmark::ClobberMemory();
    }
    const double cells = double(n) * double(n);
    state.counters["Mcells/s"] =
        benchmark::Counter(cells * 1e-6 * double(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["GB/s"] =
        benchmark::Counter(2.0 * cells * sizeof(Oscillator) * 1e-9 * double(state.iterations()),
                           benchmark::Counter::kIsRate);
}

void oracleStep(Pool& p, float dt, float t, bool e) {
    oracle::stepPool(p, dt, t, e);
}
void productionStep(Pool& p, float dt, float t, bool e) {
    stepPool(p, dt, t, e);
}

template <void (*Step)(Pool&, float, float, bool)>
void BM_RadialStep(benchmark::State& state) {
    const int n = int(state.range(0));
    makeRadialPool(n);
    runSteps<Step>(state, n);
}

void BM_EmptyStep(benchmark::State& state) {
    const int n = int(state.range(0));
    makeEmptyPool(n);
    runSteps<productionStep>(state, n);
}

void BM_ObjectsStep(benchmark::State& state) {
    const int n = int(state.range(0));
    makeObjectPool(n);
    runSteps<productionStep>(state, n);
}

// Reads and writes every word of as much memory as the records of an n x n pool occupy.
void BM_InPlaceSweep(benchmark::State& state) {
    const int n = int(state.range(0));
    const size_t words = size_t(n) * size_t(n) * sizeof(Oscillator) / sizeof(uint64_t);
    std::unique_ptr<uint64_t[]> mem(new uint64_t[words]);
    std::memset(mem.get(), 1, words * sizeof(uint64_t));
    for (auto _ : state) {
        uint64_t* p = mem.get();
        for (size_t k = 0; k < words; ++k)
            p[k] += 1;
        benchmark::ClobberMemory();
    }
    state.counters["GB/s"] = benchmark::Counter(
        2.0 * double(words) * 8 * 1e-9 * double(state.iterations()), benchmark::Counter::kIsRate);
}

enum class Intensity { None, InSweep, SeparatePass };

// The step as the frames take it, on a given number of threads (two at every size here, to
// show where they pay), with normals for a lit relief or without for the other views.
void BM_ViewStep(benchmark::State& state, int threads, bool normals, Intensity intensity) {
    const int n = int(state.range(0));
    ZBDLL_SetColorMode(intensity == Intensity::None ? 0 : 2);
    makeRadialPool(n);
    const int32_t threadsBefore = gEngine.stepThreads;
    gEngine.stepThreads = threads;
    gEngine.twoThreadMinCells = 0;
    float t = 0.01f;
    for (auto _ : state) {
        t += 0.0025f;
        RowAverages averages;
        const bool inSweep =
            intensity == Intensity::InSweep && prepareDisplayAverages(gEngine, averages);
        stepPool(gEngine.pool, 0.0025f, t, true, normals, inSweep ? &averages : nullptr);
        if (intensity == Intensity::SeparatePass)
            accumulateDisplayAverages(gEngine);
        benchmark::ClobberMemory();
    }
    gEngine.stepThreads = threadsBefore;
    gEngine.twoThreadMinCells = kTwoThreadMinCells;
    ZBDLL_SetColorMode(0);
}

// Repeated, and the ratios taken from the medians: a shared machine is noisy.
void repeated(benchmark::internal::Benchmark* b) {
    b->Unit(benchmark::kMillisecond)->MinTime(1.0)->Repetitions(3)->ReportAggregatesOnly(true);
}

// CPU time of both threads, and wall time for the speed-up of two.
void repeatedOnThreads(benchmark::internal::Benchmark* b) {
    repeated(b);
    b->MeasureProcessCPUTime()->UseRealTime();
}

BENCHMARK(BM_RadialStep<oracleStep>)
    ->Name("step/oracle")
    ->Arg(100)
    ->Arg(1000)
    ->Arg(3000)
    ->Apply(repeated);
BENCHMARK(BM_RadialStep<productionStep>)
    ->Name("step/production")
    ->Arg(100)
    ->Arg(1000)
    ->Arg(3000)
    ->Apply(repeated);
BENCHMARK(BM_EmptyStep)->Name("step/empty")->Arg(1000)->Arg(3000)->Apply(repeated);
BENCHMARK(BM_ObjectsStep)->Name("step/walls-exciters")->Arg(1000)->Arg(3000)->Apply(repeated);
BENCHMARK_CAPTURE(BM_ViewStep, flat1, 1, false, Intensity::None)
    ->Name("step/flat/1-thread")
    ->Arg(100)
    ->Arg(200)
    ->Arg(300)
    ->Arg(500)
    ->Arg(700)
    ->Arg(1000)
    ->Arg(2000)
    ->Apply(repeatedOnThreads);
BENCHMARK_CAPTURE(BM_ViewStep, flat2, 2, false, Intensity::None)
    ->Name("step/flat/2-threads")
    ->Arg(100)
    ->Arg(200)
    ->Arg(300)
    ->Arg(500)
    ->Arg(700)
    ->Arg(1000)
    ->Arg(2000)
    ->Apply(repeatedOnThreads);
BENCHMARK_CAPTURE(BM_ViewStep, lit1, 1, true, Intensity::None)
    ->Name("step/lit/1-thread")
    ->Arg(1000)
    ->Apply(repeatedOnThreads);
BENCHMARK_CAPTURE(BM_ViewStep, lit2, 2, true, Intensity::None)
    ->Name("step/lit/2-threads")
    ->Arg(1000)
    ->Apply(repeatedOnThreads);
BENCHMARK_CAPTURE(BM_ViewStep, sweep1, 1, true, Intensity::InSweep)
    ->Name("step/lit-intensity-in-sweep/1-thread")
    ->Arg(1000)
    ->Apply(repeatedOnThreads);
BENCHMARK_CAPTURE(BM_ViewStep, pass1, 1, true, Intensity::SeparatePass)
    ->Name("step/lit-intensity-separate-pass/1-thread")
    ->Arg(1000)
    ->Apply(repeatedOnThreads);
BENCHMARK_CAPTURE(BM_ViewStep, sweep2, 2, false, Intensity::InSweep)
    ->Name("step/flat-intensity-in-sweep/2-threads")
    ->Arg(1000)
    ->Apply(repeatedOnThreads);
BENCHMARK(BM_InPlaceSweep)->Name("memory/in-place-sweep")->Arg(3000)->Apply(repeated);

} // namespace

} // namespace zb::bench
