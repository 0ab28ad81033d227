// The run's view onto the main window's panels: the simulation group in place of the editing
// panel, the run's camera from its sliders, the top view and the probes' band of the view frame.
#pragma once

#include "model/simulation_speed.h"
#include "run/run_view.h"

class QWidget;

namespace zb::ui {

class SimulationGroup;
class TFrame2;
struct RunState;

class RunPanels : public RunView {
  public:
    RunPanels(TFrame2& frame, SimulationGroup& group, QWidget& editPanel, const RunState& run)
        : frame_(frame), group_(group), editPanel_(editPanel), run_(run),
          startSpeed_(kStartSpeedPosition) {}

    void showRunPanel(double maxTimeStep) override;
    void hideRunPanel() override;
    void showEditPanels() override;
    void applyDisplay() override;
    void setEnginePaused(bool paused) override;
    void pauseControls() override;
    void showSimulationTime(double time) override;
    void showFrameRate(const QString& text) override;
    double poolAngle() const override;
    RunCamera camera() const override;
    void showTank(bool shown) override;
    void updateTopView() override;
    void showProbes(bool any, double timeSpan) override;
    void probesSampled() override;

    // The speed position each run starts at (the slider's cap may hold it lower).
    void setStartSpeed(int position) { startSpeed_ = position; }

  private:
    TFrame2& frame_;
    SimulationGroup& group_;
    QWidget& editPanel_;
    const RunState& run_;
    int startSpeed_;
};

} // namespace zb::ui
