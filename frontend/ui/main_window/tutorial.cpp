// The guided sequences of the main window: paging through the steps, their texts and example
// tanks, and runs started from a step.
#include "editor/object_editor.h"
#include "help/data_files.h"
#include "main_window/main_window.h"
#include "simulation/display_group.h"
#include "simulation/simulation_group.h"
#include "tutorial/tutorial_panel.h"
#include "tutorial/tutorial_steps.h"

#include <QFile>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTextEdit>

namespace zb::ui {

void TfrmMain::StartIntroduction() {
    startSequence(kIntroduction);
}

void TfrmMain::StartExperimentSeries() {
    startSequence(kExperimentSeries);
}

void TfrmMain::startSequence(int sequence) {
    TutorialPanel& p = *panTutorial;
    p.show();
    p.btnTutorialWeiter->show();
    p.btnStartSim->hide();
    p.btnLeaveTutorial->hide();
    p.btnSimScreenHelp->hide();
    panEdit->hide();
    MainMenu->hide();
    MenuEinfuehrung->show();
    run_.tutorialSequence = sequence;
    run_.tutorialStep = 1;
    gbSimulation->gbDarstellung->startSequence();
    ShowTutorialStep();
}

void TfrmMain::ShowTutorialStep() {
    if (run_.tutorialSequence != kIntroduction && run_.tutorialSequence != kExperimentSeries) {
        return;
    }
    TutorialPanel& p = *panTutorial;
    if (run_.tutorialStep > TutorialStepCount[run_.tutorialSequence]) {
        LoadTutorialText(QString::fromLatin1(kTutorialFinishedText));
        p.btnTutorialWeiter->hide();
        p.btnTutorialZurueck->hide();
        p.btnStartSim->hide();
        p.btnLeaveTutorial->show();
        return;
    }
    run_.tutorialStep = qMax(run_.tutorialStep, 1);
    p.btnTutorialWeiter->show();
    p.btnTutorialZurueck->show();
    p.btnLeaveTutorial->hide();
    p.btnTutorialZurueck->setEnabled(run_.tutorialStep > 1);
    if (run_.tutorialSequence == kIntroduction) {
        if (run_.tutorialStep > 1) {
            p.btnStartSim->show();
        }
    } else {
        p.btnSimScreenHelp->hide();
        p.btnStartSim->show();
    }
    RefreshEngine();
    const TutorialStep& step = TutorialSteps[run_.tutorialSequence][run_.tutorialStep];
    const QString tankPath = programDataPath(QString::fromLatin1(step.tank));
    if (document_.load(QFile::encodeName(tankPath).toStdString()) == TankReadResult::CannotOpen) {
        // The step's text still explains what was meant to be seen.
        reportUnreadableFile(tankPath);
    }
    LoadTutorialText(QString::fromLatin1(step.text));
}

void TfrmMain::LoadTutorialText(const QString& path) {
    QTextEdit& text = *panTutorial->reTutorial;
    text.clear();
    if (!loadRichTextFile(programDataPath(path), text)) {
        return;
    }
    if (text.isVisible() && isVisible() && panTutorial->isVisible()) {
        text.setFocus();
    }
    text.moveCursor(QTextCursor::Start);
    text.ensureCursorVisible();
    text.verticalScrollBar()->setValue(text.verticalScrollBar()->minimum());
}

void TfrmMain::tutorialSimulationClick() {
    TutorialPanel& p = *panTutorial;
    if (!runActive()) {
        p.btnStartSim->setText(QStringLiteral("Simulation anhalten"));
        p.btnTutorialWeiter->setEnabled(false);
        p.btnTutorialZurueck->setEnabled(false);
        if (run_.tutorialSequence == kIntroduction) {
            p.reTutorial->clear();
            loadRichTextFile(programDataPath(QString::fromLatin1(kSimulationMenuText)),
                             *p.reTutorial);
        } else {
            p.btnSimScreenHelp->show();
        }
        RunSimulation();
        return;
    }
    run_.simulationStopped = true;
    p.btnStartSim->setText(QStringLiteral("Zur Simulation!"));
    p.btnSimScreenHelp->hide();
    StopRun();
    RefreshEngine();
}

void TfrmMain::restoreTutorialAfterRun() {
    if (run_.tutorialSequence != kIntroduction && run_.tutorialSequence != kExperimentSeries) {
        return;
    }
    TutorialPanel& p = *panTutorial;
    p.btnStartSim->setText(QStringLiteral("Zur Simulation!"));
    p.btnSimScreenHelp->hide();
    if (run_.tutorialStep >= 1 && run_.tutorialStep <= TutorialStepCount[run_.tutorialSequence]) {
        LoadTutorialText(
            QString::fromLatin1(TutorialSteps[run_.tutorialSequence][run_.tutorialStep].text));
    }
    if (p.btnTutorialWeiter->isVisible()) {
        p.btnTutorialWeiter->setEnabled(true);
        p.btnTutorialZurueck->setEnabled(run_.tutorialStep > 1);
    }
}

void TfrmMain::connectTutorial() {
    TutorialPanel& p = *panTutorial;
    connect(p.btnTutorialWeiter, &QPushButton::clicked, this, [this] {
        ++run_.tutorialStep;
        ShowTutorialStep();
    });
    connect(p.btnTutorialZurueck, &QPushButton::clicked, this, [this] {
        --run_.tutorialStep;
        ShowTutorialStep();
    });
    connect(p.btnStartSim, &QPushButton::clicked, this, &TfrmMain::tutorialSimulationClick);
    connect(p.btnSimScreenHelp, &QPushButton::clicked, this, [this] {
        emit helpTextRequested(QStringLiteral("Simulationsbildschirm"),
                               QStringLiteral("Einfuehrung\\Simulationsmenue.rtf"));
    });
    connect(p.btnLeaveTutorial, &QPushButton::clicked, this, [this] {
        if (mayDiscardTank(false)) {
            enterFreeMode();
            gbSimulation->gbDarstellung->applyToEngine(); // free mode's choices back at once
        }
    });
}

} // namespace zb::ui
