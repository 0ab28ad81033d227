// What a run needs from the window's panels. The run controller knows no widgets: the window
// hands it one of these, so that the run's steps can be followed and tested without them.
#pragma once

#include <QString>

namespace zb::ui {

// Where the run's camera stands, as the engine's camera call takes it.
struct RunCamera {
    double sx = 0.5; // along the tank, 0 to 1
    double h = 0.0;  // height over the water
    double d = 0.5;  // distance in front of the tank
};

class RunView {
  public:
    virtual ~RunView() = default;

    // The run's panel in place of the editing one, its controls in their starting positions
    // (they tell the engine their values); speeds above maxTimeStep stay closed.
    virtual void showRunPanel(double maxTimeStep) = 0;
    // The run's panel and the probes' band go away.
    virtual void hideRunPanel() = 0;
    // The editing panels come back (after in3dMode has been cleared).
    virtual void showEditPanels() = 0;
    // The display settings to the engine.
    virtual void applyDisplay() = 0;
    virtual void setEnginePaused(bool paused) = 0;
    // The field broke down: the run's controls go to "paused".
    virtual void pauseControls() = 0;
    virtual void showSimulationTime(double time) = 0;
    // An empty text clears the rate.
    virtual void showFrameRate(const QString& text) = 0;
    // The tank's tilt in degrees and the camera the run's sliders ask for.
    virtual double poolAngle() const = 0;
    virtual RunCamera camera() const = 0;
    // The top view: shown only when the engine holds the tank; redrawn after a transfer.
    virtual void showTank(bool shown) = 0;
    virtual void updateTopView() = 0;
    // The probes' band: shown when there are probes, spanning timeSpan of the engine's time.
    virtual void showProbes(bool any, double timeSpan) = 0;
    virtual void probesSampled() = 0;
};

} // namespace zb::ui
