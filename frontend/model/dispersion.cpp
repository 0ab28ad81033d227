#include "model/dispersion.h"
#include "model/simulation_time.h"
#include "model/tank.h"

#include <cmath>

namespace zb {

namespace {

constexpr double kPi = 3.14159265358979323846;

} // namespace

double discreteWavelength(double omega, double dt, double coupling) {
    // The engine holds both as floats.
    const double c = double(float(coupling));
    const double step = double(float(dt));
    if (!(c > 0.0) || !(step > 0.0) || !std::isfinite(omega))
        return 0.0;
    const double halfK =
        2.0 * std::sin(std::abs(omega) * step / 2.0) / (step * std::sqrt(kSpring * c));
    // At |ω|·dt ≥ π the sine folds back: such a drive is beyond any grid wave too.
    if (!(halfK > 0.0) || halfK >= 1.0 || std::abs(omega) * step >= kPi)
        return 0.0;
    return 2.0 * kPi / (2.0 * std::asin(halfK));
}

GridWave gridWave(double omega, double dt, double coupling) {
    const double axis = discreteWavelength(omega, dt, coupling);
    if (axis > 0.0)
        return {WaveReach::AllDirections, axis};
    const double c = double(float(coupling));
    const double step = double(float(dt));
    if (!(c > 0.0) || !(step > 0.0) || !std::isfinite(omega) || std::abs(omega) * step >= kPi)
        return {WaveReach::None, 0.0};
    // Along a diagonal kx = ky = k/√2, so the grid's side is √(K·c)·√2·sin(k/(2√2)).
    const double s =
        2.0 * std::sin(std::abs(omega) * step / 2.0) / (step * std::sqrt(2.0 * kSpring * c));
    if (!(s > 0.0) || s >= 1.0)
        return {WaveReach::None, 0.0};
    return {WaveReach::DiagonalOnly, 2.0 * kPi / (2.0 * std::sqrt(2.0) * std::asin(s))};
}

double phaseSpeed(double wavelength, double omega) {
    return wavelength / simulationSeconds(2.0 * kPi / std::abs(omega));
}

double couplingOfRow(const TZBecken& tank, int32_t y) {
    double coupling = tank.StandardKopplung;
    const TMatUebergang* winner = nullptr;
    for (int k = 0; k < tank.Objekte->Count(); ++k) {
        const TMatUebergang* m = tank.Objekte->at(k).matUebergang();
        // The engine applies the changes by ascending start row, so the last to reach y wins.
        if (m && m->Y <= y && (!winner || m->Y >= winner->Y)) {
            winner = m;
            coupling = m->Kopplung;
        }
    }
    return coupling;
}

} // namespace zb
