// The speed slider's scale: each position is a time step of the engine. The exciter box needs
// the step a run starts at to say which wavelength an exciter makes, before any run exists.
#pragma once

namespace zb {

// The speed position a run starts at.
constexpr int kStartSpeedPosition = 30;

// The time step of a speed position: 0.0001 at 0, 0.00008 more per position.
float timeStepOfSpeed(int position);

// The time step a run starts at for a tank whose largest stable step is maxTimeStep: the start
// position's, or the highest position below it that maxTimeStep still allows.
float startTimeStep(double maxTimeStep);

} // namespace zb
