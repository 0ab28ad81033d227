// The frame driver shared by stepping and drawing.
#pragma once

namespace zb {

// Nothing without a pool. Otherwise one time step when step is set and the run is not paused
// (time advances first, so the step after a reset runs at t = simSpeed), then the frame is
// drawn when draw is set. Returns whether a frame was drawn and presented.
bool runFrame(bool step, bool draw, bool drawScreens, bool drawProfiles);

} // namespace zb
