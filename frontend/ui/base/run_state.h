// Where the main window stands: free mode or a guided sequence, and whether a run is on. One
// record, read by whoever draws, so that no two places can disagree about it.
#pragma once

#include <cstdint>

namespace zb::ui {

struct RunState {
    int32_t tutorialSequence = 0;  // 0 free mode, 1 introduction, 2 experiment series
    int32_t tutorialStep = 0;      // 1-based step of the sequence
    bool simulationStopped = true; // no run, or a stop has been requested
    bool running = false;          // a run draws its frames
    bool in3dMode = false;         // the run's relief is shown; the top view leaves the camera
    bool enginePaused = true;      // what the engine was last told: a paused run draws on demand
};

} // namespace zb::ui
