#include "editor/tank_box.h"
#include "main_window_parts.h"
#include "model/simulation_speed.h"
#include "model/tank_file.h"
#include "simulation/simulation_group.h"
#include "test_registry.h"
#include "ui_harness.h"
#include "unstable_tanks.h"
#include "view/engine_panel.h"
#include "view/view_frame.h"
#include "widgets/help_label.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QSlider>
#include <QTest>

#include <QTimer>
#include <cmath>
#include <functional>
#include <utility>

namespace zb::ui::test {

using zb::test::callNumbers;

namespace {

// Lets the run draw at least n more frames.
void runFrames(Harness& h, long long n) {
    const long long target = h.engine.frames + n;
    QTRY_VERIFY_WITH_TIMEOUT(h.engine.frames >= target, 10000);
}

// A tank with a strong exciter in the middle, seen from the default run camera.
void addExciter(Harness& h) {
    h.edit(h.insert(QStringLiteral("Erreger")), [](TObjekt& o) {
        o.erreger()->X = 50;
        o.erreger()->Y = 25;
        o.erreger()->Amplitude = 0.5;
    });
}

} // namespace

class SimulationRunTest : public QObject {
    Q_OBJECT

  private slots:
    void startingARunLeavesTheEnginePaused() {
        Harness h(true);
        SimulationGroup& g = simulationOf(*h.window);
        h.engine.clear();
        part<QPushButton>(*h.window, "Button1").click();
        QVERIFY(h.window->run().active());
        QVERIFY(!h.window->run().state().simulationStopped);
        QVERIFY(h.window->run().state().in3dMode);
        QVERIFY(!g.isHidden() && editPanelOf(*h.window).isHidden());
        QVERIFY(frameOf(*h.window).sbY->isHidden());
        QVERIFY(!h.window->findChild<QTimer*>(QStringLiteral("UpdateTimer")));
        QVERIFY(!actionOf(*h.window, "actOeffnen").isEnabled());
        QVERIFY(g.rbPaused->isChecked());
        QCOMPARE(g.tbSimSpeed->value(), 30);
        QVERIFY(!g.btnSimRun->isHidden());
        QVERIFY(g.rbErregerAn->isChecked());
        QCOMPARE(h.engine.calls.front(), std::string("set3dMode true"));
        QCOMPARE(h.engine.last("setSimulationSpeed"),
                 zb::test::callLine("setSimulationSpeed", 0.0025f));
        QCOMPARE(h.engine.last("enableExciters"), std::string("enableExciters true"));
        // The tank goes over after the controls, then the engine is paused.
        QCOMPARE(h.engine.calls.back(), std::string("setPaused true"));
        QVERIFY(!h.engine.named("resetAll").empty());

        g.btnSimRun->click();
        QVERIFY(g.rbKonstGeschw->isChecked());
        QVERIFY(g.btnSimRun->isHidden());
        QCOMPARE(h.engine.last("setPaused"), std::string("setPaused false"));
        runFrames(h, 3);
    }

    void speedPositionsGiveTheirTimeSteps() {
        QCOMPARE(SimulationGroup::speedOf(0), 0.0001f);
        QCOMPARE(SimulationGroup::speedOf(30), 0.0025f);
        QCOMPARE(SimulationGroup::speedOf(150), 0.0121f);
        QCOMPARE(SimulationGroup::speedOf(31) - SimulationGroup::speedOf(30), 0.00008f);
        // A run starts at position 30, or as far below it as the tank's stable step needs.
        QCOMPARE(SimulationGroup::startTimeStep(1.0), 0.0025f);
        QCOMPARE(SimulationGroup::startTimeStep(0.0025), 0.0025f);
        QCOMPARE(SimulationGroup::startTimeStep(0.0024), SimulationGroup::speedOf(28));
        QCOMPARE(SimulationGroup::startTimeStep(0.0), 0.0001f);
    }

