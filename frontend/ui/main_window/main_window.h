// The main window: the view frame with the engine's picture, the editing panel beside it, the
// menus and the file commands. It owns the one current tank.
#pragma once

#include "model/engine_calls.h"
#include "model/tank.h"

#include <QMainWindow>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QGroupBox;
class QMenuBar;
class QPushButton;
class QSlider;
class QTimer;

namespace zb::ui {

class ObjectEditor;
class SimulationGroup;
class TFrame2;
class TutorialPanel;

class TfrmMain : public QMainWindow {
    Q_OBJECT

  public:
    // Creates the engine on the view panel; the window starts hidden and without a tank.
    explicit TfrmMain(EngineCalls& engine = theEngine(), QWidget* parent = nullptr);
    ~TfrmMain() override;

    std::string programDir;
    int32_t tutorialSequence = 0; // 0 free mode, 1 introduction, 2 experiment series
    int32_t tutorialStep = 0;
    bool simulationStopped = true;
    std::unique_ptr<TZBecken> tank;

    TFrame2* GLFrame;
    QWidget* panEdit;
    ObjectEditor* editor;
    QSlider* tbZoom;
    QPushButton* Button1;
    SimulationGroup* gbSimulation;
    QPushButton* Button2; // the group's "<< Simulation anhalten <<"
    TutorialPanel* panTutorial;
    QMenuBar* MainMenu;
    QMenuBar* MenuEinfuehrung;
    QTimer* UpdateTimer;
    QTimer* timerSchrittweise;
    QAction* actNeu;
    QAction* actSpeichern;
    QAction* actOeffnen;
    QTimer* runTimer; // drives a run: one frame per tick

    void enterFreeMode();
    // The guided sequences (after the caller has shown the window and started a tank).
    void StartIntroduction();
    void StartExperimentSeries();
    void ShowTutorialStep();
    void LoadTutorialText(const QString& path);
    void NewTank(int32_t x, int32_t y);
    // Sends the whole tank to the engine and redraws the top view.
    void RefreshEngine();
    // Sets the stop request, lets pending work see it, and ends an active run.
    void StopRun();

    // Starts a run (ending one that is active first): the 3-D view, the simulation group, the
    // tank sent afresh, paused, exciters on. It returns at once; runTimer draws the frames.
    void RunSimulation();
    bool runActive() const { return running_; }
    // The closing steps of a run; harmless when no run is active.
    void endRun();

    // The file commands; the dialogs come from userDialogs().
    void NewCommand();
    enum class SaveOutcome { Saved, Cancelled, Failed };
    SaveOutcome SaveCommand();
    void OpenCommand();
    // The halves after the dialogs.
    bool saveTankAs(const QString& fileName);
    bool openTankFile(const QString& fileName);

  signals:
    void helpTextRequested(const QString& title, const QString& file);
    void aboutRequested();
    void closed(); // the user closed the window: the start screen comes back

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    QWidget* buildLeftStrip();
    void buildMenus();
    void updateTimerTick();
    bool tankChangedSinceTransfer() const;
    void runFrame();
    void placeRunCamera();
    void countFrame();
    void leaveRunClick();
    void resetRunClick();
    void startSequence(int sequence);
    void tutorialSimulationClick();
    void restoreTutorialAfterRun();
    void connectTutorial();

    EngineCalls& engine_;
    QString lastFileName_;
    std::vector<uint8_t> transferred_; // the tank as last sent to the engine
    bool fieldAtRest_ = false;         // no step since that transfer
    bool running_ = false;
    long long framesCounted_ = 0;
    long long countStartMs_ = 0;
};

} // namespace zb::ui
