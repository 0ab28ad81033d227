// How much of a wave the damped edges send back: a wave packet runs into the band and the
// energy that returns is weighed against the energy that went in.
#include "engine_fixture.h"
#include "wave_measure.h"

#include <string>

namespace zb::test {

namespace {

constexpr int kBand = 40;

// The share of the amplitude that a packet of wavelength lambda (oscillators, along the axis)
// brings back from a band of kBand at the bottom of the tank, in a strip two columns wide.
// There every node has three neighbours, so the strip carries a wave along it exactly as the
// open tank carries a plane wave along an axis, once the coupling is scaled by 3/4; the band is
// laid before, for coupling 1. An edge kind below 0 lays no band.
double reflectedShare(double lambda, float dt, int edgeKind) {
    const double k = 2 * M_PI / lambda;
    const double root = std::sqrt(kCouplingScale);
    const double omega = 2 / double(dt) * std::asin(double(dt) * root / 2 * std::sin(k / 2));
    const double group = root / 2 * std::cos(k / 2) / std::cos(omega * double(dt) / 2);
    const double width = 2 * lambda; // of the packet's Gaussian envelope
    const double run = 3.5 * width + 10;
    // The packet starts run above the band. Whatever it sheds upwards at the start must not be
    // back in the rows weighed when the reflection is.
    const int start = int(1.5 * run + 2 * kBand + 2 * width + 30);
    const int ny = int(start + run + kBand);
    ZBDLL_ResetAll();
    ZBDLL_CreateEmptyPool(2, ny, 0.0, 1.0, kBand);
    // Laid at the start speed and retuned to dt, as when the slider moves during a run.
    ZBDLL_SetSimulationSpeed(kStartSpeed);
    if (edgeKind >= 0) {
        ZBDLL_SetEdgeKind(edgeKind);
        ZBDLL_AddEdges(false, true, false, false);
    }
    ZBDLL_SetSimulationSpeed(dt);
    Pool& p = gEngine.pool;
    double sent = 0;
    for (int j = 0; j < ny; ++j) {
        auto envelope = [&](double y) { return std::exp(-0.5 * std::pow((y - start) / width, 2)); };
        // Running downwards: h(y, t) = envelope(y - group t) cos(k y - omega t); the velocity is
        // the step's, (h(0) - h(-dt)) / dt.
        const double h = envelope(j) * std::cos(k * j);
        const double before =
            envelope(j + group * double(dt)) * std::cos(k * j + omega * double(dt));
        for (int i = 0; i < 2; ++i) {
            Oscillator& o = p.at(i, j);
            o.coupling *= 0.75f;
            o.elongation = h;
            o.position.y = float(h);
            o.velocity = (h - before) / double(dt);
        }
        sent += h * h;
    }
    // Back where it started, wherever in the band it turned.
    const int steps = int((2 * run + 2 * kBand) / group / double(dt));
    float t = 0.0f;
    for (int n = 0; n < steps; ++n) {
        t += dt;
        stepPool(p, dt, t, true, false);
    }
    double back = 0;
    for (int j = int(start - run - 2 * kBand); j < ny - kBand; ++j)
        back += p.at(0, j).elongation * p.at(0, j).elongation;
    return std::sqrt(back / sent);
}

} // namespace

using QuietEdgeReflection = EngineTest;

TEST_F(QuietEdgeReflection, QuietBandReturnsUnderTwoPercentAtBothEndsOfTheSpeeds) {
    for (float dt : {kStartSpeed, kTopSpeed}) {
        for (double lambda : {9.0, 18.0, 36.0}) {
            const double r = reflectedShare(lambda, dt, 1);
            RecordProperty("quiet_dt" + std::to_string(dt) + "_lambda" +
                               std::to_string(int(lambda)),
                           std::to_string(r));
            EXPECT_LT(r, 0.02) << "dt " << dt << ", lambda " << lambda;
        }
    }
}

TEST_F(QuietEdgeReflection, DesignedBandReturnsAThirdAndTheMeasureSeesAllOfAWall) {
    const double designed = reflectedShare(18.0, kStartSpeed, 0);
    RecordProperty("designed_lambda18", std::to_string(designed));
    EXPECT_GT(designed, 0.25);
    EXPECT_LT(designed, 0.40);
    // Without any band the strip's end sends everything back: the measure loses nothing.
    EXPECT_NEAR(reflectedShare(18.0, kStartSpeed, -1), 1.0, 0.005);
}

} // namespace zb::test
