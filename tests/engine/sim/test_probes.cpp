// Probes: what each step records, how the host drains it, and that the series carries the
// wave's period and phase.
#include "engine_fixture.h"

#include <cmath>
#include <numbers>
#include <vector>

namespace zb::test {

using Probes = EngineTest;

namespace {

// Everything recorded so far, steps after one another.
std::vector<float> drainAll(int probes) {
    std::vector<float> all;
    std::vector<float> chunk(size_t(probes) * 100);
    int32_t steps;
    while ((steps = ZBDLL_ReadProbes(chunk.data(), int32_t(chunk.size()))) > 0)
        all.insert(all.end(), chunk.begin(), chunk.begin() + steps * probes);
    return all;
}

// A pool with a point exciter near a corner and probes placed around it; running.
void excitedPool() {
    EngineTest::newPool(20, 16, 0.01, 1.0);
    ZBDLL_AddExciter(3, 4, 2, 2, 0, 30.0, 0.2, true);
    ZBDLL_SetPaused(false);
}

} // namespace

TEST_F(Probes, EachStepRecordsTheElongationOfEveryProbeInOrder) {
    excitedPool();
    EXPECT_EQ(ZBDLL_AddProbe(9, 7, 0xff0000), 1);
    EXPECT_EQ(ZBDLL_AddProbe(4, 4, 0x00ff00), 2);  // an exciter cell
    EXPECT_EQ(ZBDLL_AddProbe(20, 3, 0x0000ff), 3); // one column beyond the pool
    EXPECT_EQ(ZBDLL_AddProbe(0, -1, 0x0000ff), 4);
    EXPECT_EQ(ZBDLL_AddProbe(19, 15, 0xffffff), 5); // the last cell
    float row[5];
    bool moved = false;
    for (int step = 0; step < 40; ++step) {
        ZBDLL_NextFrame();
        ASSERT_EQ(ZBDLL_ReadProbes(row, 5), 1);
        EXPECT_EQ(row[0], float(cell(9, 7).elongation)) << step;
        EXPECT_EQ(row[1], float(cell(4, 4).elongation)) << step;
        EXPECT_TRUE(std::isnan(row[2]));
        EXPECT_TRUE(std::isnan(row[3]));
        EXPECT_EQ(row[4], float(cell(19, 15).elongation)) << step;
        moved = moved || row[0] != 0.0f;
    }
    EXPECT_TRUE(moved) << "the wave reaches the first probe";
    // Paused, nothing is stepped and nothing recorded.
    ZBDLL_SetPaused(true);
    ZBDLL_NextFrame();
    EXPECT_EQ(ZBDLL_ReadProbes(row, 5), 0);
}

TEST_F(Probes, DrainingTakesWholeStepsOldestFirst) {
    excitedPool();
    float buffer[64];
    EXPECT_EQ(ZBDLL_ReadProbes(buffer, 64), 0) << "no probes";
    for (int k = 0; k < 10; ++k)
        EXPECT_EQ(ZBDLL_AddProbe(k, 5, 0x123456), std::min(k + 1, 8)) << "at most 8";
    ASSERT_EQ(gEngine.probes.count, 8);
    EXPECT_EQ(gEngine.probes.probes[7].x, 7) << "further probes are ignored";

    std::vector<float> expected;
    for (int step = 0; step < 5; ++step) {
        ZBDLL_NextFrame();
        for (int k = 0; k < 8; ++k)
            expected.push_back(float(cell(k, 5).elongation));
    }
    EXPECT_EQ(ZBDLL_ReadProbes(buffer, 7), 0) << "not one whole step fits";
    EXPECT_EQ(ZBDLL_ReadProbes(nullptr, 64), 0);
    ASSERT_EQ(ZBDLL_ReadProbes(buffer, 23), 2) << "two whole steps fit into 23";
    EXPECT_EQ(std::vector<float>(buffer, buffer + 16),
              std::vector<float>(expected.begin(), expected.begin() + 16));
    ASSERT_EQ(ZBDLL_ReadProbes(buffer, 64), 3) << "the rest";
    EXPECT_EQ(std::vector<float>(buffer, buffer + 24),
              std::vector<float>(expected.begin() + 16, expected.end()));
    EXPECT_EQ(ZBDLL_ReadProbes(buffer, 64), 0) << "drained";

    // A reset discards probes and samples; so does going back to the state at load.
    ZBDLL_NextFrame();
    ZBDLL_ResetAll();
    EXPECT_EQ(ZBDLL_ReadProbes(buffer, 64), 0);
    EXPECT_EQ(gEngine.probes.count, 0);
    excitedPool();
    ZBDLL_AddProbe(1, 1, 0);
    ZBDLL_NextFrame();
    restoreLoadState();
    EXPECT_EQ(gEngine.probes.count, 0);
    EXPECT_EQ(ZBDLL_ReadProbes(buffer, 64), 0);
}

TEST_F(Probes, AFullStoreDropsTheOldestSteps) {
    excitedPool();
    ZBDLL_AddProbe(8, 8, 0);
    ZBDLL_AddProbe(2, 12, 0);
    const int total = kProbeStoreSteps + 1000;
    std::vector<float> expected;
    for (int step = 0; step < total; ++step) {
        ZBDLL_NextFrame();
        expected.push_back(float(cell(8, 8).elongation));
        expected.push_back(float(cell(2, 12).elongation));
    }
    const std::vector<float> got = drainAll(2);
    ASSERT_EQ(got.size(), size_t(kProbeStoreSteps) * 2);
    EXPECT_EQ(got, std::vector<float>(expected.end() - kProbeStoreSteps * 2, expected.end()));

    // The ring keeps its order across its end after a partial drain.
    float some[6];
    for (int step = 0; step < 10; ++step)
        ZBDLL_NextFrame();
    ASSERT_EQ(ZBDLL_ReadProbes(some, 6), 3);
    EXPECT_EQ(drainAll(2).size(), 14u);
}

// A plane wave along a chain of oscillators (a pool one column wide), driven at one end. For this
// chain the step's dispersion is sin(w dt / 2) = dt sqrt(K c / 2) sin(k / 2) with K = 10000/3.
TEST_F(Probes, SeriesShowTheWavesPeriodAndPhase) {
    const double coupling = 16.0;
    const double dt = double(gEngine.simSpeed);
    const int halfWave = 12; // oscillators
    const double k = std::numbers::pi / halfWave;
    const double a = dt * std::sqrt(10000.0 / 3.0 * coupling / 2.0);
    const double omega = 2.0 * std::asin(a * std::sin(k / 2.0)) / dt;
    const double periodSteps = 2.0 * std::numbers::pi / omega / dt;

    newPool(1, 3000, 0.0, coupling); // the far end's reflection never comes back in time
    ZBDLL_AddExciter(0, 0, 1, 1, 0, omega, 0.1, true);
    const int near = 40;
    ZBDLL_AddProbe(0, near, 0xff0000);
    ZBDLL_AddProbe(0, near + halfWave, 0x0000ff);
    ZBDLL_SetPaused(false);
    const int settle = 400; // the front has passed both probes by then
    const int steps = settle + 1200;
    for (int s = 0; s < steps; ++s)
        ZBDLL_NextFrame();
    const std::vector<float> all = drainAll(2);
    ASSERT_EQ(all.size(), size_t(steps) * 2);

    // Rising zero crossings of the first probe, interpolated between steps.
    std::vector<double> rising;
    for (int s = settle + 1; s < steps; ++s) {
        const double before = all[size_t(s - 1) * 2], after = all[size_t(s) * 2];
        if (before < 0.0 && after >= 0.0)
            rising.push_back(s - 1 + before / (before - after));
    }
    ASSERT_GE(rising.size(), 10u);
    const double measured = (rising.back() - rising.front()) / double(rising.size() - 1);
    EXPECT_NEAR(measured, periodSteps, 0.01 * periodSteps);

    // Phases by projection onto the drive over whole periods.
    const int periods = int((steps - settle) / periodSteps);
    const int span = int(std::lround(periods * periodSteps));
    double phase[2];
    for (int p = 0; p < 2; ++p) {
        double re = 0, im = 0;
        for (int s = settle; s < settle + span; ++s) {
            const double x = all[size_t(s) * 2 + size_t(p)];
            re += x * std::cos(omega * dt * s);
            im += x * std::sin(omega * dt * s);
        }
        phase[p] = std::atan2(im, re);
    }
    double difference = std::remainder(phase[0] - phase[1], 2 * std::numbers::pi);
    EXPECT_NEAR(std::abs(difference) * 180.0 / std::numbers::pi, 180.0, 10.0);
}

} // namespace zb::test
