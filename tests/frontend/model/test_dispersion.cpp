// Where the grid stops carrying waves: axis waves end at (2/dt)·sin(ω·dt/2) = √(K·c), diagonal
// ones at √2 times that; in between only slanted waves run.
#include "model/dispersion.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace zb {
namespace {

constexpr double kDt = 0.0025; // a run's start step
constexpr double kCoupling = 4.0;

// The angular frequency at which (2/dt)·sin(ω·dt/2) reaches factor·√(K·c).
double cutOff(double factor) {
    const double dt = double(float(kDt));
    return 2.0 / dt * std::asin(dt * factor * std::sqrt(kSpring * kCoupling) / 2.0);
}

TEST(GridWave, AxisWavesEndAtTheAxisCutOffAndSlantedOnesAtTheDiagonalOne) {
    const double axis = cutOff(1.0), diagonal = cutOff(std::numbers::sqrt2);
    EXPECT_NEAR(axis, 115.87, 0.01);
    EXPECT_NEAR(diagonal, 164.45, 0.01);

    const GridWave below = gridWave(axis * (1 - 1e-6), kDt, kCoupling);
    EXPECT_EQ(below.reach, WaveReach::AllDirections);
    EXPECT_EQ(below.wavelength, discreteWavelength(axis * (1 - 1e-6), kDt, kCoupling));
    // Just above the axis cut-off an axis wave would be two oscillators long; the diagonal one
    // spans two diagonal steps.
    const GridWave above = gridWave(axis * (1 + 1e-6), kDt, kCoupling);
    EXPECT_EQ(above.reach, WaveReach::DiagonalOnly);
    EXPECT_NEAR(above.wavelength,
                2.0 * std::numbers::pi / (2.0 * std::numbers::sqrt2 * std::asin(std::sqrt(0.5))),
                1e-3);
    // A point exciter at ω = 140 was seen to radiate with λ ≈ 2,2 in the engine.
    const GridWave between = gridWave(140.0, kDt, kCoupling);
    EXPECT_EQ(between.reach, WaveReach::DiagonalOnly);
    EXPECT_NEAR(between.wavelength, 2.2, 0.05);
    EXPECT_EQ(gridWave(diagonal * (1 - 1e-6), kDt, kCoupling).reach, WaveReach::DiagonalOnly);
    EXPECT_EQ(gridWave(diagonal * (1 + 1e-6), kDt, kCoupling).reach, WaveReach::None);
    EXPECT_EQ(gridWave(diagonal * (1 + 1e-6), kDt, kCoupling).wavelength, 0.0);
    EXPECT_EQ(gridWave(100.0, kDt, 0.0).reach, WaveReach::None);
    EXPECT_EQ(gridWave(100.0, kDt, -4.0).reach, WaveReach::None);
}

// T = 2500 ms of Simulationszeit is Frequenz 20; λ there is 18,05 oscillators at coupling 4.
TEST(GridWave, PhaseSpeedIsTheWavelengthPerPeriodInSeconds) {
    const double lambda = discreteWavelength(20.0, kDt, kCoupling);
    EXPECT_NEAR(lambda, 18.05, 0.01);
    EXPECT_NEAR(phaseSpeed(lambda, 20.0), lambda / 2.5, 1e-12);
}

} // namespace
} // namespace zb