    void theSpeedStopsBelowTheTanksStableStep() {
        Harness h(true);
        // Coupling 7.5 behind a material change: stable only up to 0.00894.
        h.edit(h.insert(QStringLiteral("Materialübergang")),
               [](TObjekt& o) { o.matUebergang()->Kopplung = 7.5; });
        SimulationGroup& g = simulationOf(*h.window);
        h.window->run().start();
        CappedTrackBar& speed = *g.tbSimSpeed;
        speed.setValue(speed.maximum());
        QVERIFY(speed.value() < speed.maximum());
        const double limit = std::sqrt(2.0 / (10000.0 / 3.0 * 7.5));
        QVERIFY(double(SimulationGroup::speedOf(speed.value())) <= limit * 0.98);
        QVERIFY(double(SimulationGroup::speedOf(speed.value() + 1)) > limit * 0.98);
        QCOMPARE(h.engine.last("setSimulationSpeed"),
                 zb::test::callLine("setSimulationSpeed", SimulationGroup::speedOf(speed.value())));
        QVERIFY(speed.toolTip().contains(QStringLiteral("instabil")));
        QTest::keyClick(&speed, Qt::Key_End);
        QCOMPARE(speed.value(), speed.cap());

        // A tank of the designed coupling 4 loses only the last two positions.
        h.window->run().end();
        h.window->NewTank(100, 50);
        h.window->run().start();
        QCOMPARE(speed.cap(), 148);
    }

    void stepByStepShowsWeiterAndPausesAgain() {
        Harness h(true);
        SimulationGroup& g = simulationOf(*h.window);
        h.window->run().start();
        g.RadioButton2->click();
        QVERIFY(!g.btnSimWeiter->isHidden());
        QVERIFY(g.tbSimSpeed->isHidden() && g.lblSimSpeed->isHidden());
        QCOMPARE(h.engine.last("setPaused"), std::string("setPaused true"));
        g.btnSimWeiter->click();
        QCOMPARE(h.engine.last("setPaused"), std::string("setPaused false"));
        QVERIFY(timerOf(*h.window, "timerSchrittweise").isActive());
        QTRY_COMPARE_WITH_TIMEOUT(h.engine.last("setPaused"), std::string("setPaused true"), 2000);
        QVERIFY(!timerOf(*h.window, "timerSchrittweise").isActive());
        g.rbPaused->click();
        QVERIFY(g.btnSimWeiter->isHidden());
        QVERIFY(!g.tbSimSpeed->isHidden() && !g.lblSimSpeed->isHidden());
    }

    void excitersAndViewSwitchesReachTheEngine() {
        Harness h(true);
        SimulationGroup& g = simulationOf(*h.window);
        h.window->run().start();
        g.rbErregerAus->click();
        QCOMPARE(h.engine.last("enableExciters"), std::string("enableExciters false"));
        g.rbErregerAn->click();
        QCOMPARE(h.engine.last("enableExciters"), std::string("enableExciters true"));
        QVERIFY(g.cbDrahtAnsicht->isChecked() && !g.cbScreensTranslucent->isChecked());
        g.cbScreensTranslucent->click();
        QCOMPARE(h.engine.last("setViewParameters"), std::string("setViewParameters true, true"));
        g.cbDrahtAnsicht->click();
        QCOMPARE(h.engine.last("setViewParameters"), std::string("setViewParameters true, false"));
        // Every new run starts with the exciters on.
        g.rbErregerAus->click();
        h.window->run().start();
        QVERIFY(g.rbErregerAn->isChecked());
        QCOMPARE(h.engine.last("enableExciters"), std::string("enableExciters true"));
    }

