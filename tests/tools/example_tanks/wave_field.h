// The probe of the tank tests: the steady field the engine core settles into, read straight from
// the oscillators, and the measures taken from it.
#pragma once

#include "sim/engine_state.h"
#include "zbengine.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>
#include <utility>
#include <vector>

namespace zb {

using Complex = std::complex<double>;
constexpr double kPi = std::numbers::pi;
// How closely a stated fraction of an amplitude must hold, as a fraction of the amplitude.
constexpr double kTolerance = 0.03;

// The front end's time step at the start position of the speed slider and at its end.
constexpr float kDefaultStep = 0.0025f;
constexpr float kFastestStep = 0.0121f;

inline Oscillator& cell(int i, int j) {
    return gEngine.pool.at(i, j);
}
inline int sizeX() {
    return gEngine.pool.sizeX;
}
inline int sizeY() {
    return gEngine.pool.sizeY;
}

// A fresh engine for a tank test. These tests never draw: like the command-line tool, their steps
// leave the normals out, which changes no height and takes a third of a step.
inline void freshHeadlessEngine() {
    restoreLoadState();
    gEngine.headless = true;
}

inline void runFrames(int frames) {
    for (int f = 0; f < frames; ++f)
        ZBDLL_NextFrame();
}

// Frames until a wave has run the given number of oscillators at coupling c and time step dt:
// the wave speed is sqrt(10000 / 3 * c / 4) oscillators per time unit.
inline int framesToTravel(double oscillators, double coupling, double dt) {
    return int(oscillators / std::sqrt(10000.0 / 3.0 * coupling / 4.0) / dt);
}

// The steady field at the drive's frequency: for every cell the complex amplitude a with
// height = Re(a exp(i omega t)), taken over whole periods.
class Field {
  public:
    Field(double omega, int periods, double dt) : a_(size_t(sizeX()) * size_t(sizeY())) {
        const int frames = int(std::lround(periods * 2 * kPi / omega / dt));
        for (int f = 0; f < frames; ++f) {
            ZBDLL_NextFrame();
            const Complex turn = std::polar(2.0 / frames, -omega * double(gEngine.simTime));
            for (int j = 0; j < sizeY(); ++j)
                for (int i = 0; i < sizeX(); ++i)
                    a_[index(i, j)] += cell(i, j).elongation * turn;
        }
    }

    Complex at(int i, int j) const { return a_[index(i, j)]; }
    double amplitude(int i, int j) const { return std::abs(at(i, j)); }

    // Wavelength along a straight run of cells from (i, j) in steps of (di, dj), from
    // a(s + 1) + a(s - 1) = 2 cos(k) a(s): a wave and its reflection back along the run obey it
    // alike, and waves crossing the run at a slant weigh in only with their share of the power.
    double wavelengthAlong(int i, int j, int di, int dj, int steps) const {
        double sum = 0, norm = 0;
        for (int s = 1; s < steps; ++s) {
            const Complex c = at(i + s * di, j + s * dj);
            sum += std::real(std::conj(c) * (at(i + (s + 1) * di, j + (s + 1) * dj) +
                                             at(i + (s - 1) * di, j + (s - 1) * dj)));
            norm += 2 * std::norm(c);
        }
        return 2 * kPi * std::hypot(di, dj) / std::acos(std::clamp(sum / norm, -1.0, 1.0));
    }

    // Components |kx|, |ky| of the wave vector over a patch of cells. Any sum of waves whose
    // wave vectors differ only in the signs of their components obeys
    // a(i + 1) + a(i - 1) = 2 cos(kx) a(i), and likewise along y: so a wave and its reflection
    // at a row or column do not disturb the estimate.
    std::pair<double, double> waveVector(int i0, int i1, int j0, int j1) const {
        double sx = 0, sy = 0, norm = 0;
        for (int j = j0; j <= j1; ++j)
            for (int i = i0; i <= i1; ++i) {
                const Complex c = std::conj(at(i, j));
                sx += std::real(c * (at(i + 1, j) + at(i - 1, j)));
                sy += std::real(c * (at(i, j + 1) + at(i, j - 1)));
                norm += 2 * std::norm(at(i, j));
            }
        return {std::acos(std::clamp(sx / norm, -1.0, 1.0)),
                std::acos(std::clamp(sy / norm, -1.0, 1.0))};
    }

