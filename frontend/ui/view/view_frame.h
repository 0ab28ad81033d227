// The view frame: the engine's picture with a scroll bar below and one to the right. While a
// tank is edited it shows the flat top view, moved by the scroll bars and the zoom.
#pragma once

#include "model/engine_calls.h"
#include "model/tank.h"

#include <QWidget>

#include <string>

class QScrollBar;

namespace zb::ui {

class EnginePanel;

class TFrame2 : public QWidget {
    Q_OBJECT

  public:
    explicit TFrame2(EngineCalls& engine, QWidget* parent = nullptr);

    EnginePanel* PanSim;
    QScrollBar* sbX;
    QScrollBar* sbY;

    TZBecken* tank = nullptr; // the main window's, not owned
    bool in3dMode = false;    // a run draws the relief and steers the camera itself
    double zoomFactor = 1.0;

    // Hands the panel's native window to the engine (only where the ids are real X11 windows).
    void createEngine(const std::string& programDir);
    void UpdateTopView();
    // Redraws without moving the camera.
    void repaint3d();

    // Sizes in the engine's pixels.
    int devicePixels(int logical) const;

  private:
    void panSimResized();
    void followNativeWindow();

    EngineCalls& engine_;
    bool engineCreated_ = false;
};

} // namespace zb::ui
