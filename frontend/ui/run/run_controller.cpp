#include "run/run_controller.h"

#include "base/user_dialogs.h"
#include "model/simulation_time.h"
#include "model/stability.h"
#include "run/pool_size.h"
#include "run/run_view.h"

#include <QDateTime>
#include <QGuiApplication>
#include <QLocale>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>
#include <string>
#include <vector>

namespace zb::ui {

namespace {

// Tanks from this many oscillators on take long enough to build that the user should see it.
constexpr long long kSlowTransferNodes = 1'000'000;

class BusyCursor {
  public:
    explicit BusyCursor(bool show) : shown_(show) {
        if (shown_) {
            QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        }
    }
    ~BusyCursor() {
        if (shown_) {
            QGuiApplication::restoreOverrideCursor();
        }
    }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

  private:
    bool shown_;
};

} // namespace

RunController::RunController(TankDocument& document, EngineCalls& engine, QObject* parent)
    : QObject(parent), document_(document), engine_(engine) {
    setObjectName(QStringLiteral("runController"));
    runTimer_ = new QTimer(this);
    runTimer_->setObjectName(QStringLiteral("runTimer"));
    runTimer_->setInterval(0);
    connect(runTimer_, &QTimer::timeout, this, &RunController::frame);
    timerSchrittweise_ = new QTimer(this);
    timerSchrittweise_->setObjectName(QStringLiteral("timerSchrittweise"));
    timerSchrittweise_->setInterval(100);
}

void RunController::refreshEngine() {
    if (!document_.hasTank()) {
        return;
    }
    const TZBecken& tank = document_.tank();
    // A tank from a file may ask for more than the machine has: say so once, show an empty view.
    const std::optional<QString> problem = poolSizeProblem(engine_, tank.GroesseX, tank.GroesseY);
    const std::pair<int32_t, int32_t> size{tank.GroesseX, tank.GroesseY};
    if (problem && size != refusedSize_) {
        refusedSize_ = size;
        userDialogs().error(QStringLiteral("Größe der Zitterbecken"),
                            *problem + QStringLiteral("\n\nBis dahin bleibt die Ansicht leer."));
    } else if (!problem) {
        refusedSize_ = {};
    }
    view_->showTank(!problem);
    {
        const BusyCursor busy((long long)tank.GroesseX * tank.GroesseY >= kSlowTransferNodes);
        tank.TransferToEngine(engine_);
    }
    view_->applyDisplay();
    view_->updateTopView();
}

void RunController::start() {
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
    halt(); // a reset starts afresh, in the same state of the window
    engine_.set3dMode(true);
    run_.in3dMode = true;
    run_.simulationStopped = false;
    // A step above the tank's stable one turns the field into infinities within moments.
    view_->showRunPanel(maxStableTimeStep(document_.tank()));

    document_.flush(); // an edit still on its way must not overwrite the run's transfer later
    document_.tank().TransferToEngine(engine_);
    view_->applyDisplay();
    startProbeRecording();
    view_->setEnginePaused(true);

    run_.running = true;
    emit runningChanged(true);
    const TObjektListe& list = *document_.tank().Objekte;
    bool pulsed = false;
    for (int k = 1; k < list.Count() && !pulsed; ++k) {
        const TErreger* e = list.at(k).erreger();
        pulsed = e && e->Puls;
    }
    emit pulseAvailableChanged(pulsed);
    restartFrameCount();
    brokenFieldReported_ = false;
    view_->showSimulationTime(0.0);
    runTimer_->start();
}

void RunController::stop() {
    // Nothing waits for a frame in flight: a frame checks the request before it draws, and the
    // timers are stopped here.
    run_.simulationStopped = true;
    end();
}

void RunController::requestFrame() {
    if (run_.running && !runTimer_->isActive()) {
        runTimer_->start();
    }
}

void RunController::frame() {
    if (run_.simulationStopped || !run_.running) {
        end();
        return;
    }
    const bool stepping = !run_.enginePaused;
    engine_.nextFrame();
    const bool brokeDown = stepping && fieldBrokeDown();
    view_->showSimulationTime(engine_.simulationTime());
    collectProbeSamples();
    engine_.setPoolAngle(view_->poolAngle());
    const RunCamera c = view_->camera();
    TZBecken::PlaceCamera(c.sx, c.h, c.d, -c.h, 0.5 - c.d, engine_);
    engine_.repaintScene(true, true);
    if (brokeDown) {
        reportBrokenField(); // over the frame that shows the marked cells
    }
    if (!run_.enginePaused) {
        countFrame();
        return;
    }
    // Nothing moves until a control or the engine's state changes; a rate would mean nothing.
    runTimer_->stop();
    restartFrameCount();
}

bool RunController::fieldBrokeDown() {
    // Free while the field is sound: the engine's step notices a broken height itself. Once
    // broken the field stays so; the look after each step keeps the violet marks on the cells
    // as they spread.
    if (engine_.markNonFinite() == 0) {
        return false;
    }
    timerSchrittweise_->stop();
    view_->pauseControls();
    if (brokenFieldReported_) {
        return false;
    }
    brokenFieldReported_ = true;
    return true;
}

void RunController::reportBrokenField() {
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

void RunController::startProbeRecording() {
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
    view_->showProbes(any, longestPeriod > 0 ? 3.0 * longestPeriod : 10.0);
}

void RunController::collectProbeSamples() {
    if (probes_.collect(engine_) > 0) {
        view_->probesSampled();
    }
}

void RunController::countFrame() {
    ++framesCounted_;
    const long long now = QDateTime::currentMSecsSinceEpoch();
    const long long elapsed = now - countStartMs_;
    if (elapsed >= 1000) {
        const double rate = double(framesCounted_) * 1000.0 / double(elapsed);
        view_->showFrameRate(
            QStringLiteral("Bilder/s: %1").arg(QLocale(QLocale::German).toString(rate, 'f', 0)));
        framesCounted_ = 0;
        countStartMs_ = now;
    }
}

void RunController::restartFrameCount() {
    view_->showFrameRate({});
    framesCounted_ = 0;
    countStartMs_ = QDateTime::currentMSecsSinceEpoch();
}

void RunController::halt() {
    run_.running = false;
    runTimer_->stop();
    timerSchrittweise_->stop();
}

void RunController::end() {
    if (!run_.running) {
        return;
    }
    halt();
    emit runningChanged(false);
    emit pulseAvailableChanged(false);
    engine_.set3dMode(false);
    view_->hideRunPanel();
    run_.in3dMode = false;
    view_->showEditPanels();
    emit ended();
}

} // namespace zb::ui
