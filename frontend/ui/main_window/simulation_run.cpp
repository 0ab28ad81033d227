// The simulation run of the main window: its start, its frames, its end, and the handlers that
// leave or restart it. While the engine steps, runTimer draws a frame per turn of the event loop;
// while it is paused, a frame is drawn only when what it shows changes.
#include "base/user_dialogs.h"
#include "editor/object_editor.h"
#include "main_window/main_window.h"
#include "model/simulation_time.h"
#include "model/stability.h"
#include "simulation/display_group.h"
#include "simulation/simulation_group.h"
#include "tutorial/tutorial_panel.h"
#include "view/probe_plot.h"
#include "view/view_frame.h"
#include "widgets/capped_track_bar.h"

#include <QAction>
#include <QDateTime>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>
#include <string>
#include <vector>

namespace zb::ui {

void TfrmMain::RunSimulation() {
    if (!document_.hasTank()) {
        return;
    }
    // Such a value comes only from a hand-made file; the editor shows it, the run would only
    // show its field breaking down.
    if (const std::optional<std::string> problem = unstableValue(document_.tank())) {
        userDialogs().error(
            QStringLiteral("Simulation starten"),
            QString::fromStdString(*problem) +
                QStringLiteral("\n\nMit diesem Wert wird die Rechnung bei jeder Geschwindigkeit "
                               "instabil; die Simulation startet erst, wenn er im erlaubten "
                               "Bereich liegt."));
        return;
    }
    haltRun(); // a reset starts afresh, in the same state of the window
    SimulationGroup& g = *gbSimulation;
    engine_.set3dMode(true);
    run_.in3dMode = true;
    run_.simulationStopped = false;

    UpdateTimer->stop();
    GLFrame->sbY->hide();
    panEdit->hide();
    g.show();

    // A step above the tank's stable one turns the field into infinities within moments.
    g.setSpeedCap(maxStableTimeStep(document_.tank()));
    g.tbSimSpeed->setValue(SimulationGroup::kStartPosition);
    g.tbSimSpeedChange();
    g.rbKonstGeschw->setChecked(true);
    g.rbKonstGeschwClick();
    g.rbErregerAn->setChecked(true);
    g.rgErregerClick();
    g.rbPaused->setChecked(true);
    g.rbPausedClick();
    g.btnSimRun->show();

    document_.flush(); // an edit still on its way must not overwrite the run's transfer later
    document_.tank().TransferToEngine(engine_);
    g.gbDarstellung->applyToEngine();
    startProbeRecording();
    fieldAtRest_ = false;
    g.setEnginePaused(true);
    actOeffnen->setEnabled(false);
    recentMenu->menuAction()->setEnabled(false);

    run_.running = true;
    updateEditMenu();
    framesCounted_ = 0;
    countStartMs_ = QDateTime::currentMSecsSinceEpoch();
    brokenFieldReported_ = false;
    g.lblBilderProSekunde->clear();
    g.showSimulationTime(0.0);
    runTimer->start();
}

void TfrmMain::requestRunFrame() {
    if (run_.running && !runTimer->isActive()) {
        runTimer->start();
    }
}

void TfrmMain::runFrame() {
    if (run_.simulationStopped || !run_.running) {
        endRun();
        return;
    }
    const bool stepping = !run_.enginePaused;
    engine_.nextFrame();
    const bool brokeDown = stepping && fieldBrokeDown();
    gbSimulation->showSimulationTime(engine_.simulationTime());
    collectProbeSamples();
    engine_.setPoolAngle(double(gbSimulation->tbWinkel->value() - 90));
    placeRunCamera();
    engine_.repaintScene(true, true);
    if (brokeDown) {
        reportBrokenField(); // over the frame that shows the marked cells
    }
    if (!run_.enginePaused) {
        countFrame();
        return;
    }
    // Nothing moves until a control or the engine's state changes; a rate would mean nothing.
    runTimer->stop();
    gbSimulation->lblBilderProSekunde->clear();
    framesCounted_ = 0;
    countStartMs_ = QDateTime::currentMSecsSinceEpoch();
}

bool TfrmMain::fieldBrokeDown() {
    // Free while the field is sound: the engine's step notices a broken height itself. Once
    // broken the field stays so; the look after each step keeps the violet marks on the cells
    // as they spread.
    if (engine_.markNonFinite() == 0) {
        return false;
    }
    SimulationGroup& g = *gbSimulation;
    timerSchrittweise->stop();
    g.rbPaused->setChecked(true);
    g.rbPausedClick();
    if (brokenFieldReported_) {
        return false;
    }
    brokenFieldReported_ = true;
    return true;
}

void TfrmMain::reportBrokenField() {
    const QString time =
        QLocale(QLocale::German).toString(simulationSeconds(engine_.simulationTime()), 'f', 2);
    userDialogs().error(
        QStringLiteral("Simulation angehalten"),
        QStringLiteral(
            "Bei t = %1 s ist das Feld keine endliche Zahl mehr: die Rechnung ist "
            "instabil geworden. Die Simulation ist angehalten; die violetten "
            "Schwinger haben keinen endlichen Wert mehr.\n\n„Simulation zurücksetzen“ beginnt "
            "von vorn.")
            .arg(time));
}

void TfrmMain::startProbeRecording() {
    std::vector<ProbeTrace> traces;
    double longestPeriod = 0.0;
    const TObjektListe& list = *document_.tank().Objekte;
    for (int k = 1; k < list.Count(); ++k) {
        const TObjekt& o = list.at(k);
        if (const TMesspunkt* m = o.messpunkt(); m && int(traces.size()) < kMaxMesspunkte) {
            traces.push_back({o.Name, m->Farbe});
        } else if (const TErreger* e = o.erreger(); e && e->Frequenz > 0) {
            longestPeriod = std::max(longestPeriod, 2.0 * std::numbers::pi / e->Frequenz);
        }
    }
    const bool any = !traces.empty();
    probes_.start(std::move(traces), engine_.simulationTime());
    // Samples the engine kept from before the transfer belong to no run of ours.
    collectProbeSamples();
    probes_.start(probes_.probes(), engine_.simulationTime());
    // Three periods of the slowest exciter show a phase difference and the shape of the wave.
    GLFrame->probePlot->setTimeSpan(longestPeriod > 0 ? 3.0 * longestPeriod : 10.0);
    GLFrame->showProbePlot(any);
}

void TfrmMain::collectProbeSamples() {
    if (probes_.collect(engine_) > 0) {
        GLFrame->probePlot->update();
    }
}

void TfrmMain::placeRunCamera() {
    const SimulationGroup& g = *gbSimulation;
    const double distance = double(g.tbEntfernung->value()) / double(g.tbEntfernung->maximum());
    double sx, h, d;
    if (g.tbHoehe->value() < g.tbHoehe->maximum()) {
        sx = double(GLFrame->sbX->value()) / double(GLFrame->sbX->maximum());
        d = distance * 3 + 0.5;
        h = double(g.tbHoehe->value()) / double(g.tbHoehe->maximum()) * 2.5 * d;
    } else {
        // Bird's-eye view straight over the middle.
        sx = 0.5;
        h = distance * 2;
        d = 0.5;
    }
    TZBecken::PlaceCamera(sx, h, d, -h, 0.5 - d, engine_);
}

void TfrmMain::countFrame() {
    ++framesCounted_;
    const long long now = QDateTime::currentMSecsSinceEpoch();
    const long long elapsed = now - countStartMs_;
    if (elapsed >= 1000) {
        const double rate = double(framesCounted_) * 1000.0 / double(elapsed);
        gbSimulation->lblBilderProSekunde->setText(
            QStringLiteral("Bilder/s: %1").arg(QLocale(QLocale::German).toString(rate, 'f', 0)));
        framesCounted_ = 0;
        countStartMs_ = now;
    }
}

void TfrmMain::haltRun() {
    run_.running = false;
    runTimer->stop();
    timerSchrittweise->stop();
}

void TfrmMain::endRun() {
    if (!run_.running) {
        return;
    }
    haltRun();
    updateEditMenu();
    actOeffnen->setEnabled(true);
    recentMenu->menuAction()->setEnabled(true);
    engine_.set3dMode(false);
    if (isVisible()) {
        UpdateTimer->start();
    }
    gbSimulation->hide();
    GLFrame->showProbePlot(false);
    run_.in3dMode = false;
    GLFrame->sbY->show();
    if (run_.tutorialSequence == 0) {
        panEdit->show();
    } else {
        restoreTutorialAfterRun();
    }
}

void TfrmMain::leaveRunClick() {
    run_.simulationStopped = true;
    panTutorial->btnSimScreenHelp->hide();
    StopRun();
    RefreshEngine();
}

void TfrmMain::resetRunClick() {
    gbSimulation->btnSimRun->show();
    RunSimulation();
}

} // namespace zb::ui
