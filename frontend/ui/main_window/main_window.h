// The main window: the view frame with the engine's picture, the editing panel beside it, the
// menus. It shows the one current tank, which the tank document owns; the run controller runs
// it, the file commands load and save it.
#pragma once

#include "base/run_state.h"
#include "document/tank_document.h"
#include "model/engine_calls.h"

#include <QMainWindow>

#include <cstdint>
#include <memory>
#include <string>

class QAction;
class QMenu;
class QMenuBar;
class QSlider;

namespace zb::ui {

class FileCommands;
class FlatViewEditor;
class MeasurementExport;
class ObjectEditor;
class PictureExport;
class RunController;
class RunPanels;
class SimulationGroup;
class TankDisplay;
class TFrame2;
class TutorialDriver;
class TutorialPanel;

class TfrmMain : public QMainWindow {
    Q_OBJECT

  public:
    // Creates the engine on the view panel; the window starts hidden and without a tank.
    explicit TfrmMain(EngineCalls& engine = theEngine(), QWidget* parent = nullptr);
    ~TfrmMain() override;

    TankDocument& document() { return document_; }
    RunController& run() { return *controller_; }
    const RunController& run() const { return *controller_; }
    FileCommands& files() { return *files_; }
    const std::string& programDir() const { return programDir_; }

    void enterFreeMode();
    // The guided sequences (after the caller has shown the window and started a tank).
    void StartIntroduction();
    void StartExperimentSeries();
    void NewTank(int32_t x, int32_t y);
    // "Öffnen..." and its half after the dialog.
    void OpenCommand();
    bool openTankFile(const QString& fileName);
    // An experiment of the gallery, in free mode as a new, untitled tank with its display, after
    // the question about unsaved changes; false when the user kept his tank or it did not read
    // (then nothing changed).
    bool openExperiment(const QString& tankPath, const QString& title);

  signals:
    void helpTextRequested(const QString& title, const QString& file);
    void aboutRequested();
    void closed(); // the user closed the window: the start screen comes back
    void galleryRequested();

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void createWidgets();
    QWidget* buildLeftStrip();
    void createMenus();
    void buildEditMenu();
    void updateEditMenu();
    void connectParts();
    void readSettings();
    void startEngine();
    // The title names the tank's file and marks unsaved changes.
    void updateTitle();
    // "Beenden": ends the program unless the user keeps an unsaved tank.
    void quitProgram();

    EngineCalls& engine_;
    TankDocument document_;
    RunController* controller_;
    RunState& run_; // the controller's
    std::string programDir_;

    TFrame2* GLFrame;
    QWidget* panEdit;
    ObjectEditor* editor;
    QSlider* tbZoom;
    SimulationGroup* gbSimulation;
    TutorialPanel* panTutorial;
    QMenuBar* MainMenu;
    QMenuBar* MenuEinfuehrung;
    QAction* actOeffnen;
    QAction* actVersuch;
    QAction* actMesswerte;
    QMenu* recentMenu;
    QAction* actRueckgaengig;
    QAction* actWiederholen;
    FlatViewEditor* viewEditor;
    FileCommands* files_;
    TutorialDriver* tutorial_;
    std::unique_ptr<RunPanels> runPanels_;
    std::unique_ptr<MeasurementExport> measurements_;
    std::unique_ptr<PictureExport> pictures_;
    TankDisplay* display_;

    bool discardAgreed_ = false; // "Beenden" has asked already; closing the window asks no more
    bool closing_ = false;       // a close is being decided: another one waits for it
};

} // namespace zb::ui
