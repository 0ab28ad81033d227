#include "help/data_files.h"
#include "help/text_window.h"
#include "main_window_parts.h"
#include "model/tank_file.h"
#include "program_harness.h"
#include "simulation/simulation_group.h"
#include "test_registry.h"
#include "tutorial/tutorial_panel.h"
#include "tutorial/tutorial_steps.h"

#include <QFile>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>

namespace zb::ui::test {

namespace {

// The example tank of a step, read straight from its file.
std::vector<uint8_t> exampleBytes(int sequence, int step) {
    TZBecken example;
    const QString path = programDataPath(QString::fromLatin1(TutorialSteps[sequence][step].tank));
    if (!example.LoadFromFile(QFile::encodeName(path).toStdString())) {
        return {};
    }
    return serializeTank(example);
}

struct Sequence : ProgramHarness {
    explicit Sequence(int entry) {
        w->frmStart.show();
        w->startEntry(entry);
    }
    TfrmMain& main() { return w->frmMain; }
    TutorialPanel& panel() { return tutorialOf(w->frmMain); }
    int step() { return w->frmMain.run().state().tutorialStep; }
    const TZBecken& tank() { return w->frmMain.document().tank(); }
    QString text() { return panel().reTutorial->toPlainText(); }
};

} // namespace

class TutorialTest : public QObject {
    Q_OBJECT

  private slots:
    void theIntroductionPagesThroughSixStepsAndBack() {
        Sequence s(4);
        TutorialPanel& p = s.panel();
        QCOMPARE(s.step(), 1);
        QVERIFY(!p.btnTutorialZurueck->isEnabled() && !p.btnTutorialZurueck->isHidden());
        QVERIFY(p.btnTutorialWeiter->isEnabled());
        QVERIFY(p.btnStartSim->isHidden());
        QVERIFY(p.btnLeaveTutorial->isHidden());
        QVERIFY(!s.text().isEmpty());
        QVERIFY(serializeTank(s.tank()) == exampleBytes(1, 1));

        QStringList texts{s.text()};
        for (int step = 2; step <= 6; ++step) {
            p.btnTutorialWeiter->click();
            QCOMPARE(s.step(), step);
            QVERIFY(p.btnTutorialZurueck->isEnabled());
            QVERIFY(!p.btnStartSim->isHidden());
            QVERIFY(serializeTank(s.tank()) == exampleBytes(1, step));
            QVERIFY(!texts.contains(s.text())); // every step has its own text
            texts << s.text();
        }
        p.btnTutorialWeiter->click();
        QVERIFY(p.btnTutorialWeiter->isHidden() && p.btnTutorialZurueck->isHidden() &&
                p.btnStartSim->isHidden());
        QVERIFY(!p.btnLeaveTutorial->isHidden());
        QVERIFY(!texts.contains(s.text()));

        // Going back from step 2 to step 1 keeps "Zur Simulation!" in the introduction.
        s.main().StartIntroduction();
        p.btnTutorialWeiter->click();
        p.btnTutorialZurueck->click();
        QCOMPARE(s.step(), 1);
        QVERIFY(!p.btnStartSim->isHidden());
        QVERIFY(!p.btnTutorialZurueck->isEnabled());
        QVERIFY(s.dialogs.errors.isEmpty());
    }

    void theSeriesEndsAfterFourStepsAndLeadsIntoFreeMode() {
        Sequence s(5);
        TutorialPanel& p = s.panel();
        QVERIFY(!p.btnStartSim->isHidden()); // on every step of the series
        QVERIFY(!p.btnTutorialZurueck->isEnabled());
        for (int step = 2; step <= 4; ++step) {
            p.btnTutorialWeiter->click();
            QVERIFY(serializeTank(s.tank()) == exampleBytes(2, step));
        }
        p.btnTutorialWeiter->click();
        QVERIFY(!p.btnLeaveTutorial->isHidden());
        p.btnLeaveTutorial->click();
        QCOMPARE(s.main().run().state().tutorialSequence, 0);
        QVERIFY(p.isHidden() && !editPanelOf(s.main()).isHidden());
        QVERIFY(!menuBarOf(s.main(), "MainMenu").isHidden());
        QCOMPARE(s.tank().Objekte->Count(), 1);
        QVERIFY(s.dialogs.questions.isEmpty()); // examples are not the user's work
        QVERIFY(s.dialogs.errors.isEmpty());
    }

