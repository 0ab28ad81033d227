// Moving and pulsed exciters against the physics they are for: the Doppler shift, the Mach cone
// and a pulse at the group speed, each measured with probes or in the field; and what they leave
// behind in the records.
#include "engine_fixture.h"
#include "model/dispersion.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <numbers>
#include <vector>

namespace zb::test {

using MovingExciters = EngineTest;

namespace {

constexpr double kPi = std::numbers::pi;
constexpr float kDt = 0.01f; // well below the stable step of coupling 1, and few steps

// A one-wide channel: a cell has two neighbours, so mean − h is twice the plane wave's value
// along an axis of the open grid. Its waves are the grid's at twice the coupling.
constexpr double kChannelCoupling = 1.0;
constexpr double kGridCouplingOfChannel = 2.0 * kChannelCoupling;

// Phase speed ω/k of the discrete dispersion, oscillators per engine time unit.
double phaseSpeed(double omega, double coupling) {
    const double wavelength = discreteWavelength(omega, double(kDt), coupling);
    return wavelength * omega / (2.0 * kPi);
}

// Group speed dω/dk of the discrete dispersion: (2/dt)·sin(ω·dt/2) = √(K·c)·sin(k/2).
double groupSpeed(double omega, double coupling) {
    const double k = 2.0 * kPi / discreteWavelength(omega, double(kDt), coupling);
    return std::sqrt(kSpring * double(float(coupling))) / 2.0 * std::cos(k / 2.0) /
           std::cos(omega * double(kDt) / 2.0);
}

// The probes' samples over steps steps, one vector per probe.
std::vector<std::vector<float>> record(int probes, int steps) {
    std::vector<std::vector<float>> series(static_cast<size_t>(probes));
    std::vector<float> chunk(size_t(probes) * 64);
    for (int n = 0; n < steps; ++n) {
        ZBDLL_NextFrame();
        int32_t got;
        while ((got = ZBDLL_ReadProbes(chunk.data(), int32_t(chunk.size()))) > 0)
            for (int32_t s = 0; s < got; ++s)
                for (int p = 0; p < probes; ++p)
                    series[size_t(p)].push_back(chunk[size_t(s * probes + p)]);
    }
    return series;
}

// Angular frequency from the zero crossings of samples [from, to), interpolated linearly.
double measuredOmega(const std::vector<float>& h, int from, int to) {
    std::vector<double> crossings;
    for (int n = from; n + 1 < to; ++n)
        if ((h[size_t(n)] < 0.0f) != (h[size_t(n + 1)] < 0.0f))
            crossings.push_back(n + double(h[size_t(n)]) / double(h[size_t(n)] - h[size_t(n + 1)]));
    if (crossings.size() < 3)
        return 0.0;
    const double halfPeriods = double(crossings.size() - 1);
    return kPi * halfPeriods / ((crossings.back() - crossings.front()) * double(kDt));
}

// Time (in steps) of the centre of the energy that passes a probe.
double energyCentre(const std::vector<float>& h) {
    double sum = 0.0, weighted = 0.0;
    for (size_t n = 0; n < h.size(); ++n) {
        const double e = double(h[n]) * double(h[n]);
        sum += e;
        weighted += e * double(n);
    }
    return weighted / sum;
}

} // namespace

// A source moving at 0.3 c down a channel: a probe ahead hears f·c/(c − v), one behind
// f·c/(c + v), c being the phase speed of the discrete dispersion at f.
TEST_F(MovingExciters, DopplerShiftAheadAndBehind) {
    const int length = 2400, start = 800, ahead = 1200, behind = 500;
    const double omega = 6.0;
    const double c = phaseSpeed(omega, kGridCouplingOfChannel);
    ASSERT_GT(c, 0.0);
    const double v = 0.3 * c;
    newPool(length, 1, 0.0, kChannelCoupling);
    ZBDLL_SetSimulationSpeed(kDt);
    ZBDLL_AddExciter(start, 0, 1, 1, 0, omega, 0.1, true);
    ZBDLL_SetExciterMotion(v, 0.0, 0);
    ZBDLL_AddProbe(ahead, 0, 0xff0000);
    ZBDLL_AddProbe(behind, 0, 0x0000ff);
    ZBDLL_SetPaused(false);
    // The front (at most the long-wave speed) has passed both probes and settled by step 1200;
    // the source reaches the probe ahead after (ahead − start) / v, and the wave reflected at the
    // channel's left end comes back to the probe behind after (start + behind) / c.
    const double c0 = std::sqrt(kSpring * kGridCouplingOfChannel) / 2.0;
    const int from = int(std::ceil(double(ahead - start) / c0 / double(kDt))) + 200;
    const int to =
        int(std::min(double(ahead - start) / v, double(start + behind) / c0) / double(kDt)) - 100;
    ASSERT_GT(to - from, 1500);
    const std::vector<std::vector<float>> h = record(2, to);
    const double heardAhead = measuredOmega(h[0], from, to);
    const double heardBehind = measuredOmega(h[1], from, to);
    EXPECT_NEAR(heardAhead, omega * c / (c - v), 0.03 * omega * c / (c - v));
    EXPECT_NEAR(heardBehind, omega * c / (c + v), 0.03 * omega * c / (c + v));
}

// At v = 2 c the field ends at a cone behind the source whose half-angle is arcsin(c/v). The cone's
// edge in each column is where the field first reaches a tenth of that column's largest swing,
// seen from the pool's border; its slope over many columns gives the angle.
TEST_F(MovingExciters, MachConeAtTwiceTheWaveSpeed) {
    const int nx = 240, ny = 230, startX = 20, midY = ny / 2;
    const double omega = 4.5; // λ ≈ 40: long waves, all at nearly the same speed
    const double c = phaseSpeed(omega, 1.0);
    const double v = 2.0 * c;
    newPool(nx, ny, 0.0, 1.0);
    ZBDLL_SetSimulationSpeed(kDt);
    ZBDLL_AddExciter(startX, midY, 1, 1, 0, omega, 0.1, true);
    ZBDLL_SetExciterMotion(v, 0.0, 0);
    ZBDLL_SetPaused(false);
    const int steps = 350;
    for (int n = 0; n < steps; ++n)
        ZBDLL_NextFrame();
    const double sourceX = startX + v * double(steps) * double(kDt);
    ASSERT_LT(sourceX, nx - 10);

    // Columns well behind the source (its near field blurs the tip) and ahead of where the start's
    // circle and the wave reflected at the left border reach.
    double sx = 0, sy = 0, sxx = 0, sxy = 0;
    int n = 0;
    for (int i = 100; i <= int(sourceX) - 30; i += 2) {
        float peak = 0.0f;
        for (int j = 0; j < ny; ++j)
            peak = std::max(peak, std::abs(cell(i, j).position.y));
        ASSERT_GT(peak, 0.0f) << i;
        for (int side : {-1, 1}) {
            // From the border towards the axis.
            for (int d = midY - 1; d > 0; --d) {
                const float h = std::abs(cell(i, midY + side * d).position.y);
                if (h >= 0.1f * peak) {
                    const double x = sourceX - double(i);
                    sx += x;
                    sy += d;
                    sxx += x * x;
                    sxy += x * d;
                    ++n;
                    break;
                }
            }
        }
    }
    ASSERT_GT(n, 40);
    const double slope = (n * sxy - sx * sy) / (n * sxx - sx * sx);
    const double measured = std::atan(slope) * 180.0 / kPi;
    const double expected = std::asin(c / v) * 180.0 / kPi;
    EXPECT_NEAR(measured, expected, 2.0);
}

// Five periods under their envelope, from an exciter at rest: the energy passes two probes down
// the channel at the group speed of the discrete dispersion, not at the phase speed, which is 8 %
// faster at these short waves.
TEST_F(MovingExciters, PulseTravelsAtTheGroupSpeed) {
    const int length = 1800, source = 400, near = 550, far = 850;
    const double omega = 41.0; // λ ≈ 6 in the channel
    const double group = groupSpeed(omega, kGridCouplingOfChannel);
    const double phase = phaseSpeed(omega, kGridCouplingOfChannel);
    ASSERT_GT(phase, 1.05 * group);
    newPool(length, 1, 0.0, kChannelCoupling);
    ZBDLL_SetSimulationSpeed(kDt);
    ZBDLL_AddExciter(source, 0, 1, 1, 0, omega, 0.1, true);
    ZBDLL_SetExciterMotion(0.0, 0.0, 5);
    ZBDLL_AddProbe(near, 0, 0xff0000);
    ZBDLL_AddProbe(far, 0, 0x0000ff);
    ZBDLL_SetPaused(false);
    // Until the pulse is well past the far probe; the part sent left comes back from the
    // channel's end far later.
    const int steps = int((double(far - source) / group + 5.0) / double(kDt));
    const std::vector<std::vector<float>> h = record(2, steps);
    const double travel = (energyCentre(h[1]) - energyCentre(h[0])) * double(kDt);
    EXPECT_NEAR(double(far - near) / travel, group, 0.03 * group);
}

// After its pulse the exciter's cells are water again (a resting exciter that went on prescribing
// 0 would hold the waves like a wall); ZBDLL_TriggerPulse starts the pulse anew, and disabled
// exciters drive nothing.
TEST_F(MovingExciters, PulseEndsInWaterAndStartsAgainOnRequest) {
    const int pulseSteps = int(std::ceil(2 * 2 * kPi / 20.0 / double(kDt)));
    auto run = [&](bool trigger) {
        newPool(40, 30, 0.0, 1.0);
        ZBDLL_SetSimulationSpeed(kDt);
        ZBDLL_AddExciter(20, 15, 3, 3, 0, 20.0, 0.1, true);
        const Pool before = clonePool(pool());
        ZBDLL_SetExciterMotion(0.0, 0.0, 2);
        ZBDLL_SetPaused(false);
        ZBDLL_NextFrame();
        EXPECT_EQ(exciterCells(), rect(19, 21, 14, 16));
        for (int n = 1; n < pulseSteps + 1; ++n)
            ZBDLL_NextFrame();
        EXPECT_TRUE(exciterCells().empty());
        for (int k = 0; k < 40 * 30; ++k) {
            const Oscillator& a = before.oscillators[size_t(k)];
            const Oscillator& b = pool().oscillators[size_t(k)];
            if (a.exciter) {
                EXPECT_EQ(std::memcmp(b.color, cell(0, 0).color, sizeof b.color), 0) << k;
                EXPECT_EQ(b.amplitude, 0.0f) << k;
            }
        }
        if (trigger)
            ZBDLL_TriggerPulse();
        ZBDLL_NextFrame();
        EXPECT_EQ(exciterCells(), trigger ? rect(19, 21, 14, 16) : CellSet{});
        for (int n = 0; n < 20; ++n)
            ZBDLL_NextFrame();
        return cell(25, 15).elongation;
    };
    const double without = run(false);
    EXPECT_NE(run(true), without) << "the second pulse arrives";

    // Disabled, the pulse's cells are stamped but not driven.
    newPool(40, 30, 0.0, 1.0);
    ZBDLL_AddExciter(20, 15, 3, 3, 0, 20.0, 0.1, false);
    ZBDLL_SetExciterMotion(0.0, 0.0, 2);
    ZBDLL_EnableExciters(false);
    ZBDLL_SetPaused(false);
    for (int n = 0; n < 30; ++n)
        ZBDLL_NextFrame();
    EXPECT_EQ(cell(20, 15).elongation, 0.0);
}

// The records a moving exciter has left are those of the tank without it: material, damped edges
// added after it, a wall and a resting exciter in its way. A resting exciter whose motion is set
// to nothing stays exactly as it was.
TEST_F(MovingExciters, LeavesTheCellsAsTheyWere) {
    auto tank = [](bool mover) {
        newPool(60, 40, 0.002, 1.0, 6);
        ZBDLL_AddMatChange(22, 0.6, 0.01);
        if (mover) {
            ZBDLL_AddExciter(3, 20, 3, 4, 30, 12.0, 0.1, true);
            ZBDLL_SetExciterMotion(20.0, 7.0, 0);
        }
        ZBDLL_AddWall(30, 30, 90, 6, 0, 0, 0);
        ZBDLL_AddExciter(40, 32, 2, 2, 0, 9.0, 0.1, false);
        ZBDLL_AddEdges(true, true, true, true);
        ZBDLL_SetSimulationSpeed(kDt);
        ZBDLL_SetPaused(false);
        for (int n = 0; n < 300; ++n)
            ZBDLL_NextFrame();
    };
    tank(false);
    const Pool without = clonePool(pool());
    tank(true);
    ASSERT_EQ(gEngine.moving.size(), 1u);
    const MovingExciter& m = gEngine.moving[0];
    ASSERT_FALSE(m.covered.empty());
    std::vector<bool> covered(without.cellCount(), false);
    for (const CoveredCell& c : m.covered)
        covered[size_t(c.index)] = true;
    // The centre meets the last row at x = 3 + 20 · 19/7 ≈ 57.3 and stays there.
    EXPECT_TRUE(covered[size_t(57 + 39 * 60)] && covered[size_t(58 + 39 * 60)]);
    for (size_t k = 0; k < without.cellCount(); ++k) {
        if (covered[k])
            continue;
        const Oscillator& a = without.oscillators[k];
        const Oscillator& b = pool().oscillators[k];
        ASSERT_EQ(flagWord(a), flagWord(b)) << k;
        ASSERT_EQ(a.amplitude, b.amplitude) << k;
        ASSERT_EQ(a.omega, b.omega) << k;
        ASSERT_EQ(std::memcmp(a.color, b.color, sizeof a.color), 0) << k;
        ASSERT_EQ(a.dampingFactor, b.dampingFactor) << k;
        ASSERT_EQ(a.coupling, b.coupling) << k;
    }

    // Motion (0, 0) without a pulse: bit for bit the resting exciter.
    auto resting = [](bool setMotion) {
        newPool(30, 30, 0.001, 1.0, 4);
        ZBDLL_AddExciter(10, 12, 3, 3, 20, 15.0, 0.1, true);
        if (setMotion)
            ZBDLL_SetExciterMotion(0.0, 0.0, 0);
        ZBDLL_AddEdges(true, true, true, true);
        ZBDLL_SetPaused(false);
        for (int n = 0; n < 50; ++n)
            ZBDLL_NextFrame();
    };
    resting(false);
    const Pool plain = clonePool(pool());
    resting(true);
    EXPECT_EQ(firstDifference(plain, pool()), -1);
}

// The drive glides from cell to cell: in every step the weights add up to the resting
// footprint's cells, and no cell's weight changes by more than the distance moved allows.
TEST_F(MovingExciters, DriveIsSharedOutSmoothly) {
    newPool(80, 60, 0.0, 1.0);
    ZBDLL_SetSimulationSpeed(kDt);
    ZBDLL_AddExciter(20, 20, 4, 2, 35, 10.0, 0.1, true);
    const double vx = 3.7, vy = 2.3;
    ZBDLL_SetExciterMotion(vx, vy, 0);
    ZBDLL_SetPaused(false);
    const MovingExciter& m = gEngine.moving.at(0);
    const size_t shapeCells = m.offsetX.size();
    ASSERT_EQ(shapeCells, exciterCells().size());
    std::vector<float> last(pool().cellCount(), 0.0f);
    const float bound = float(4.0 * (vx + vy) * double(kDt)) + 1e-5f;
    for (int n = 0; n < 400; ++n) {
        ZBDLL_NextFrame();
        std::vector<float> now(pool().cellCount(), 0.0f);
        double sum = 0.0;
        for (size_t c = 0; c < m.covered.size(); ++c) {
            now[size_t(m.covered[c].index)] += m.coveredWeights[c];
            sum += m.coveredWeights[c];
        }
        ASSERT_NEAR(sum, double(shapeCells), 1e-4) << n;
        if (n > 0) {
            for (size_t k = 0; k < now.size(); ++k)
                ASSERT_LE(std::abs(now[k] - last[k]), bound) << n << " " << k;
        }
        last = now;
    }
}

// Whatever a tank file holds: speeds that are no numbers, too small to move or too large to see,
// periods out of range, exciters far larger than the pool or outside it. Nothing breaks, and the
// centre never leaves the pool it started in.
TEST_F(MovingExciters, AbsurdValuesAreHarmless) {
    const double nan = std::nan(""), inf = HUGE_VAL;
    const struct {
        int cx, cy, width, length;
        double vx, vy;
        int periods;
        bool stays; // where it started, since the speed is no number or too small to move it
    } cases[] = {
        {10, 10, 3, 3, nan, inf, 99, true},
        {10, 10, 3, 3, 5e-324, -5e-324, -4, true},
        {10, 10, 3, 3, 1e308, -1e308, 0, false},
        {-50, 5, 1, 1, 40.0, 0.0, 0, false},
        {5, 5, INT32_MAX, INT32_MAX, 3, 1, 2, false},
        {INT32_MAX, INT32_MIN, 4, 4, -1e9, 1e9, 1, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.cx);
        newPool(30, 20, 0.0, 1.0);
        ZBDLL_SetSimulationSpeed(kDt);
        ZBDLL_AddExciter(c.cx, c.cy, c.width, c.length, 0, 10.0, 0.1, true);
        ZBDLL_SetExciterMotion(c.vx, c.vy, c.periods);
        ZBDLL_SetPaused(false);
        for (int n = 0; n < 30; ++n)
            ZBDLL_NextFrame();
        for (const MovingExciter& m : gEngine.moving) {
            EXPECT_LE(m.weights.size(), size_t(4 * 31 * 21));
            for (const CoveredCell& cc : m.covered)
                EXPECT_LT(size_t(cc.index), pool().cellCount());
        }
        if (c.stays) {
            EXPECT_EQ(exciterCells(), rect(9, 11, 9, 11));
        }
        for (int j = 0; j < 20; ++j)
            for (int i = 0; i < 30; ++i)
                ASSERT_TRUE(std::isfinite(cell(i, j).elongation)) << i << " " << j;
    }
}

// In sine mode a moving exciter keeps the strength of the resting one, also between cells: a
// single cell's waves, drifting one cell sideways, are as high as those of the cell at rest (an
// added acceleration alone would make them twenty times lower).
TEST_F(MovingExciters, SineModeIsAsStrongMovingAsAtRest) {
    auto peakBelow = [](double vx) {
        newPool(120, 120, 0.0, 4.0);
        ZBDLL_SetSimulationSpeed(0.005f);
        ZBDLL_AddExciter(60, 50, 1, 1, 0, 20.0, 0.1, true);
        ZBDLL_SetExciterMotion(vx, 0.0, 0);
        ZBDLL_AddProbe(60, 75, 0xff0000);
        ZBDLL_SetPaused(false);
        // From when the waves have settled at the probe until the border's echo arrives.
        const std::vector<float> h = record(1, 390)[0];
        float peak = 0.0f;
        for (size_t n = 150; n < h.size(); ++n)
            peak = std::max(peak, std::abs(h[n]));
        return double(peak);
    };
    const double resting = peakBelow(0.0);
    ASSERT_GT(resting, 0.0);
    EXPECT_NEAR(peakBelow(0.5), resting, 0.1 * resting);
}

} // namespace zb::test
