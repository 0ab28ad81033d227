#include "run/tutorial_driver.h"

#include "help/data_files.h"
#include "run/run_controller.h"
#include "tutorial/tutorial_panel.h"
#include "tutorial/tutorial_steps.h"

#include <QFile>
#include <QPushButton>
#include <QScrollBar>
#include <QTextEdit>

namespace zb::ui {

TutorialDriver::TutorialDriver(TutorialPanel& panel, RunController& run, TankDocument& document,
                               QObject* parent)
    : QObject(parent), panel_(panel), run_(run), document_(document) {
    RunState& state = run_.state();
    connect(panel_.btnTutorialWeiter, &QPushButton::clicked, this, [this, &state] {
        ++state.tutorialStep;
        showStep();
    });
    connect(panel_.btnTutorialZurueck, &QPushButton::clicked, this, [this, &state] {
        --state.tutorialStep;
        showStep();
    });
    connect(panel_.btnStartSim, &QPushButton::clicked, this, &TutorialDriver::simulationClicked);
    connect(panel_.btnSimScreenHelp, &QPushButton::clicked, this, [this] {
        emit helpTextRequested(QStringLiteral("Simulationsbildschirm"),
                               QStringLiteral("Einfuehrung\\Simulationsmenue.rtf"));
    });
    connect(panel_.btnLeaveTutorial, &QPushButton::clicked, this, &TutorialDriver::leaveRequested);
    connect(&run_, &RunController::ended, this, &TutorialDriver::restoreAfterRun);
}

void TutorialDriver::startSequence(int sequence) {
    TutorialPanel& p = panel_;
    p.show();
    p.btnTutorialWeiter->show();
    p.btnStartSim->hide();
    p.btnLeaveTutorial->hide();
    p.btnSimScreenHelp->hide();
    run_.state().tutorialSequence = sequence;
    run_.state().tutorialStep = 1;
    emit sequenceStarted();
    showStep();
}

void TutorialDriver::showStep() {
    RunState& s = run_.state();
    if (s.tutorialSequence != kIntroduction && s.tutorialSequence != kExperimentSeries) {
        return;
    }
    TutorialPanel& p = panel_;
    if (s.tutorialStep > TutorialStepCount[s.tutorialSequence]) {
        loadText(QString::fromLatin1(kTutorialFinishedText));
        p.btnTutorialWeiter->hide();
        p.btnTutorialZurueck->hide();
        p.btnStartSim->hide();
        p.btnLeaveTutorial->show();
        return;
    }
    s.tutorialStep = qMax(s.tutorialStep, 1);
    p.btnTutorialWeiter->show();
    p.btnTutorialZurueck->show();
    p.btnLeaveTutorial->hide();
    p.btnTutorialZurueck->setEnabled(s.tutorialStep > 1);
    if (s.tutorialSequence == kIntroduction) {
        if (s.tutorialStep > 1) {
            p.btnStartSim->show();
        }
    } else {
        p.btnSimScreenHelp->hide();
        p.btnStartSim->show();
    }
    run_.refreshEngine();
    const TutorialStep& step = TutorialSteps[s.tutorialSequence][s.tutorialStep];
    const QString tankPath = programDataPath(QString::fromLatin1(step.tank));
    if (document_.load(QFile::encodeName(tankPath).toStdString()) == TankReadResult::CannotOpen) {
        // The step's text still explains what was meant to be seen.
        reportUnreadableFile(tankPath);
    }
    loadText(QString::fromLatin1(step.text));
}

void TutorialDriver::loadText(const QString& path) {
    QTextEdit& text = *panel_.reTutorial;
    text.clear();
    if (!loadRichTextFile(programDataPath(path), text)) {
        return;
    }
    if (text.isVisible() && panel_.window()->isVisible() && panel_.isVisible()) {
        text.setFocus();
    }
    text.moveCursor(QTextCursor::Start);
    text.ensureCursorVisible();
    text.verticalScrollBar()->setValue(text.verticalScrollBar()->minimum());
}

void TutorialDriver::simulationClicked() {
    TutorialPanel& p = panel_;
    if (!run_.active()) {
        p.btnStartSim->setText(QStringLiteral("Simulation anhalten"));
        p.btnTutorialWeiter->setEnabled(false);
        p.btnTutorialZurueck->setEnabled(false);
        if (run_.state().tutorialSequence == kIntroduction) {
            p.reTutorial->clear();
            loadRichTextFile(programDataPath(QString::fromLatin1(kSimulationMenuText)),
                             *p.reTutorial);
        } else {
            p.btnSimScreenHelp->show();
        }
        run_.start();
        return;
    }
    run_.state().simulationStopped = true;
    p.btnStartSim->setText(QStringLiteral("Zur Simulation!"));
    p.btnSimScreenHelp->hide();
    run_.stop();
    run_.refreshEngine();
}

void TutorialDriver::restoreAfterRun() {
    const RunState& s = run_.state();
    if (s.tutorialSequence != kIntroduction && s.tutorialSequence != kExperimentSeries) {
        return;
    }
    TutorialPanel& p = panel_;
    p.btnStartSim->setText(QStringLiteral("Zur Simulation!"));
    p.btnSimScreenHelp->hide();
    if (s.tutorialStep >= 1 && s.tutorialStep <= TutorialStepCount[s.tutorialSequence]) {
        loadText(QString::fromLatin1(TutorialSteps[s.tutorialSequence][s.tutorialStep].text));
    }
    if (p.btnTutorialWeiter->isVisible()) {
        p.btnTutorialWeiter->setEnabled(true);
        p.btnTutorialZurueck->setEnabled(s.tutorialStep > 1);
    }
}

} // namespace zb::ui
