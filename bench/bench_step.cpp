// Speed of the time step: the production step against the literal three-pass step, and against
// the machine's own memory bandwidth, all measured in the same run. Prints the ratios at the end.
#include "sim/engine_state.h"
#include "sim/step.h"
#include "step_oracle.h"
#include "zbengine.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

using zb::gEngine;

// A square pool with a radial exciter in the middle, already running for a few steps.
void makeRadialPool(int n) {
    ZBDLL_ResetAll();
    ZBDLL_CreateEmptyPool(n, n, 0.001, 1.0, 0);
    ZBDLL_AddExciter(n / 2, n / 2, 5, 5, 0, 10.0, 0.1, true);
    ZBDLL_AddEdges(false, false, false, false);
    for (int k = 0; k < 3; ++k)
        zb::stepPool(gEngine.pool, 0.0025f, 0.0025f * float(k + 1), true);
}

template <void (*Step)(zb::Pool&, float, float, bool)>
void BM_Step(benchmark::State& state) {
    const int n = int(state.range(0));
    makeRadialPool(n);
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
        benchmark::Counter(2.0 * cells * sizeof(zb::Oscillator) * 1e-9 * double(state.iterations()),
                           benchmark::Counter::kIsRate);
}

void oracleStep(zb::Pool& p, float dt, float t, bool e) {
    zb::oracle::stepPool(p, dt, t, e);
}
void productionStep(zb::Pool& p, float dt, float t, bool e) {
    zb::stepPool(p, dt, t, e);
}

// Reads and writes every word of as much memory as the records of an n x n pool occupy.
void BM_InPlaceSweep(benchmark::State& state) {
    const int n = int(state.range(0));
    const size_t words = size_t(n) * size_t(n) * sizeof(zb::Oscillator) / sizeof(uint64_t);
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

void BM_BuildPool(benchmark::State& state) {
    const int n = int(state.range(0));
    for (auto _ : state) {
        ZBDLL_ResetAll();
        ZBDLL_CreateEmptyPool(n, n, 0.001, 1.0, 0);
    }
}

void BM_AddWall(benchmark::State& state) {
    const int n = int(state.range(0));
    ZBDLL_ResetAll();
    ZBDLL_CreateEmptyPool(n, n, 0.001, 1.0, 0);
    int angle = 0;
    for (auto _ : state) {
        ZBDLL_AddWall(n / 2, n / 2, angle, n / 2, 2, 8, 20);
        angle = (angle + 7) % 360;
    }
}

// Repeated, and the ratios taken from the medians: a shared machine is noisy.
BENCHMARK(BM_Step<oracleStep>)
    ->Name("step/oracle")
    ->Arg(100)
    ->Arg(1000)
    ->Arg(3000)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1.0)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_Step<productionStep>)
    ->Name("step/production")
    ->Arg(100)
    ->Arg(1000)
    ->Arg(3000)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1.0)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_InPlaceSweep)
    ->Name("memory/in-place-sweep")
    ->Arg(3000)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1.0)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_BuildPool)->Name("build/pool")->Arg(3000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AddWall)->Name("build/add-wall")->Arg(3000)->Unit(benchmark::kMicrosecond);

// Keeps every run's counters so the ratios can be printed after the table.
class RatioReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& r : runs) {
            // Single runs, or the median of repeated ones.
            const bool single = r.run_type == Run::RT_Iteration && r.repetitions <= 1;
            const bool median = r.run_type == Run::RT_Aggregate && r.aggregate_name == "median";
            if (r.error_occurred || !(single || median))
                continue;
            std::string name = r.run_name.str();
            name = name.substr(0, name.find("/min_time"));
            name = name.substr(0, name.find("/repeats"));
            seconds_[name] = r.GetAdjustedRealTime();
            auto gb = r.counters.find("GB/s");
            if (gb != r.counters.end())
                gbps_[name] = gb->second.value;
        }
        ConsoleReporter::ReportRuns(runs);
    }

    void printRatios() const {
        std::printf("\nRatios (same run, medians of repeated runs):\n");
        for (const char* n : {"100", "1000", "3000"}) {
            const std::string o = std::string("step/oracle/") + n;
            const std::string p = std::string("step/production/") + n;
            if (seconds_.count(o) && seconds_.count(p))
                std::printf("  production / oracle, %5s x %-5s: %6.2fx\n", n, n,
                            seconds_.at(o) / seconds_.at(p));
        }
        const auto p = gbps_.find("step/production/3000");
        const auto m = gbps_.find("memory/in-place-sweep/3000");
        if (p != gbps_.end() && m != gbps_.end())
            std::printf("  production 3000 x 3000 / in-place sweep bandwidth: %5.1f %% "
                        "(%.2f of %.2f GB/s)\n",
                        100.0 * p->second / m->second, p->second, m->second);
    }

  private:
    std::map<std::string, double> seconds_;
    std::map<std::string, double> gbps_;
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatios();
    benchmark::Shutdown();
    return 0;
}