    void aRunFromAStepBlocksTheStepButtonsUntilItEnds() {
        Sequence s(5);
        TutorialPanel& p = s.panel();
        const QString stepText = s.text();
        p.btnStartSim->click();
        QVERIFY(s.main().run().active());
        QCOMPARE(p.btnStartSim->text(), QStringLiteral("Simulation anhalten"));
        QVERIFY(!p.btnTutorialWeiter->isEnabled() && !p.btnTutorialZurueck->isEnabled());
        QVERIFY(!p.btnSimScreenHelp->isHidden());
        QVERIFY(!simulationOf(s.main()).isHidden());
        QVERIFY(editPanelOf(s.main()).isHidden()); // the strip holds only the group
        p.btnSimScreenHelp->click();
        QCOMPARE(s.w->frmText.windowTitle(), QStringLiteral("Simulationsbildschirm"));

        p.btnStartSim->click();
        QVERIFY(!s.main().run().active());
        QCOMPARE(p.btnStartSim->text(), QStringLiteral("Zur Simulation!"));
        QVERIFY(p.btnSimScreenHelp->isHidden());
        QVERIFY(p.btnTutorialWeiter->isEnabled());
        QVERIFY(!p.btnTutorialZurueck->isEnabled()); // still step 1
        QCOMPARE(s.text(), stepText);
        QVERIFY(editPanelOf(s.main()).isHidden());
        QVERIFY(s.dialogs.errors.isEmpty());
    }

    void aResetKeepsTheStepButtonsOfTheRunningStep() {
        Sequence s(5);
        TutorialPanel& p = s.panel();
        p.btnTutorialWeiter->click(); // from step 2 on "<< Zurück" is enabled outside a run
        p.btnStartSim->click();
        QVERIFY(!p.btnTutorialZurueck->isEnabled() && !p.btnTutorialWeiter->isEnabled());
        simulationOf(s.main()).btnSimReset->click();
        QVERIFY(s.main().run().active());
        QCOMPARE(p.btnStartSim->text(), QStringLiteral("Simulation anhalten"));
        QVERIFY(!p.btnTutorialZurueck->isEnabled() && !p.btnTutorialWeiter->isEnabled());
        QVERIFY(!p.btnSimScreenHelp->isHidden());
        QVERIFY(p.btnSimScreenHelp->sizeHint().width() <= p.btnSimScreenHelp->width());
        QCOMPARE(s.step(), 2);
        p.btnStartSim->click();
        QVERIFY(p.btnTutorialZurueck->isEnabled() && p.btnTutorialWeiter->isEnabled());
    }

    void theIntroductionExplainsTheControlsDuringARun() {
        Sequence s(4);
        TutorialPanel& p = s.panel();
        p.btnTutorialWeiter->click();
        const QString stepText = s.text();
        p.btnStartSim->click();
        QVERIFY(s.text() != stepText);
        QVERIFY(s.text().contains(QStringLiteral("Simulation starten")));
        QVERIFY(p.btnSimScreenHelp->isHidden());
        // Leaving through the group's own button restores the step as well.
        simulationOf(s.main()).Button2->click();
        QVERIFY(!s.main().run().active());
        QCOMPARE(s.text(), stepText);
        QVERIFY(p.btnTutorialWeiter->isEnabled() && p.btnTutorialZurueck->isEnabled());
        QCOMPARE(p.btnStartSim->text(), QStringLiteral("Zur Simulation!"));
    }
};

static RegisterTest<TutorialTest> registerTutorialTest;

} // namespace zb::ui::test

#include "test_tutorial.moc"
