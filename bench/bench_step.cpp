// Speed of the time step: the production step against the literal three-pass step, against the
// machine's memory bandwidth, and on a tank full of walls and exciters against an empty one.
#include "bench_tanks.h"
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

// Repeated, and the ratios taken from the medians: a shared machine is noisy.
void repeated(benchmark::internal::Benchmark* b) {
    b->Unit(benchmark::kMillisecond)->MinTime(1.0)->Repetitions(3)->ReportAggregatesOnly(true);
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
BENCHMARK(BM_InPlaceSweep)->Name("memory/in-place-sweep")->Arg(3000)->Apply(repeated);

} // namespace

} // namespace zb::bench
