// The one clock the user sees. The exciter box states a period as T = 50000 / Frequenz ms of
// simulated time ("Simulationszeit"), while the engine advances an exciter's phase by Frequenz per
// unit of its own time (period 2π / Frequenz). Every time shown or written is the engine's time
// times this factor, so that a period read off any readout equals the exciter box's T.
#pragma once

#include <numbers>

namespace zb {

constexpr double kSecondsPerEngineTime = 25.0 / std::numbers::pi; // 50 / (2π)

constexpr double simulationSeconds(double engineTime) {
    return engineTime * kSecondsPerEngineTime;
}

} // namespace zb
