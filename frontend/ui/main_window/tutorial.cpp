// The guided sequences of the main window: paging through the steps, their texts and example
// tanks, and runs started from a step.
#include "editor/object_editor.h"
#include "help/data_files.h"
#include "main_window/main_window.h"
#include "tutorial/tutorial_panel.h"
#include "tutorial/tutorial_steps.h"

#include <QFile>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTextEdit>

#include <stdexcept>

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
    tutorialSequence = sequence;
    tutorialStep = 1;
    ShowTutorialStep();
}

void TfrmMain::ShowTutorialStep() {
    if (tutorialSequence != kIntroduction && tutorialSequence != kExperimentSeries) {
        return;
    }
    TutorialPanel& p = *panTutorial;
    if (tutorialStep > TutorialStepCount[tutorialSequence]) {
        LoadTutorialText(QString::fromLatin1(kTutorialFinishedText));
        p.btnTutorialWeiter->hide();
        p.btnTutorialZurueck->hide();
        p.btnStartSim->hide();
        p.btnLeaveTutorial->show();
        return;
    }
    tutorialStep = qMax(tutorialStep, 1);
    p.btnTutorialWeiter->show();
    p.btnTutorialZurueck->show();
    p.btnLeaveTutorial->hide();
    p.btnTutorialZurueck->setEnabled(tutorialStep > 1);
    if (tutorialSequence == kIntroduction) {
        if (tutorialStep > 1) {
            p.btnStartSim->show();
        }
    } else {
        p.btnSimScreenHelp->hide();
        p.btnStartSim->show();
    }
    RefreshEngine();
    const TutorialStep& step = TutorialSteps[tutorialSequence][tutorialStep];
    editor->FillTree(-1); // the editor must not keep pointing into the objects being replaced
    try {
        tank->LoadFromFile(
            QFile::encodeName(programDataPath(QString::fromLatin1(step.tank))).toStdString());
    } catch (const std::runtime_error&) {
        // The step's text still explains what was meant to be seen.
        reportUnreadableFile(programDataPath(QString::fromLatin1(step.tank)));
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
        if (tutorialSequence == kIntroduction) {
            p.reTutorial->clear();
            loadRichTextFile(programDataPath(QString::fromLatin1(kSimulationMenuText)),
                             *p.reTutorial);
        } else {
            p.btnSimScreenHelp->show();
        }
        RunSimulation();
        return;
    }
    simulationStopped = true;
    p.btnStartSim->setText(QStringLiteral("Zur Simulation!"));
    p.btnSimScreenHelp->hide();
    StopRun();
    RefreshEngine();
}

void TfrmMain::restoreTutorialAfterRun() {
    if (tutorialSequence != kIntroduction && tutorialSequence != kExperimentSeries) {
        return;
    }
    TutorialPanel& p = *panTutorial;
    p.btnStartSim->setText(QStringLiteral("Zur Simulation!"));
    p.btnSimScreenHelp->hide();
    if (tutorialStep >= 1 && tutorialStep <= TutorialStepCount[tutorialSequence]) {
        LoadTutorialText(QString::fromLatin1(TutorialSteps[tutorialSequence][tutorialStep].text));
    }
    if (p.btnTutorialWeiter->isVisible()) {
        p.btnTutorialWeiter->setEnabled(true);
        p.btnTutorialZurueck->setEnabled(tutorialStep > 1);
    }
}

void TfrmMain::connectTutorial() {
    TutorialPanel& p = *panTutorial;
    connect(p.btnTutorialWeiter, &QPushButton::clicked, this, [this] {
        ++tutorialStep;
        ShowTutorialStep();
    });
    connect(p.btnTutorialZurueck, &QPushButton::clicked, this, [this] {
        --tutorialStep;
        ShowTutorialStep();
    });
    connect(p.btnStartSim, &QPushButton::clicked, this, &TfrmMain::tutorialSimulationClick);
    connect(p.btnSimScreenHelp, &QPushButton::clicked, this, [this] {
        emit helpTextRequested(QStringLiteral("Simulationsbildschirm"),
                               QStringLiteral("Einfuehrung\\Simulationsmenue.rtf"));
    });
    connect(p.btnLeaveTutorial, &QPushButton::clicked, this, &TfrmMain::enterFreeMode);
}

} // namespace zb::ui
