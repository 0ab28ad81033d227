// What the page on moving exciters and pulses says, measured on the engine: the Doppler periods
// ahead of and behind a moving exciter, the Mach angle of one faster than its waves, and how long a
// pulse lasts. Stated numbers must hold within 3 %.
#include "model/dispersion.h"
#include "model/simulation_time.h"
#include "stated_numbers.h"
#include "wave_field.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace zb {
namespace {

const char* const kPage = "OH/BewegteErreger.rtf";

// The box's Schwinger/s in the engine's oscillators per time unit.
double engineSpeed(double perSecond) {
    return perSecond * kSecondsPerEngineTime;
}

// The mean period on the user's clock of the oscillators at (i, j), from their rising zero
// crossings over the given frames.
std::vector<double> periodsOver(const std::vector<std::pair<int, int>>& at, int frames) {
    std::vector<std::vector<double>> crossings(at.size());
    std::vector<double> before(at.size());
    for (size_t p = 0; p < at.size(); ++p)
        before[p] = cell(at[p].first, at[p].second).elongation;
    double then = simulationSeconds(gEngine.simTime);
    for (int f = 0; f < frames; ++f) {
        ZBDLL_NextFrame();
        const double now = simulationSeconds(gEngine.simTime);
        for (size_t p = 0; p < at.size(); ++p) {
            const double h = cell(at[p].first, at[p].second).elongation;
            if (before[p] < 0 && h >= 0)
                crossings[p].push_back(then + (now - then) * -before[p] / (h - before[p]));
            before[p] = h;
        }
        then = now;
    }
    std::vector<double> periods;
    for (const auto& c : crossings)
        periods.push_back(c.size() < 4 ? 0.0 : (c.back() - c.front()) / double(c.size() - 1));
    return periods;
}

class MotionPage : public ::testing::Test {
  protected:
    void TearDown() override { restoreLoadState(); }
};

// The Doppler example: a channel one oscillator wide stands in for the line through the moving
// exciter (two neighbours at coupling 2 move as four at coupling 4); the probes rest, ahead of the
// exciter and behind it, and are read once the front has passed and before the exciter or the
// echo of the channel's end arrives.
TEST_F(MotionPage, DopplerPeriodsAheadAndBehind) {
    ASSERT_EQ(statedNumbers(kPage, "f' = f · c / \\(c − v\\)").size(), 1u);
    ASSERT_EQ(statedNumbers(kPage, "f' = f · c / \\(c \\+ v\\)").size(), 1u);
    const auto wave =
        statedNumbers(kPage, R"(Ein Erreger mit T = (\d+) ms bei der Kopplung (\d+) macht )"
                             R"(Wellen, die mit c ≈ (\d+,\d) Schwinger/s laufen)");
    const auto heard = statedNumbers(
        kPage, R"(Fährt er mit vx = (\d+) Schwinger/s, misst ein Messpunkt vor ihm eine )"
               R"(Schwingungsdauer von etwa (\d+) ms, ein Messpunkt hinter ihm etwa (\d+) ms)");
    ASSERT_EQ(wave.size(), 1u);
    ASSERT_EQ(heard.size(), 1u);
    const double period = wave[0][0] / 1000, coupling = wave[0][1], c = wave[0][2];
    const double v = heard[0][0], ahead = heard[0][1] / 1000, behind = heard[0][2] / 1000;
    const double omega = 50000 / wave[0][0]; // the box's T = 50000 / Frequenz ms

    const double lambda = discreteWavelength(omega, double(kDefaultStep), coupling);
    EXPECT_NEAR(phaseSpeed(lambda, omega), c, kTolerance * c) << "the stated wave speed";

    const int length = 1500, start = 600, front = 850, back = 350;
    freshHeadlessEngine();
    ZBDLL_CreateEmptyPool(length, 1, 0.0, coupling / 2, 0);
    ZBDLL_AddExciter(start, 0, 1, 1, 0, omega, 0.1, true);
    ZBDLL_SetExciterMotion(engineSpeed(v), 0.0, 0);
    ZBDLL_SetSimulationSpeed(kDefaultStep);
    ZBDLL_SetPaused(false);
    const double fastest = std::sqrt(10000.0 / 3.0 * coupling) / 2; // oscillators per time unit
    const double settled = (double(front - start) / fastest + 4 * period / kSecondsPerEngineTime);
    const double until =
        std::min(double(front - start) / engineSpeed(v) - 1.0, double(start + back) / fastest);
    runFrames(int(settled / double(kDefaultStep)));
    const std::vector<double> periods =
        periodsOver({{front, 0}, {back, 0}}, int((until - settled) / double(kDefaultStep)));
    EXPECT_NEAR(periods[0], ahead, kTolerance * ahead);
    EXPECT_NEAR(periods[1], behind, kTolerance * behind);
}

// The Mach example in an open tank: the field ends at a cone behind the exciter. Its edge in each
// column is where the swing first reaches a hundredth of that column's largest, seen from the
// border: beyond the cone the water is still, while on it the swing follows the phase the exciter
// had when it passed, so that a higher threshold misses the edge where that phase gave little. The
// slope over many columns gives the half-angle.
TEST_F(MotionPage, MachAngleOfAnExciterTwiceAsFastAsItsWaves) {
    ASSERT_FALSE(statedNumbers(kPage, "sin α = c / v").empty());
    const auto example = statedNumbers(
        kPage, R"(Bei T = (\d+) ms und der Kopplung (\d+) \(c ≈ (\d+,\d) Schwinger/s\) fährt ein )"
               R"(kleiner Erreger mit vx = (\d+,\d) Schwinger/s)");
    ASSERT_EQ(example.size(), 1u);
    const double angle = statedNumber(kPage, R"(also α = (\d+)°)");
    const double omega = 50000 / example[0][0], coupling = example[0][1];
    const double c = example[0][2], v = example[0][3];
    EXPECT_NEAR(std::asin(c / v) * 180 / kPi, angle, 0.05) << "the page's own arithmetic";

    const int nx = 240, ny = 230, startX = 20, midY = ny / 2;
    freshHeadlessEngine();
    ZBDLL_CreateEmptyPool(nx, ny, 0.0, coupling, 0);
    ZBDLL_AddExciter(startX, midY, 1, 1, 0, omega, 0.1, true);
    ZBDLL_SetExciterMotion(engineSpeed(v), 0.0, 0);
    ZBDLL_SetSimulationSpeed(kDefaultStep);
    ZBDLL_SetPaused(false);
    // Until the exciter has gone 200 oscillators: the start's circle and the echo of the left
    // border stay behind column 100.
    const int frames = int(200 / engineSpeed(v) / double(kDefaultStep));
    runFrames(frames);
    const double sourceX = startX + engineSpeed(v) * double(gEngine.simTime);
    ASSERT_LT(sourceX, nx - 10);
    int edges = 0;
    const double measured = coneHalfAngle(sourceX, midY, 100, edges);
    ASSERT_GT(edges, 40);
    EXPECT_NEAR(measured, angle, kTolerance * angle);
}

// The pulse's length: its exciter drives for the stated periods and is water afterwards.
TEST_F(MotionPage, PulseLastsItsPeriods) {
    const auto claim = statedNumbers(
        kPage,
        R"(Ein Puls aus (\d+) Perioden mit T = (\d+) ms dauert also (\d+,\d) s Simulationszeit)");
    ASSERT_EQ(claim.size(), 1u);
    const double omega = 50000 / claim[0][1], seconds = claim[0][2];
    ASSERT_NEAR(claim[0][0] * claim[0][1] / 1000, seconds, 1e-9);
    freshHeadlessEngine();
    ZBDLL_CreateEmptyPool(40, 40, 0.0, 4.0, 0);
    ZBDLL_AddExciter(20, 20, 3, 3, 0, omega, 0.1, true);
    ZBDLL_SetExciterMotion(0.0, 0.0, int32_t(claim[0][0]));
    ZBDLL_SetSimulationSpeed(kDefaultStep);
    ZBDLL_SetPaused(false);
    double lastDriven = 0;
    const int frames = int(1.5 * seconds / kSecondsPerEngineTime / double(kDefaultStep));
    for (int f = 0; f < frames; ++f) {
        ZBDLL_NextFrame();
        if (cell(20, 20).exciter)
            lastDriven = simulationSeconds(gEngine.simTime);
    }
    EXPECT_NEAR(lastDriven, seconds, kTolerance * seconds);
    EXPECT_GT(std::abs(cell(30, 20).elongation) + std::abs(cell(10, 20).elongation), 0.0);
}

} // namespace
} // namespace zb
