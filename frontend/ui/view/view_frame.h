// The view frame: the engine's picture with a scroll bar below and one to the right. While a
// tank is edited it shows the flat top view, moved by the scroll bars and the zoom. During a run
// of a tank with probes, their plot takes a band at the bottom and the picture gives way.
#pragma once

#include "base/run_state.h"
#include "model/engine_calls.h"

#include <QWidget>

#include <string>

class QScrollBar;

namespace zb::ui {

class EnginePanel;
class ProbePlot;

class TFrame2 : public QWidget {
    Q_OBJECT

  public:
    TFrame2(EngineCalls& engine, const RunState& run, QWidget* parent = nullptr);

    EnginePanel* PanSim;
    QScrollBar* sbX;
    QScrollBar* sbY;
    ProbePlot* probePlot;

    double zoomFactor = 1.0;

    // Hands the panel's native window to the engine (only where the ids are real X11 windows).
    void createEngine(const std::string& programDir);
    // Places the top view's camera and has the panel redrawn at the end of this turn of the
    // event loop, once however often it was asked. During a run the run's frame does both.
    void UpdateTopView();
    // Redraws without moving the camera.
    void repaint3d();
    // Shows or hides the probes' band under the picture.
    void showProbePlot(bool shown);

    // Sizes in the engine's pixels.
    int devicePixels(int logical) const;

  signals:
    // A scroll bar moved while a run shows the relief.
    void runViewMoved();

  private:
    void panSimResized();
    void reshapeEngine();
    void followNativeWindow();

    EngineCalls& engine_;
    const RunState& run_;
    bool engineCreated_ = false;
};

} // namespace zb::ui
