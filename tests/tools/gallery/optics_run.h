// What the claims of the optics experiments share: a gallery tank run as the program runs it, at
// the step of its display's speed, and the measures taken from it.
#pragma once

#include "model/simulation_speed.h"
#include "model/tank.h"
#include "wave_field.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

namespace zb::optics {

// The time step a run of the tank starts at: that of its display's speed position.
inline float runStep(const TZBecken& tank) {
    return timeStepOfSpeed(tank.Anzeige ? tank.Anzeige->Geschwindigkeit : kStartSpeedPosition);
}

// Sends the tank to a fresh engine and starts the run, exciters on.
inline void startRun(const TZBecken& tank) {
    freshHeadlessEngine();
    tank.TransferToEngine();
    ZBDLL_SetSimulationSpeed(runStep(tank));
    ZBDLL_SetPaused(false);
}

// The record of the first object of type R; the test fails without one.
template <class R>
R& firstOf(TZBecken& tank) {
    for (int k = 0; k < tank.Objekte->Count(); ++k)
        if (R* r = tank.Objekte->at(k).record<R>())
            return *r;
    ADD_FAILURE() << "the tank lacks an object of this kind";
    static R none;
    return none;
}

// A copy of the tank without its objects of type R: the run without the lens or mirror, whose
// field the tank's is compared with.
template <class R>
TZBecken without(const TZBecken& tank) {
    TZBecken copy(tank);
    for (int k = copy.Objekte->Count() - 1; k > 0; --k)
        if (copy.Objekte->at(k).record<R>())
            copy.Objekte->remove(k);
    return copy;
}

// The steady field of a run of the tank after a wave has had time to cross the given number of
// oscillators at the tank's coupling.
inline Field steadyField(const TZBecken& tank, double omega, double oscillators, int periods = 2) {
    startRun(tank);
    runFrames(framesToTravel(oscillators, tank.StandardKopplung, double(runStep(tank))));
    return Field(omega, periods, double(runStep(tank)));
}

// Angle in degrees between a wave's direction and the y axis, from the components of its wave
// vector over a patch: the angle against the normal of a boundary along x.
inline double angleFromNormal(const Field& field, int i0, int i1, int j0, int j1) {
    const auto [kx, ky] = field.waveVector(i0, i1, j0, j1);
    return std::atan2(kx, ky) * 180 / kPi;
}

// Angle in degrees of a wave's direction against the y axis (positive towards +x), from the mean
// phase step along x and along y over a patch, the field being e^(-i k·r) of a wave running along
// k: a weaker wave running elsewhere through the patch shifts it only by its share of the power.
inline double directionFromNormal(const Field& field, int i0, int i1, int j0, int j1) {
    Complex stepX = 0, stepY = 0;
    for (int j = j0; j <= j1; ++j)
        for (int i = i0; i <= i1; ++i) {
            stepX += field.at(i + 1, j) * std::conj(field.at(i, j));
            stepY += field.at(i, j + 1) * std::conj(field.at(i, j));
        }
    return std::atan2(-std::arg(stepX), -std::arg(stepY)) * 180 / kPi;
}

// The centre of curvature of the fronts near the axis (row cy) behind a lens, as a column: from
// the phase the lens adds (that of the run without it taken off) across the given column,
// phase(y) = k (√(s² + y²) - s) ≈ k y² / (2 s), s the distance of the centre ahead along the
// wave; behind the column (s < 0) when the fronts diverge.
inline double frontCentre(const Field& with, const Field& plain, int column, int cy, int halfWidth,
                          double k) {
    double sumPhase = 0, sumY4 = 0;
    for (int side : {-1, 1}) {
        double phase = 0;
        for (int y = 1; y <= halfWidth; ++y) {
            auto added = [&](int dy) {
                return with.at(column, cy + dy) / plain.at(column, cy + dy);
            };
            phase += std::arg(added(side * y) / added(side * (y - 1)));
            sumPhase += phase * y * y;
            sumY4 += double(y) * y * y * y;
        }
    }
    return column + k / (2 * sumPhase / sumY4);
}

// The places where the elongation along a row changes sign between columns i0 and i1, refined
// linearly between the cells.
inline std::vector<double> zeroCrossings(int j, int i0, int i1) {
    std::vector<double> at;
    for (int i = i0; i < i1; ++i) {
        const double a = cell(i, j).elongation, b = cell(i + 1, j).elongation;
        if ((a < 0) != (b < 0))
            at.push_back(i + a / (a - b));
    }
    return at;
}

// The wavelength between columns i0 and i1 of row j from the zero crossings there: two per
// wavelength. NaN with fewer than three.
inline double wavelengthFromCrossings(int j, int i0, int i1) {
    const std::vector<double> at = zeroCrossings(j, i0, i1);
    if (at.size() < 3)
        return std::nan("");
    return 2 * (at.back() - at.front()) / double(at.size() - 1);
}

// The column of the largest value(i) for i in [i0, i1], refined by the parabola through its
// neighbours.
inline double peakAlong(int i0, int i1, const std::function<double(int)>& value) {
    std::vector<double> v;
    for (int i = i0 - 1; i <= i1 + 1; ++i)
        v.push_back(value(i));
    size_t best = 1;
    for (size_t n = 1; n + 1 < v.size(); ++n)
        if (v[n] > v[best])
            best = n;
    return i0 - 1 + refinedExtremum(v, best);
}

} // namespace zb::optics
