// The wavelength an exciter makes in the tank, from the engine's discrete update rather than the
// continuum wave equation, which is 9 % off at short waves.
//
// The step is v += dt·K·c·(mean of the 4 neighbours − h), then h += dt·v, with K = 10000/3. A
// plane wave along a grid axis, h = cos(k·x − ω·t), has mean − h = −sin²(k/2)·h, and the scheme
// turns it with (2/dt)·sin(ω·dt/2) = √(K·c)·sin(k/2); in any direction the right side is
// √(K·c)·√(sin²(kx/2) + sin²(ky/2)), which reaches √(K·c) along the axes and √(K·c)·√2 along the
// diagonals. Damping is left out: the tank's is small, and it shifts the wavelength by its square
// only.
#pragma once

#include <cstdint>

namespace zb {

class TZBecken;

// The factor the engine's step puts before coupling · (mean of the neighbours − height).
constexpr double kSpring = 10000.0 / 3.0;

// The wavelength in oscillators of a plane wave at angular frequency omega (the exciter's
// Frequenz), for time step dt and coupling c. 0 when no wave of this frequency propagates: the
// period is shorter than the grid's shortest one, or c or dt is not above 0.
double discreteWavelength(double omega, double dt, double coupling);

// Between the two cut-offs the grid still carries waves, but only those running at a slant to it.
enum class WaveReach { AllDirections, DiagonalOnly, None };

struct GridWave {
    WaveReach reach;
    // Along the axes (discreteWavelength) when the wave runs in every direction, else along a
    // diagonal; 0 for None.
    double wavelength;
};

GridWave gridWave(double omega, double dt, double coupling);

// The phase speed λ/T in oscillators per second of Simulationszeit, T being the exciter's period
// 2π/omega in the engine's time.
double phaseSpeed(double wavelength, double omega);

// The coupling of row y as the engine builds the pool: that of the material change with the
// largest start row not below it (ties: the later one), else the tank's standard coupling.
double couplingOfRow(const TZBecken& tank, int32_t y);

} // namespace zb
