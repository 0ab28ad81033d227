// Drawing speed: frames of the 3-D view (lit relief and wire frame) on pools of 200, 300 and
// 500 squared, composed, presented and finished, and the flat view (also zoomed in) and the lit
// relief of large pools against one step of the same run. Needs an X display (xvfb-run). CPU
// time includes the threads of a software renderer; frames per second come from wall time and
// depend on the load of the machine. Only exports are used, so that the same source measures an
// older engine too.
#include "ratio_reporter.h"
#include "sim/engine_state.h"
#include "zbengine.h"

#include <GL/gl.h>
#include <X11/Xlib.h>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

namespace zb::bench {

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;

long minorFaults() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt;
}

// A pool with waves from an exciter in the middle, seen at an angle from above.
void makeWavyPool(int n) {
    ZBDLL_ResetAll();
    ZBDLL_CreateEmptyPool(n, n, 0.001, 1.0, 0);
    ZBDLL_AddExciter(n / 2, n / 2, 5, 5, 0, 40.0, 0.05, true);
    ZBDLL_AddEdges(false, false, false, false);
    ZBDLL_SetPaused(false);
    ZBDLL_SetSimulationSpeed(0.0025f);
    for (int k = 0; k < 60; ++k)
        ZBDLL_NextFrame();
    ZBDLL_Set3dMode(true);
    ZBDLL_SetCamera(0.0, 0.9, 1.0, 0.0, 0.0);
}

void BM_Draw(benchmark::State& state, int n, bool lit) {
    makeWavyPool(n);
    ZBDLL_SetViewParameters(false, !lit);
    if (!ZBDLL_RepaintScene(false, false)) {
        state.SkipWithError("nothing drawn");
        return;
    }
    const long faultsBefore = minorFaults();
    for (auto _ : state) {
        ZBDLL_RepaintScene(false, false);
        glFinish();
    }
    // Pages the process had to be given afresh: a frame that reuses its memory needs none.
    state.counters["faults/frame"] =
        double(minorFaults() - faultsBefore) / double(state.iterations());
}

// The flat view as the editor shows a new tank: straight down from the default zoom's height.
// With recolour, every redraw follows a change of the tank's cells, as after an editor click.
void BM_Flat(benchmark::State& state, int n, bool recolour) {
    makeWavyPool(n);
    ZBDLL_Set3dMode(false);
    ZBDLL_SetCamera(0.0, 1.2, 0.0, 0.2, 0.0);
    if (!ZBDLL_RepaintScene(true, false)) {
        state.SkipWithError("nothing drawn");
        return;
    }
    for (auto _ : state) {
        if (recolour)
            ZBDLL_AddEdges(false, false, false, false); // writes no cell, but may have
        ZBDLL_RepaintScene(true, false);
        glFinish();
    }
}

// The flat view zoomed in as far as the editor goes, where a large pool's cells are two pixels
// and drawn with their grid lines.
void BM_FlatClose(benchmark::State& state, int n) {
    makeWavyPool(n);
    ZBDLL_Set3dMode(false);
    ZBDLL_SetCamera(0.0, 0.4, 0.0, -0.6, 0.0);
    if (!ZBDLL_RepaintScene(true, false)) {
        state.SkipWithError("nothing drawn");
        return;
    }
    for (auto _ : state) {
        ZBDLL_RepaintScene(true, false);
        glFinish();
    }
}

// One step of the pool drawn, without drawing: the yardstick of the drawing's goals. Taken with
// the lit relief shown, so that the step does all it does while that view runs.
void BM_Step(benchmark::State& state, int n) {
    makeWavyPool(n);
    ZBDLL_SetViewParameters(false, false);
    for (auto _ : state)
        ZBDLL_NextFrame();
}

std::string caseName(int n, bool lit) {
    return std::string("draw/") + (lit ? "lit/" : "wire/") + std::to_string(n);
}

} // namespace

} // namespace zb::bench

int main(int argc, char** argv) {
    using namespace zb::bench;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "zb_draw_bench needs an X display (xvfb-run)\n");
        return 1;
    }
    const Window window =
        XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, kWidth, kHeight, 0, 0, 0);
    XMapWindow(display, window);
    XSync(display, False);
    if (ZBDLL_CreateFromHwnd(window, kWidth, kHeight, ZB_BUILD_DIR "/") != 0) {
        std::fprintf(stderr, "no rendering context\n");
        return 1;
    }
    std::printf("GL: %s, %s; window %d x %d\n",
                reinterpret_cast<const char*>(glGetString(GL_RENDERER)),
                reinterpret_cast<const char*>(glGetString(GL_VERSION)), kWidth, kHeight);

    std::vector<Ratio> ratios;
    for (bool lit : {true, false}) {
        for (int n : {200, 300, 500}) {
            benchmark::RegisterBenchmark(caseName(n, lit).c_str(), BM_Draw, n, lit)
                ->MeasureProcessCPUTime()
                ->UseRealTime()
                ->Unit(benchmark::kMillisecond)
                ->MinTime(1.0)
                ->Repetitions(3)
                ->ReportAggregatesOnly(true);
            if (n > 200)
                ratios.push_back({caseName(n, lit) + " / " + std::to_string(200), caseName(n, lit),
                                  caseName(200, lit), ""});
        }
    }
    auto measured = [](benchmark::internal::Benchmark* b) {
        b->MeasureProcessCPUTime()
            ->UseRealTime()
            ->Unit(benchmark::kMillisecond)
            ->MinTime(1.0)
            ->Repetitions(3)
            ->ReportAggregatesOnly(true);
    };
    for (int n : {300, 1000, 3000})
        measured(benchmark::RegisterBenchmark(("step/" + std::to_string(n)).c_str(), BM_Step, n));
    for (int n : {1000, 3000}) {
        const std::string size = std::to_string(n);
        measured(benchmark::RegisterBenchmark(("flat/" + size).c_str(), BM_Flat, n, false));
        measured(benchmark::RegisterBenchmark(("flat-changed/" + size).c_str(), BM_Flat, n, true));
        ratios.push_back(
            {"flat " + size + " / step " + size, "flat/" + size, "step/" + size, "<= 1.5"});
        ratios.push_back({"flat after a change " + size + " / step " + size, "flat-changed/" + size,
                          "step/" + size, ""});
    }
    measured(benchmark::RegisterBenchmark("flat-close/1000", BM_FlatClose, 1000));
    ratios.push_back({"flat zoomed in 1000 / step 1000", "flat-close/1000", "step/1000", ""});
    measured(benchmark::RegisterBenchmark(caseName(1000, true).c_str(), BM_Draw, 1000, true));
    ratios.push_back({"draw/lit/300 / step 300", caseName(300, true), "step/300", ""});
    ratios.push_back({"draw/lit/300 / step 1000", caseName(300, true), "step/1000", "<= 1.5"});
    ratios.push_back({"draw/lit/1000 / step 1000", caseName(1000, true), "step/1000", ""});

    RatioReporter reporter(isatty(fileno(stdout)) != 0);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatios(ratios);
    reporter.printFrameRates("draw/");
    benchmark::Shutdown();
    zb::restoreLoadState();
    XDestroyWindow(display, window);
    XCloseDisplay(display);
    return 0;
}