    void theCameraFollowsTheViewControlsEveryFrame() {
        Harness h(true);
        SimulationGroup& g = simulationOf(*h.window);
        h.window->run().start();
        runFrames(h, 1);
        std::vector<double> eye = callNumbers(h.engine.last("setCamera"));
        QCOMPARE(eye[0], 0.0);
        QCOMPARE(eye[1], 20.0 / 150 * 2.5 * 2.0);
        QCOMPARE(eye[2], 1.5);
        QCOMPARE(eye[3], 0.0);
        QCOMPARE(eye[4], 0.0);
        QCOMPARE(h.engine.last("setPoolAngle"), std::string("setPoolAngle 0"));

        g.tbWinkel->setValue(-90);
        g.tbHoehe->setValue(150); // bird's-eye view
        g.tbEntfernung->setValue(75);
        frameOf(*h.window).sbX->setValue(0);
        h.engine.clear();
        runFrames(h, 1);
        QCOMPARE(h.engine.last("setPoolAngle"), std::string("setPoolAngle -180"));
        eye = callNumbers(h.engine.last("setCamera"));
        QCOMPARE(eye[0], 0.0); // the scroll bar no longer moves the view
        QCOMPARE(eye[1], 1.0);
        QCOMPARE(eye[2], 0.0);

        g.tbHoehe->setValue(149);
        g.tbWinkel->setValue(270);
        h.engine.clear();
        runFrames(h, 1);
        QCOMPARE(h.engine.last("setPoolAngle"), std::string("setPoolAngle 180"));
        QCOMPARE(callNumbers(h.engine.last("setCamera"))[0], -0.5);

        // Eye on the target: the engine survives and the run goes on.
        g.tbHoehe->setValue(0);
        g.tbEntfernung->setValue(0);
        runFrames(h, 1);
        QVERIFY(h.window->run().active());
    }

    void resetBringsAnEmptyPausedPool() {
        Harness h(true);
        addExciter(h);
        SimulationGroup& g = simulationOf(*h.window);
        h.window->run().start();
        g.btnSimRun->click();
        runFrames(h, 20);
        const QImage moving = h.grabPanel();
        h.engine.clear();
        g.btnSimReset->click();
        QVERIFY(h.window->run().active());
        QVERIFY(!g.btnSimRun->isHidden());
        QVERIFY(g.rbPaused->isChecked());
        QCOMPARE(h.engine.last("setPaused"), std::string("setPaused true"));
        QVERIFY(!h.engine.named("resetAll").empty());
        runFrames(h, 1);
        const QImage reset = h.grabPanel();
        QTest::qWait(200);
        QVERIFY(h.grabPanel() == reset); // paused
        QVERIFY(reset != moving);
    }

    void thePictureMovesWhileRunningAndStandsWhilePaused() {
        Harness h(true);
        addExciter(h);
        SimulationGroup& g = simulationOf(*h.window);
        h.window->run().start();
        runFrames(h, 1);
        const QImage paused = h.grabPanel();
        QTest::qWait(200);
        QVERIFY(h.grabPanel() == paused);
        g.btnSimRun->click();
        runFrames(h, 30);
        QVERIFY(h.grabPanel() != paused);
        QTRY_VERIFY_WITH_TIMEOUT(
            g.lblBilderProSekunde->text().startsWith(QStringLiteral("Bilder/s: ")), 5000);
    }

    void aPausedRunDrawsOnlyWhenWhatItShowsChanges() {
        Harness h(true);
        SimulationGroup& g = simulationOf(*h.window);
        h.window->run().start();
        runFrames(h, 1);
        // The run panel's layout may settle a moment later on a busy machine, and the picture
        // of the new size is drawn once more; after that it idles, not drawing the same picture
        // again and again.
        long long frames = -1;
        for (int k = 0; k < 5 && frames != h.engine.frames; ++k) {
            frames = h.engine.frames;
            QTest::qWait(300);
        }
        QCOMPARE(h.engine.frames, frames);

        // Each change is drawn at once, however many come within one turn.
        g.tbWinkel->setValue(45);
        g.tbHoehe->setValue(60);
        frameOf(*h.window).sbX->setValue(20);
        runFrames(h, 1);
        QTest::qWait(200);
        QCOMPARE(h.engine.frames, frames + 1);
        QCOMPARE(h.engine.last("setPoolAngle"), std::string("setPoolAngle -45"));
        g.cbDrahtAnsicht->click();
        QTRY_COMPARE(h.engine.frames, frames + 2);

        // A step of the step-by-step mode draws while it lasts, then idles again.
        g.RadioButton2->click();
        frames = h.engine.frames;
        g.btnSimWeiter->click();
        QTRY_VERIFY_WITH_TIMEOUT(!timerOf(*h.window, "timerSchrittweise").isActive(), 2000);
        QVERIFY(h.engine.frames > frames + 1);
        QTest::qWait(50);
        frames = h.engine.frames;
        QTest::qWait(300);
        QCOMPARE(h.engine.frames, frames);

        // Running, it draws continuously.
        g.rbKonstGeschw->click();
        runFrames(h, 20);
    }

