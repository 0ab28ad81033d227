// The display a tank brings (colours, heights, view, speed at the start of a run): shown on the
// run's controls in free mode, not remembered as the user's choices. A tank without one gets the
// choices the user made last; a control the user moves becomes his choice as it always was.
// Saving writes the controls' positions into the tank when they differ from the defaults.
#pragma once

#include "base/run_state.h"
#include "model/tank.h"

#include <QObject>

#include <optional>

namespace zb::ui {

class RunPanels;
class SimulationGroup;

class TankDisplay : public QObject {
    Q_OBJECT

  public:
    TankDisplay(SimulationGroup& group, RunPanels& panels, const RunState& run,
                QObject* parent = nullptr);

    // A tank took the document's place: its display, or (empty, or in a guided sequence) the
    // remembered choices.
    void show(const std::optional<TAnzeige>& display);

    // What the controls show, as a tank would carry it; empty when that is the defaults.
    std::optional<TAnzeige> toSave() const;

  private:
    struct View {
        bool screensTranslucent = false;
        bool wireFrame = true;
        int angle = 90;
        int distance = 75;
        int height = 20;
    };
    void showView(const View& view);

    SimulationGroup& group_;
    RunPanels& panels_;
    const RunState& run_;
    View remembered_; // the view sliders as the user left them
    int speed_;       // the speed position a save records: the run's start or the user's choice
};

} // namespace zb::ui
