#include "view/view_frame.h"

#include "base/application.h"
#include "model/tank.h"
#include "view/engine_panel.h"
#include "view/probe_plot.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QScrollBar>

#include <xcb/xcb.h>

#include <cmath>
#include <cstdlib>

namespace zb::ui {

namespace {

QScrollBar* viewScrollBar(Qt::Orientation orientation, QWidget* parent) {
    auto* bar = new QScrollBar(orientation, parent);
    bar->setRange(0, 100);
    bar->setValue(50);
    bar->setPageStep(0);
    bar->setFocusPolicy(Qt::NoFocus);
    if (orientation == Qt::Horizontal) {
        bar->setFixedHeight(17);
    } else {
        bar->setFixedWidth(17);
    }
    return bar;
}

// Waits until the X server has carried out everything Qt asked of it, such as creating the panel's
// window, so that the engine's own connection finds the window. Unlike QGuiApplication::sync()
// this processes no events, so it is safe while Qt is in the middle of creating a widget.
void waitForTheServer() {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (xcb_connection_t* connection = x11 ? x11->connection() : nullptr) {
        std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
    }
}

} // namespace

TFrame2::TFrame2(EngineCalls& engine, const RunState& run, QWidget* parent)
    : QWidget(parent), engine_(engine), run_(run) {
    setObjectName(QStringLiteral("GLFrame"));
    PanSim = new EnginePanel(this);
    PanSim->setObjectName(QStringLiteral("PanSim"));
    sbX = viewScrollBar(Qt::Horizontal, this);
    sbX->setObjectName(QStringLiteral("sbX"));
    sbY = viewScrollBar(Qt::Vertical, this);
    sbY->setObjectName(QStringLiteral("sbY"));

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    grid->addWidget(PanSim, 0, 0);
    grid->addWidget(sbY, 0, 1);
    grid->addWidget(sbX, 1, 0);
    // Below everything else, so that showing it moves none of the designed controls.
    probePlot = new ProbePlot(this);
    probePlot->hide();
    grid->addWidget(probePlot, 2, 0, 1, 2);

    connect(sbX, &QScrollBar::valueChanged, this, &TFrame2::UpdateTopView);
    connect(sbY, &QScrollBar::valueChanged, this, &TFrame2::UpdateTopView);
    connect(PanSim, &EnginePanel::resized, this, &TFrame2::panSimResized);
    connect(PanSim, &EnginePanel::exposed, this, &TFrame2::repaint3d);
    connect(PanSim, &EnginePanel::nativeWindowAboutToGo, this, [this] {
        if (engineCreated_) {
            engine_.setWindow(0, 0, 0);
        }
    });
    connect(PanSim, &EnginePanel::nativeWindowCreated, this, &TFrame2::followNativeWindow);
}

int TFrame2::devicePixels(int logical) const {
    return int(std::lround(logical * devicePixelRatioF()));
}

void TFrame2::createEngine(const std::string& programDir) {
    if (!ZbApplication::engineCanDraw()) {
        return; // offscreen and similar platforms hand out ids of no real window
    }
    const WId window = PanSim->winId();
    waitForTheServer();
    engine_.createFromHwnd(uintptr_t(window), devicePixels(PanSim->width()),
                           devicePixels(PanSim->height()), programDir.c_str());
    engineCreated_ = true;
}

void TFrame2::followNativeWindow() {
    if (!engineCreated_) {
        return; // the first window is handed over by createEngine
    }
    waitForTheServer();
    engine_.setWindow(uintptr_t(PanSim->internalWinId()), devicePixels(PanSim->width()),
                      devicePixels(PanSim->height()));
    reshapeEngine();
}

void TFrame2::UpdateTopView() {
    if (run_.in3dMode) {
        emit runViewMoved();
        return;
    }
    engine_.setPoolAngle(0.0);
    const double sx = double(sbX->value()) / double(sbX->maximum());
    const double sy = double(sbY->value()) / double(sbY->maximum());
    TZBecken::PlaceCamera(sx, zoomFactor + 0.2, sy, -1.0, 0.0, engine_);
    // Through the panel's paint, so that this and an expose of the panel draw one frame.
    PanSim->update();
}

void TFrame2::repaint3d() {
    engine_.repaintScene(true, run_.in3dMode);
}

void TFrame2::showProbePlot(bool shown) {
    probePlot->setVisible(shown);
}

void TFrame2::reshapeEngine() {
    // The engine's viewport covers the panel and the scroll bars, not the probes' band. Counted
    // from the panel: the band's own geometry may not be laid out yet when the panel's is.
    const int barHeight = sbX->isVisibleTo(this) ? sbX->height() : 0;
    engine_.reshape(devicePixels(width()), devicePixels(PanSim->height() + barHeight));
}

void TFrame2::panSimResized() {
    // The engine sizes its drawing from the server's idea of the window: let the server see the
    // resize this program's own connection may still hold, or the one deferred draw that follows
    // is made at the old size and nothing draws again.
    waitForTheServer();
    reshapeEngine();
    UpdateTopView();
}

} // namespace zb::ui