    void handMadeValuesThatNoStepKeepsStableAreOpenedButNotRun() {
        const auto& tanks = zb::test::kUnstableTanks;
        Harness h(true);
        for (const auto& t : tanks) {
            const QString path =
                QString::fromUtf8(ZB_TEST_DATA_DIR "/unstable-values/") + QString::fromUtf8(t.file);
            TZBecken asRead;
            QVERIFY(asRead.LoadFromFile(QFile::encodeName(path).toStdString()));
            h.dialogs.errors.clear();
            QVERIFY(h.window->openTankFile(path));
            QVERIFY(h.dialogs.errors.isEmpty());
            QVERIFY(serializeTank(h.tank()) == serializeTank(asRead)); // nothing lost
            h.engine.clear();
            part<QPushButton>(*h.window, "Button1").click();
            QVERIFY(!h.window->run().active());
            QVERIFY(simulationOf(*h.window).isHidden());
            QVERIFY(h.engine.named("set3dMode").empty());
            QCOMPARE(h.dialogs.errors.size(), 1);
            QVERIFY2(h.dialogs.errors[0].startsWith(QStringLiteral("Simulation starten | ") +
                                                    QString::fromUtf8(t.reason)),
                     qPrintable(h.dialogs.errors[0]));
            QVERIFY(serializeTank(h.tank()) == serializeTank(asRead));
        }
    }

    void aFieldThatStopsBeingFiniteStopsTheRunSaysSoAndIsMarkedViolet() {
        Harness h(true);
        addExciter(h);
        SimulationGroup& g = simulationOf(*h.window);
        h.window->run().start();
        g.btnSimRun->click();
        runFrames(h, 3);
        QVERIFY(h.dialogs.errors.isEmpty());
        // Far above the tank's stable step: the field breaks down within a few dozen steps.
        h.engine.setSimulationSpeed(0.2f);
        QTRY_VERIFY_WITH_TIMEOUT(!h.dialogs.errors.isEmpty(), 10000);
        QCOMPARE(h.dialogs.errors.size(), 1);
        QVERIFY2(h.dialogs.errors[0].startsWith(QStringLiteral("Simulation angehalten | Bei t = ")),
                 qPrintable(h.dialogs.errors[0]));
        QVERIFY(h.dialogs.errors[0].contains(
            QStringLiteral("ist das Feld keine endliche Zahl mehr: die Rechnung ist instabil "
                           "geworden.")));
        QVERIFY(h.window->run().active());
        QVERIFY(g.rbPaused->isChecked());
        QCOMPARE(h.engine.last("setPaused"), std::string("setPaused true"));
        const auto violet = [&h] {
            const QImage panel = h.grabPanel().convertToFormat(QImage::Format_RGB32);
            int count = 0;
            for (int y = 0; y < panel.height(); ++y)
                for (int x = 0; x < panel.width(); ++x)
                    count += panel.pixel(x, y) == qRgb(200, 0, 200);
            return count;
        };
        QVERIFY(violet() > 100);

        // Going on stops again at once, without a second message; a reset starts afresh.
        g.rbKonstGeschw->click();
        QTRY_VERIFY_WITH_TIMEOUT(g.rbPaused->isChecked(), 5000);
        QCOMPARE(h.dialogs.errors.size(), 1);
        g.btnSimReset->click();
        runFrames(h, 1);
        QCOMPARE(violet(), 0);
    }

