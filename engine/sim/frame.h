// The frame driver shared by stepping and drawing.
#pragma once

namespace zb {

// Nothing without a pool. Otherwise one time step when step is set and the run is not paused
// (time advances first, so the step after a reset runs at t = simSpeed), then the frame is
// drawn when draw is set. Returns whether a frame was drawn and presented.
bool runFrame(bool step, bool draw, bool drawScreens, bool drawProfiles);

// Whether frames show the lit relief, the only view that reads the normals. Once a context
// exists, steps compute them only then.
bool litReliefShown();

// For a frame about to be drawn: when it shows the lit relief, brings the normals up to date
// where steps left them out.
void refreshStaleNormals();

} // namespace zb