    // Wavelength over a patch of cells: from the components of the wave vector, so that it holds
    // for a front of any direction or curvature.
    double wavelengthOver(int i0, int i1, int j0, int j1) const {
        const auto [kx, ky] = waveVector(i0, i1, j0, j1);
        return 2 * kPi / std::hypot(kx, ky);
    }

    // Along column i between rows j0 and j1 the field is a wave running towards larger j and one
    // running back, of one wavenumber k: a(j) = towards e^(-ik(j - ref)) + back e^(ik(j - ref)).
    // Least squares gives both amplitudes at the reference row.
    struct TwoWaves {
        double k;
        Complex towards, back;
        Complex reflection() const { return back / towards; }
    };
    TwoWaves twoWaves(int i, int j0, int j1, int ref) const {
        double sum = 0, norm = 0;
        for (int j = j0; j <= j1; ++j) {
            sum += std::real(std::conj(at(i, j)) * (at(i, j + 1) + at(i, j - 1)));
            norm += 2 * std::norm(at(i, j));
        }
        const double k = std::acos(std::clamp(sum / norm, -1.0, 1.0));
        Complex m11 = 0, m12 = 0, m22 = 0, r1 = 0, r2 = 0;
        for (int j = j0; j <= j1; ++j) {
            const Complex e1 = std::polar(1.0, -k * (j - ref));
            const Complex e2 = std::conj(e1);
            m11 += std::norm(e1);
            m12 += std::conj(e1) * e2;
            m22 += std::norm(e2);
            r1 += std::conj(e1) * at(i, j);
            r2 += std::conj(e2) * at(i, j);
        }
        const Complex det = m11 * m22 - m12 * std::conj(m12);
        return {k, (r1 * m22 - m12 * r2) / det, (m11 * r2 - std::conj(m12) * r1) / det};
    }

  private:
    size_t index(int i, int j) const { return size_t(i) + size_t(j) * size_t(sizeX()); }
    std::vector<Complex> a_;
};

// The place of the extremum of a sampled curve near sample n, from the parabola through it and
// its neighbours.
inline double refinedExtremum(const std::vector<double>& y, size_t n) {
    const double l = y[n - 1], m = y[n], r = y[n + 1];
    const double curvature = l - 2 * m + r;
    return curvature == 0 ? double(n) : double(n) + 0.5 * (l - r) / curvature;
}

// The half angle in degrees of the cone behind a source at (sourceX, midY) running along +x. In
// each second column from `from` to 30 before the source the cone's edge is where the swing,
// seen from the border, first reaches a hundredth of the column's largest; a line fitted through
// these edges gives the angle. edges: how many were found; 0 when a column holds no wave at all.
inline double coneHalfAngle(double sourceX, int midY, int from, int& edges) {
    double sx = 0, sy = 0, sxx = 0, sxy = 0;
    edges = 0;
    for (int i = from; i <= int(sourceX) - 30; i += 2) {
        double peak = 0;
        for (int j = 0; j < sizeY(); ++j)
            peak = std::max(peak, std::abs(cell(i, j).elongation));
        if (peak == 0) {
            edges = 0;
            return 0;
        }
        for (int side : {-1, 1}) {
            for (int d = midY - 1; d > 0; --d) {
                if (std::abs(cell(i, midY + side * d).elongation) >= 0.01 * peak) {
                    const double x = sourceX - i;
                    sx += x;
                    sy += d;
                    sxx += x * x;
                    sxy += x * d;
                    ++edges;
                    break;
                }
            }
        }
    }
    const double slope = (edges * sxy - sx * sy) / (edges * sxx - sx * sx);
    return std::atan(slope) * 180 / kPi;
}

} // namespace zb
