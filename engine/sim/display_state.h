// What the display beyond the designed colours keeps: its settings and the time averages it
// shows. Nothing here is read by the step; the records are never written.
#pragma once

#include "sim/pool.h"

#include <cstdint>
#include <vector>

namespace zb {

// The squared elevations along one screen's line, averaged over time.
struct ScreenAverage {
    std::vector<float> values; // one per node of the line; empty while it lies outside the pool
    uint64_t samples = 0;      // steps averaged since the last restart
};

struct DisplayState {
    int32_t colorMode = 0;    // 0 designed colours, 1 elevation, 2 intensity
    float heightScale = 1.0f; // factor on the drawn heights
    bool screenIntensity = false;
    float timeAtBuild = 0.0f; // simTime when the pool was built
    // Time constant of the averages, engine time units; 0 while not yet taken from the exciters,
    // negative when they give none (then a fixed number of steps is used).
    double timeConstant = 0.0;

    // Per cell, for a pool of cellsX x cellsY; kept across rebuilds at the same size like the
    // pool's own arrays, released when the size changes.
    int32_t cellsX = 0;
    int32_t cellsY = 0;
    CArray<float> intensity; // average of the elevation squared, while colour mode 2 is set
    uint64_t intensitySamples = 0;
    CArray<uint32_t> colors;  // RGBA bytes drawn in colour modes 1 and 2
    float elevationRange = 0; // elevation drawn at full crest or trough colour; 0: none yet
    float intensityScale = 0; // intensity drawn at the light end; 0: none yet

    std::vector<ScreenAverage> screens; // in the order the screens were added

    // The cells whose height was no finite number at the last ZBDLL_MarkNonFinite, in the
    // records' order; drawn in violet until the pool is built anew.
    std::vector<uint32_t> nonFinite;
};

} // namespace zb
