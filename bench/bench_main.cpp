// Runs every benchmark and prints the ratios that matter after the table.
#include "ratio_reporter.h"
#include "sim/engine_state.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <unistd.h>

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    // Colours only for a terminal: the output is often kept in a file.
    zb::bench::RatioReporter reporter(isatty(fileno(stdout)) != 0);
    // CPU time is the calling thread's: every step runs on it unless a benchmark asks for two.
    zb::gEngine.stepThreads = 1;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatios({
        {"step production / oracle speed-up, 100 x 100", "step/oracle/100", "step/production/100",
         ""},
        {"step production / oracle speed-up, 1000 x 1000", "step/oracle/1000",
         "step/production/1000", ">= 6"},
        {"step production / oracle speed-up, 3000 x 3000", "step/oracle/3000",
         "step/production/3000", ">= 6"},
        {"step flat view / lit relief (no normals), 1 thread, 1000 x 1000",
         "step/flat/1-thread/1000", "step/lit/1-thread/1000", "<= 0.8"},
        {"step flat view / lit relief, 2 threads, 1000 x 1000", "step/flat/2-threads/1000",
         "step/lit/2-threads/1000", "<= 0.8"},
        {"step with intensity in the sweep / without, lit, 1 thread, 1000 x 1000",
         "step/lit-intensity-in-sweep/1-thread/1000", "step/lit/1-thread/1000", ""},
        {"step with intensity in a separate pass / without, lit, 1 thread, 1000 x 1000",
         "step/lit-intensity-separate-pass/1-thread/1000", "step/lit/1-thread/1000", ""},
        {"step with intensity in the sweep / without, flat, 2 threads, 1000 x 1000",
         "step/flat-intensity-in-sweep/2-threads/1000", "step/flat/2-threads/1000", ""},
        {"lit step 1 thread (before) / flat step with intensity, 2 threads (after), 1000 x 1000",
         "step/lit-intensity-separate-pass/1-thread/1000",
         "step/flat-intensity-in-sweep/2-threads/1000", ""},
        {"step 20 walls + 5 exciters / empty, 1000 x 1000", "step/walls-exciters/1000",
         "step/empty/1000", "<= 1.15"},
        {"step 20 walls + 5 exciters / empty, 3000 x 3000", "step/walls-exciters/3000",
         "step/empty/3000", "<= 1.15"},
        {"rebuild at the same size / fresh build, 1000 x 1000", "build/rebuild/1000",
         "build/fresh/1000", "<= 0.10"},
        {"rebuild at the same size / fresh build, 3000 x 3000", "build/rebuild/3000",
         "build/fresh/3000", "<= 0.10"},
        {"transfer of 10 objects / fresh build, 1000 x 1000", "build/transfer-10-objects/1000",
         "build/fresh/1000", ""},
        {"transfer of 10 objects / fresh build, 3000 x 3000", "build/transfer-10-objects/3000",
         "build/fresh/3000", ""},
        {"wall 3000 long at 45 deg / at 0 deg", "add/wall/n:3000/deg:45", "add/wall/n:3000/deg:0",
         ""},
        {"8 material changes / 1, 3000 x 3000", "add/materials/n:3000/k:8",
         "add/materials/n:3000/k:1", ""},
        {"edges 10 wide on every side / rebuild, 3000 x 3000", "add/edges-10-wide/3000",
         "build/rebuild/3000", ""},
        {"step with intensity average / plain step, 1000 x 1000",
         "display/step-with-intensity/1000", "display/plain-step/1000", ""},
        {"step with intensity average / plain step, 3000 x 3000",
         "display/step-with-intensity/3000", "display/plain-step/3000", ""},
        {"step with 5 screens averaged / plain step, 3000 x 3000",
         "display/step-with-5-screens/3000", "display/plain-step/3000", ""},
        {"elevation colours / plain step, 3000 x 3000", "display/elevation-colours/3000",
         "display/plain-step/3000", ""},
        {"intensity colours / plain step, 3000 x 3000", "display/intensity-colours/3000",
         "display/plain-step/3000", ""},
    });
    // Two threads save wall time, not CPU time.
    reporter.printWallRatios({
        {"step 2 threads speed-up, lit, 1000 x 1000", "step/lit/1-thread/1000",
         "step/lit/2-threads/1000", ">= 1.4"},
        {"step 2 threads speed-up, flat, 100 x 100", "step/flat/1-thread/100",
         "step/flat/2-threads/100", ""},
        {"step 2 threads speed-up, flat, 200 x 200", "step/flat/1-thread/200",
         "step/flat/2-threads/200", ""},
        {"step 2 threads speed-up, flat, 300 x 300", "step/flat/1-thread/300",
         "step/flat/2-threads/300", ""},
        {"step 2 threads speed-up, flat, 500 x 500", "step/flat/1-thread/500",
         "step/flat/2-threads/500", ""},
        {"step 2 threads speed-up, flat, 700 x 700", "step/flat/1-thread/700",
         "step/flat/2-threads/700", ""},
        {"step 2 threads speed-up, flat, 1000 x 1000", "step/flat/1-thread/1000",
         "step/flat/2-threads/1000", ">= 1.4"},
        {"step 2 threads speed-up, flat, 2000 x 2000", "step/flat/1-thread/2000",
         "step/flat/2-threads/2000", ""},
    });
    benchmark::Shutdown();
    return 0;
}
