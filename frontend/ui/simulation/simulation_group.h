// The controls that steer a simulation run: exciters, how the run advances, its speed, the view
// and the buttons that start, reset and leave it. They talk to the engine directly; the main
// window owns the run itself.
#pragma once

#include "base/run_state.h"
#include "model/engine_calls.h"
#include "model/simulation_speed.h"
#include "widgets/compact_group_box.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSlider;
class QTimer;

namespace zb::ui {

class CappedTrackBar;
class DisplayGroup;
class HelpLabel;

class SimulationGroup : public CompactGroupBox {
    Q_OBJECT

  public:
    SimulationGroup(EngineCalls& engine, RunState& run, QTimer& stepTimer,
                    QWidget* parent = nullptr);

    QGroupBox* rgErreger;
    QRadioButton* rbErregerAn;
    QRadioButton* rbErregerAus;
    QPushButton* Button3;
    QGroupBox* gbSimSpeed;
    QRadioButton* rbKonstGeschw;
    QRadioButton* RadioButton2;
    QRadioButton* rbPaused;
    HelpLabel* lblSimSpeed;
    CappedTrackBar* tbSimSpeed;
    QPushButton* btnSimWeiter;
    QGroupBox* GroupBox1;
    QCheckBox* cbScreensTranslucent;
    QCheckBox* cbDrahtAnsicht;
    QSlider* tbWinkel;
    QSlider* tbEntfernung;
    QSlider* tbHoehe;
    QGroupBox* gbSteuerung;
    QPushButton* btnSimReset;
    QPushButton* btnSimRun;
    QPushButton* Button2;
    QLabel* lblBilderProSekunde;
    QLabel* lblSimZeit;
    DisplayGroup* gbDarstellung;
    QPushButton* btnPulsAusloesen; // under the designed controls

    // The click handlers, also applied by the start of a run.
    void rbKonstGeschwClick();
    void RadioButton2Click();
    void rbPausedClick();
    void tbSimSpeedChange();
    void rgErregerClick();

    // The time step of a speed position.
    static float speedOf(int position);
    // The speed position a run starts at, and its time step for a tank whose largest stable
    // step is maxTimeStep (the slider's cap may hold it lower).
    static constexpr int kStartPosition = kStartSpeedPosition;
    // The group's size in the designed window, where each control has its designed place.
    static constexpr int kDesignedWidth = 201;
    static constexpr int kDesignedHeight = 654;
    static float startTimeStep(double maxTimeStep);

    // Closes the speeds above the tank's largest stable time step.
    void setSpeedCap(double maxTimeStep);

    // "Puls auslösen" can be clicked only while the run's tank holds a pulsed exciter.
    void setPulseAvailable(bool available);

    // Puts the view's controls where a tank or the user's remembered choices want them, and
    // sends them to the engine.
    void showView(bool screensTranslucent, bool wireFrame, int angle, int distance, int height);

    // Pauses or unpauses the engine and remembers it in the run state.
    void setEnginePaused(bool paused);

    // The simulated time since the run started, given in the engine's time and shown in seconds
    // of Simulationszeit.
    void showSimulationTime(double time);

  signals:
    // Something the run shows changed: a paused run must draw a frame.
    void runViewChanged();

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void buildErreger();
    void buildSpeed();
    void buildView();
    void buildControl();
    void showSpeedControls(bool speed);

    EngineCalls& engine_;
    RunState& run_;
    QTimer& stepTimer_;
};

} // namespace zb::ui
