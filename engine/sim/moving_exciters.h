// Exciters that move or pulse. They are written into the grid anew before every step, at their
// current position and strength; the cells they leave become what lay under them again.
//
// Their drive is added to the cells' velocities before the step, never written as the step's own
// prescribed sine: a prescribed cell is a rigid body, which cannot be shared out between
// neighbouring cells by a weight (a cell prescribed with a small weight would be a near-still
// post that appears from nothing, and so radiate the grid's steps). An exciter in sine mode
// instead pulls its cells towards the prescribed displacement in proportion to their weights
// (driveDisplacement); one in acceleration mode adds its acceleration likewise. Added here, a
// pulse's carrier can start at the pulse's own time. The cells carry the exciter flag with
// amplitude 0, which keeps them undamped and coloured as exciters while the step adds nothing of
// its own.
#pragma once

#include "sim/pool.h"

#include <cstdint>
#include <vector>

namespace zb {

struct EngineState;

// A cell an exciter took over, with what it held before: restored when the exciter leaves, unless
// something else has taken the cell since (the exciter's stamp is no longer there).
struct CoveredCell {
    int64_t index;
    uint32_t flags; // the four flag bytes (flagWord)
    float amplitude;
    float omega;
    float color[4];
    double velocity;
};

// The exciter added last, as written by addExciter: its parameters and the cells it took, so that
// ZBDLL_SetExciterMotion can turn it into a moving or pulsed one.
struct LastExciter {
    bool valid = false;
    int32_t centerX = 0, centerY = 0, width = 0, length = 0, angle = 0;
    float omega = 0, amplitude = 0;
    bool sineMode = false;
    std::vector<CoveredCell> covered;
};

struct MovingExciter {
    double startX = 0, startY = 0; // centre at time 0
    double vx = 0, vy = 0;         // oscillators per engine time unit
    double stopTime = 0;           // the centre reaches the pool's border then
    // The cells of the resting exciter relative to its centre, as addExciter chooses them.
    std::vector<int32_t> offsetX, offsetY;
    int32_t minDx = 0, minDy = 0, boxWidth = 0, boxHeight = 0; // offsets' box, one wider
    std::vector<float> weights;                                // scratch over that box
    float omega = 0, amplitude = 0;
    bool sineMode = false;    // a prescribed displacement rather than an added acceleration
    int32_t pulsePeriods = 0; // 0 continuous
    double pulseStart = 0;    // engine time
    uint32_t stampFlags = 0;  // what the current stamp wrote: flag word and amplitude
    float stampAmplitude = 0;
    std::vector<CoveredCell> covered;  // the current stamp's cells
    std::vector<float> coveredWeights; // their weights, in the same order
};

// The envelope of a pulse of n periods of angular frequency omega, at time tau after its start,
// with its first and second derivative in tau: sin² (a Hann window), 0 outside
// [0, n·2π/omega]. Smooth at both ends, so that switching on and off radiates nothing of its own;
// n >= 2 gives the carrier no net push at all.
struct PulseEnvelope {
    double value, first, second;
};
PulseEnvelope pulseEnvelope(double tau, int32_t periods, double omega);

// Turns the exciter added last into a moving or pulsed one (nothing when vx = vy = 0 and no
// pulse: a resting exciter stays as addExciter wrote it).
void setExciterMotion(EngineState& s, double vx, double vy, int32_t pulsePeriods);

// Every pulsed exciter starts its pulse again at the current time.
void triggerPulses(EngineState& s);

// Before a step at time s.simTime: every moving or pulsed exciter is written at its current
// position and strength, and its drive added to the cells' velocities. Nothing without them.
void moveExciters(EngineState& s);

// Forgets every moving exciter and the last exciter (a new pool, or none).
void forgetMovingExciters(EngineState& s);

} // namespace zb
