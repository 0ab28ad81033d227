// The simulation run and the engine's copy of the tank, without widgets: the run state, the
// timers that draw a run's frames and release single steps, the transfers of the tank after each
// change of the document, and the probes' recording. While the engine steps, runTimer draws a
// frame per turn of the event loop; while it is paused, a frame is drawn only when what it shows
// changes.
#pragma once

#include "base/run_state.h"
#include "document/tank_document.h"
#include "model/engine_calls.h"
#include "view/probe_recording.h"

#include <QObject>

#include <cstdint>
#include <utility>

class QTimer;

namespace zb::ui {

class RunView;

class RunController : public QObject {
    Q_OBJECT

  public:
    RunController(TankDocument& document, EngineCalls& engine, QObject* parent = nullptr);

    // The panels the run shows itself in; set once, before the first transfer.
    void setView(RunView* view) { view_ = view; }

    RunState& state() { return run_; }
    const RunState& state() const { return run_; }
    // Releases one step at a time in the step-by-step mode.
    QTimer& stepTimer() { return *timerSchrittweise_; }
    const ProbeRecording& probes() const { return probes_; }
    bool active() const { return run_.running; }

    // Sends the whole tank to the engine and redraws the top view. The window connects the
    // document's `changed` here: every change of the tank, an undo and a tank replaced or loaded
    // included, arrives once per turn of the event loop, and nothing else needs to look.
    void refreshEngine();
    // Starts a run (ending one that is active first): the 3-D view, the run's panel, the tank
    // sent afresh, paused, exciters on. It returns at once; runTimer draws the frames.
    void start();
    // Sets the stop request and ends an active run, at once.
    void stop();
    // The closing steps of a run; harmless when no run is active.
    void end();
    // A paused run draws a frame when what it shows changed.
    void requestFrame();

  signals:
    // A run began or ended: what may not change during a run follows.
    void runningChanged(bool running);
    // A run ended and its panels are gone.
    void ended();
    // Whether the running tank holds a pulsed exciter, whose pulses can be started again; false
    // when a run ends.
    void pulseAvailableChanged(bool available);

  private:
    // Stops drawing frames, leaving everything as the run arranged it.
    void halt();
    void frame();
    void countFrame();
    void restartFrameCount();
    void startProbeRecording();
    void collectProbeSamples();
    // After a step: a field that stopped being finite pauses the run; true when it did so now
    // for the first time, and the user is to be told.
    bool fieldBrokeDown();
    void reportBrokenField();

    TankDocument& document_;
    EngineCalls& engine_;
    RunView* view_ = nullptr;
    RunState run_;
    QTimer* runTimer_;          // draws a run's frames while the engine steps
    QTimer* timerSchrittweise_; // ends a single step
    ProbeRecording probes_;
    bool brokenFieldReported_ = false;        // this run's field stopped being finite
    std::pair<int32_t, int32_t> refusedSize_; // the too large size last explained
    long long framesCounted_ = 0;
    long long countStartMs_ = 0;
};

} // namespace zb::ui
