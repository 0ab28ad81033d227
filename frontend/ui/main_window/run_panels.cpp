#include "main_window/run_panels.h"

#include "base/run_state.h"
#include "simulation/display_group.h"
#include "simulation/simulation_group.h"
#include "view/engine_panel.h"
#include "view/probe_plot.h"
#include "view/view_frame.h"
#include "widgets/capped_track_bar.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>

namespace zb::ui {

void RunPanels::showRunPanel(double maxTimeStep) {
    SimulationGroup& g = group_;
    frame_.sbY->hide();
    editPanel_.hide();
    g.show();
    g.setSpeedCap(maxTimeStep);
    g.tbSimSpeed->setValue(startSpeed_);
    g.tbSimSpeedChange();
    g.rbKonstGeschw->setChecked(true);
    g.rbKonstGeschwClick();
    g.rbErregerAn->setChecked(true);
    g.rgErregerClick();
    g.rbPaused->setChecked(true);
    g.rbPausedClick();
    g.btnSimRun->show();
}

void RunPanels::hideRunPanel() {
    group_.hide();
    frame_.showProbePlot(false);
}

void RunPanels::showEditPanels() {
    frame_.sbY->show();
    if (run_.tutorialSequence == 0) {
        editPanel_.show();
    }
}

void RunPanels::applyDisplay() {
    group_.gbDarstellung->applyToEngine();
}

void RunPanels::setEnginePaused(bool paused) {
    group_.setEnginePaused(paused);
}

void RunPanels::pauseControls() {
    group_.rbPaused->setChecked(true);
    group_.rbPausedClick();
}

void RunPanels::showSimulationTime(double time) {
    group_.showSimulationTime(time);
}

void RunPanels::showFrameRate(const QString& text) {
    if (text.isEmpty()) {
        group_.lblBilderProSekunde->clear();
    } else {
        group_.lblBilderProSekunde->setText(text);
    }
}

double RunPanels::poolAngle() const {
    return double(group_.tbWinkel->value() - 90);
}

RunCamera RunPanels::camera() const {
    const SimulationGroup& g = group_;
    const double distance = double(g.tbEntfernung->value()) / double(g.tbEntfernung->maximum());
    if (g.tbHoehe->value() < g.tbHoehe->maximum()) {
        RunCamera c;
        c.sx = double(frame_.sbX->value()) / double(frame_.sbX->maximum());
        c.d = distance * 3 + 0.5;
        c.h = double(g.tbHoehe->value()) / double(g.tbHoehe->maximum()) * 2.5 * c.d;
        return c;
    }
    // Bird's-eye view straight over the middle.
    return {0.5, distance * 2, 0.5};
}

void RunPanels::showTank(bool shown) {
    frame_.PanSim->setVisible(shown);
}

void RunPanels::updateTopView() {
    frame_.UpdateTopView();
}

void RunPanels::showProbes(bool any, double timeSpan) {
    frame_.probePlot->setTimeSpan(timeSpan);
    frame_.showProbePlot(any);
}

void RunPanels::probesSampled() {
    frame_.probePlot->update();
}

} // namespace zb::ui
