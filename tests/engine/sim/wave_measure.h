// Measuring waves in the engine's tank: the discrete dispersion in any direction, and the complex
// amplitude of the steady field at the exciters' frequency.
#pragma once

#include "sim/engine_state.h"
#include "sim/step.h"

#include <cmath>
#include <complex>
#include <vector>

namespace zb::test {

constexpr float kStartSpeed = 0.00312f; // the engine's time step until a run sets one
// The speed slider's last position (150 of timeStepOfSpeed), stable up to coupling 8.
constexpr float kTopSpeed = 0.0121f;

// The grid's side of the dispersion relation: a plane wave of wave vector (kx, ky) and angular
// frequency omega satisfies sin²(kx/2) + sin²(ky/2) = S² with S = 2 sin(omega dt/2) / (dt √(K c)).
inline double dispersionSide(double omega, double dt, double coupling) {
    return 2.0 * std::sin(omega * dt / 2.0) / (dt * std::sqrt(kCouplingScale * coupling));
}

// The wave number of a plane wave of angular frequency omega running at angle phi (radians)
// to the grid's x axis; bisection, as the left side grows with k up to the cut-off.
inline double waveNumber(double omega, double dt, double coupling, double phi) {
    const double s = dispersionSide(omega, dt, coupling);
    const double cx = std::cos(phi);
    const double cy = std::sin(phi);
    auto side = [&](double k) {
        const double a = std::sin(k * cx / 2.0);
        const double b = std::sin(k * cy / 2.0);
        return a * a + b * b;
    };
    double lo = 0.0;
    double hi = M_PI / std::max(std::fabs(cx), std::fabs(cy));
    for (int n = 0; n < 100; ++n) {
        const double mid = (lo + hi) / 2.0;
        (side(mid) < s * s ? lo : hi) = mid;
    }
    return (lo + hi) / 2.0;
}

// The complex amplitude U of every node, h = Re(U e^{iωt}), after settle steps: taken over a
// whole period of stepsPerPeriod steps (the exciters' omega = 2π / (stepsPerPeriod dt)).
struct SteadyField {
    int nx = 0, ny = 0;
    std::vector<std::complex<double>> u;
    std::complex<double> at(int i, int j) const { return u[size_t(i + j * nx)]; }
    double intensity(int i, int j) const { return std::norm(at(i, j)); }
};

inline double omegaOfPeriod(int stepsPerPeriod, float dt) {
    return 2.0 * M_PI / (stepsPerPeriod * double(dt));
}

inline SteadyField steadyField(float dt, int settleSteps, int stepsPerPeriod) {
    Pool& p = gEngine.pool;
    SteadyField f;
    f.nx = p.sizeX;
    f.ny = p.sizeY;
    f.u.assign(p.cellCount(), 0.0);
    float t = 0.0f;
    for (int n = 0; n < settleSteps; ++n) {
        t += dt;
        stepPool(p, dt, t, true, false);
    }
    for (int n = 0; n < stepsPerPeriod; ++n) {
        t += dt;
        stepPool(p, dt, t, true, false);
        // The engine's own time, so that the phase follows the drive.
        const std::complex<double> turn =
            std::polar(2.0 / stepsPerPeriod, -2.0 * M_PI * (n + settleSteps + 1) / stepsPerPeriod);
        for (size_t k = 0; k < p.cellCount(); ++k)
            f.u[k] += p.oscillators[k].elongation * turn;
    }
    return f;
}

} // namespace zb::test
