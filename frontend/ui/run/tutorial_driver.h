// The guided sequences: paging through the steps, their texts and example tanks, and runs
// started from a step. The window switches its menus and panels when a sequence starts and
// decides whether the user may leave one.
#pragma once

#include <QObject>
#include <QString>

namespace zb::ui {

class RunController;
class TankDocument;
class TutorialPanel;

class TutorialDriver : public QObject {
    Q_OBJECT

  public:
    TutorialDriver(TutorialPanel& panel, RunController& run, TankDocument& document,
                   QObject* parent = nullptr);

    // Shows the panel at the sequence's first step (kIntroduction or kExperimentSeries).
    void startSequence(int sequence);
    void showStep();
    void loadText(const QString& path);

  signals:
    // The run state names the sequence now; its first step is still to come.
    void sequenceStarted();
    // "Tutorial verlassen": back to free mode, if the window agrees.
    void leaveRequested();
    void helpTextRequested(const QString& title, const QString& file);

  private:
    void simulationClicked();
    // After a run: the step's text and its buttons as before the run.
    void restoreAfterRun();

    TutorialPanel& panel_;
    RunController& run_;
    TankDocument& document_;
};

} // namespace zb::ui
