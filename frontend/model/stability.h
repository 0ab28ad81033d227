// The largest time step at which the engine's step stays stable for a tank.
//
// The step is semi-implicit Euler over v' = K·c·(mean of the free neighbours − h) with
// K = 10000/3 and c the cell's coupling. Its fastest mode, neighbours in opposite phase, has
// ω² = 2·K·c, and the scheme keeps a mode bounded only while ω·dt ≤ 2, that is
// dt ≤ √(2/(K·c)): 0.01225 at coupling 4, 0.00894 at 7.5. Above it that mode grows by a factor
// every step and the field turns into infinities and NaN within a few hundred steps. Edges,
// walls and mixed couplings change nothing: each row of the step's matrix is bounded by 2·c of
// its own cell, so the largest coupling decides.
#pragma once

#include <optional>
#include <string>

namespace zb {

class TZBecken;

// A run keeps this fraction of the limit. At the limit itself the fastest mode neither grows
// nor shrinks in exact arithmetic (a double eigenvalue −1, so it still grows linearly), and the
// engine's float time step and coupling can tip it over; 2 % below, it only turns on the unit
// circle, and 2 % of the speed is not visible on the slider.
constexpr double kStableTimeStepMargin = 0.98;

// The first value of the tank with which no time step is stable, as a German sentence naming the
// object, the field and its allowed range ("Die Kopplung des Materialübergangs „Glas“ ist −3;
// erlaubt sind Werte ab 0."); none when every value is allowed. Checked in the tank's order:
// its own coupling and damping, then every material change's. A coupling below 0 (or no finite
// number, as the engine holds it) pushes the field away from rest; a damping below 0 makes every
// swing grow, one above 1 turns the velocity round at every step, and then the long waves grow.
// Coupling 0, which the editor offers, only leaves the cells uncoupled: the field stays bounded.
// Only hand-made files hold the refused values; a run refuses them.
std::optional<std::string> unstableValue(const TZBecken& tank);

// √(2/(K·c)) for one coupling, as the engine holds it (a float). Couplings of 0 or below set no
// limit: +infinity (a negative coupling makes the field grow at any step size, which no time
// step cures, and the editor offers none). A coupling that is no finite number gives 0: no step
// is stable.
double stabilityLimit(double coupling);

// The largest coupling of the tank: its own and that of every material change, whether or not
// the change reaches a row of the pool.
double largestCoupling(const TZBecken& tank);

// The largest time step a run of this tank may use: kStableTimeStepMargin of the limit of its
// largest coupling; +infinity when no coupling is above 0, 0 when one is no finite number.
// The speed slider of the window and `zbtool simulate --dt` are both capped here.
double maxStableTimeStep(const TZBecken& tank);

} // namespace zb
