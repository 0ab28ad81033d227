// Heights along the engine's screens, and their time average of height², the pattern a
// screen in a real ripple tank would show.
#pragma once

#include "engine_view.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace zbtool {

// The float heights along a screen; none when the screen lies outside the pool or there is no
// pool. The engine does not check screen positions, so this must.
std::optional<std::vector<float>> screenHeights(const ZBTOOLS_PoolView& pool,
                                                const ZBTOOLS_Screen& screen);

// The screens and the pool are fixed once the tank is sent, so the engine given to addSample
// must hold the same screens and pool as the one given to the constructor.
class IntensityAverage {
  public:
    explicit IntensityAverage(const EngineView& engine);
    // Adds height² along every screen of the current state as one sample.
    void addSample(const EngineView& engine);
    // Per screen, the mean of height² over the samples; none for a screen outside the pool.
    std::vector<std::optional<std::vector<double>>> averages() const;
    int64_t sampleCount() const { return samples_; }

  private:
    std::vector<std::optional<std::vector<double>>> sums_;
    int64_t samples_ = 0;
};

} // namespace zbtool
