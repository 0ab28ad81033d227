// The main window: the view frame with the engine's picture, the editing panel beside it, the
// menus and the file commands. It shows the one current tank, which the tank document owns.
#pragma once

#include "base/run_state.h"
#include "document/tank_document.h"
#include "model/csv_table.h"
#include "model/engine_calls.h"
#include "view/probe_recording.h"

#include <QMainWindow>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

class QAction;
class QImage;
class QMenu;
class QMenuBar;
class QPushButton;
class QSlider;
class QTimer;

namespace zb::ui {

class FlatViewEditor;
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

    TankDocument& document() { return document_; }
    const RunState& runState() const { return run_; }
    const std::string& programDir() const { return programDir_; }

    void enterFreeMode();
    // The guided sequences (after the caller has shown the window and started a tank).
    void StartIntroduction();
    void StartExperimentSeries();
    void ShowTutorialStep();
    void LoadTutorialText(const QString& path);
    void NewTank(int32_t x, int32_t y);
    // Sends the whole tank to the engine and redraws the top view. The document's changes
    // arrive here once per turn of the event loop.
    void RefreshEngine();
    // Sets the stop request, lets pending work see it, and ends an active run.
    void StopRun();

    // Starts a run (ending one that is active first): the 3-D view, the simulation group, the
    // tank sent afresh, paused, exciters on. It returns at once; the run's timer draws frames.
    void RunSimulation();
    bool runActive() const { return run_.running; }
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
    // "Bild speichern...": the view as drawn at this moment, as a PNG file.
    void SavePictureCommand();
    bool savePictureAs(const QImage& picture, const QString& fileName);
    // "Messwerte speichern...": the probes' samples of the run and the screens' intensity
    // curves, as one CSV table in the form the dialog's file type chose (remembered).
    void SaveMeasurementsCommand();
    bool saveMeasurementsAs(const QString& fileName, CsvForm form = CsvForm::German);
    // The samples the run has recorded so far.
    const ProbeRecording& probeRecording() const { return probes_; }
    // "Speichern fehlgeschlagen", naming what (e.g. "Das Bild"), the file and the reason.
    static void reportSaveFailure(const QString& what, const QString& fileName,
                                  const std::string& reason);
    // "Beenden": ends the program unless the user keeps an unsaved tank.
    void quitProgram();

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
    void buildEditMenu();
    void fillRecentMenu();
    // An opened or saved tank goes to the front of "Zuletzt geöffnet".
    void rememberFile(const QString& fileName);
    void updateEditMenu();
    void updateTimerTick();
    bool tankChangedSinceTransfer() const;
    // Asks "Speichern?" (always, or only when the tank has unsaved changes); false when the
    // user cancels or the save he asked for did not happen.
    bool mayDiscardTank(bool askEvenUnchanged);
    // The file the tank was read from or last saved to; empty for a new tank and in the guided
    // sequences. The title names it and marks unsaved changes.
    void setTankFile(const QString& fileName);
    void updateTitle();
    // Stops drawing frames, leaving the window as the run arranged it.
    void haltRun();
    void runFrame();
    void requestRunFrame();
    void placeRunCamera();
    void countFrame();
    void startProbeRecording();
    void collectProbeSamples();
    // After a step: a field that stopped being finite pauses the run; true when it did so now
    // for the first time, and the user is to be told.
    bool fieldBrokeDown();
    void reportBrokenField();
    // Whether the run left anything for "Messwerte speichern..."; the action says so.
    bool hasMeasurements();
    void updateMeasurementAction();
    void leaveRunClick();
    void resetRunClick();
    void startSequence(int sequence);
    void tutorialSimulationClick();
    void restoreTutorialAfterRun();
    void connectTutorial();

    EngineCalls& engine_;
    TankDocument document_;
    RunState run_;
    std::string programDir_;

    TFrame2* GLFrame;
    QWidget* panEdit;
    ObjectEditor* editor;
    QSlider* tbZoom;
    QPushButton* Button1;
    SimulationGroup* gbSimulation;
    TutorialPanel* panTutorial;
    QMenuBar* MainMenu;
    QMenuBar* MenuEinfuehrung;
    QTimer* UpdateTimer;
    QTimer* timerSchrittweise;
    QAction* actOeffnen;
    QAction* actMesswerte;
    QMenu* recentMenu;
    QAction* actRueckgaengig;
    QAction* actWiederholen;
    QTimer* runTimer; // draws a run's frames while the engine steps
    FlatViewEditor* viewEditor;

    QString lastFileName_;
    QString tankFile_;
    bool discardAgreed_ = false; // "Beenden" has asked already; closing the window asks no more
    std::vector<uint8_t> transferred_;        // the tank as last sent to the engine
    bool fieldAtRest_ = false;                // no step since that transfer
    bool brokenFieldReported_ = false;        // this run's field stopped being finite
    std::pair<int32_t, int32_t> refusedSize_; // the too large size last explained
    long long framesCounted_ = 0;
    long long countStartMs_ = 0;
    ProbeRecording probes_;
};

} // namespace zb::ui