    void stoppingResendsTheTankAndReturnsToEditing() {
        Harness h(true);
        SimulationGroup& g = simulationOf(*h.window);
        h.window->run().start();
        g.btnSimRun->click();
        runFrames(h, 5);
        h.engine.clear();
        simulationOf(*h.window).Button2->click();
        QVERIFY(!h.window->run().active());
        QVERIFY(h.window->run().state().simulationStopped);
        QVERIFY(!h.window->run().state().in3dMode);
        QCOMPARE(h.engine.calls.front(), std::string("set3dMode false"));
        QVERIFY(!h.engine.named("resetAll").empty());
        QCOMPARE(h.engine.last("setPoolAngle"), std::string("setPoolAngle 0"));
        QVERIFY(g.isHidden() && !editPanelOf(*h.window).isHidden());
        QVERIFY(!frameOf(*h.window).sbY->isHidden());
        QVERIFY(actionOf(*h.window, "actOeffnen").isEnabled());
        // Edits reach the engine again.
        h.editor().gbWannenWerte->tbStandardKoppl->setValue(100);
        QTRY_COMPARE(h.engine.last("createEmptyPool"),
                     std::string("createEmptyPool 100, 50, 0, 5, 0"));
        const long long frames = h.engine.frames;
        h.window->run().end(); // a second end changes nothing
        QTest::qWait(100);
        QCOMPARE(h.engine.frames, frames);
        QVERIFY(!editPanelOf(*h.window).isHidden());
    }

    void aNewTankOrClosingEndsTheRun() {
        Harness h(true);
        h.window->run().start();
        h.window->files().NewCommand();
        QVERIFY(!h.window->run().active());
        QVERIFY(!h.window->run().state().in3dMode);
        h.window->run().start();
        h.window->close();
        QVERIFY(!h.window->run().active());
        QVERIFY(!h.window->findChild<QTimer*>(QStringLiteral("UpdateTimer")));
        QVERIFY(simulationOf(*h.window).isHidden());
    }

    // Closing decides alone: nothing else runs inside it, neither something posted before nor a
    // second close that arrives while "Speichern?" is asked, during a run or with its stop
    // requested.
    void closingDuringARunOrItsStopDoesNotReenter() {
        struct ClosingDialogs : ScriptedDialogs {
            std::function<void()> whileAsking;
            Answer askYesNoCancel(const QString& caption, const QString& question) override {
                if (whileAsking) {
                    std::exchange(whileAsking, nullptr)();
                }
                return ScriptedDialogs::askYesNoCancel(caption, question);
            }
        };
        Harness h(true);
        ClosingDialogs dialogs;
        setUserDialogs(&dialogs);
        int closed = 0;
        QObject::connect(h.window.get(), &TfrmMain::closed, [&closed] { ++closed; });
        h.insert(QStringLiteral("Wand"));
        for (const bool stopRequested : {false, true}) {
            h.window->show();
            QVERIFY(QTest::qWaitForWindowExposed(h.window.get()));
            h.window->run().start();
            h.window->run().state().simulationStopped = stopRequested;
            bool closing = true, ranWhileClosing = false;
            QMetaObject::invokeMethod(
                h.window.get(), [&] { ranWhileClosing = closing; }, Qt::QueuedConnection);
            dialogs.whileAsking = [&h] {
                QCloseEvent again;
                QCoreApplication::sendEvent(h.window.get(), &again);
            };
            QVERIFY(h.window->close());
            closing = false;
            QCoreApplication::processEvents();
            QVERIFY(!ranWhileClosing);
            QCOMPARE(dialogs.questions.size(), stopRequested ? 2 : 1);
            QCOMPARE(closed, stopRequested ? 2 : 1);
            QVERIFY(!h.window->run().active() && h.window->isHidden());
        }
        setUserDialogs(&h.dialogs);
    }
};

static RegisterTest<SimulationRunTest> registerSimulationRunTest;

} // namespace zb::ui::test

#include "test_simulation_run.moc"
