#include "editor/exciter_box.h"
#include "editor/object_editor.h"
#include "main_window_parts.h"
#include "model/simulation_time.h"
#include "program_harness.h"
#include "simulation/display_group.h"
#include "simulation/simulation_group.h"
#include "test_registry.h"
#include "ui_harness.h"
#include "widgets/help_label.h"
#include "widgets/spin_edit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <functional>

namespace zb::ui::test {

using zb::test::callLine;

namespace {

// Whether the engine's latest pool got the display choices after it was built.
bool sentAfterTheTank(const RecordingEngine& engine, int colorMode, float heightScale,
                      bool screenIntensity) {
    size_t pool = 0;
    for (size_t k = 0; k < engine.calls.size(); ++k) {
        if (engine.calls[k].rfind("createEmptyPool", 0) == 0) {
            pool = k;
        }
    }
    const std::string wanted[] = {callLine("setColorMode", colorMode),
                                  callLine("setHeightScale", heightScale),
                                  callLine("setScreenIntensity", screenIntensity)};
    for (const std::string& call : wanted) {
        if (std::find(engine.calls.begin() + long(pool), engine.calls.end(), call) ==
            engine.calls.end()) {
            return false;
        }
    }
    return true;
}

} // namespace

class DisplaySettingsTest : public QObject {
    Q_OBJECT

  private slots:
    void aNewUserGetsTheDesignedPicture() {
        Harness h(true);
        const DisplayGroup& d = *simulationOf(*h.window).gbDarstellung;
        QCOMPARE(d.cbFaerbung->currentText(), QStringLiteral("Normale Farben"));
        QCOMPARE(d.lblHoehenfaktor->text(), QStringLiteral("Höhe ×1,0"));
        QVERIFY(!d.cbSchirmIntensitaet->isChecked());
        h.window->run().start();
        QVERIFY(sentAfterTheTank(h.engine, 0, 1.0f, false));
    }

    void choicesReachTheEngineAtOnceAndRedrawAPausedRun() {
        Harness h(true);
        SimulationGroup& g = simulationOf(*h.window);
        DisplayGroup& d = *g.gbDarstellung;
        h.window->run().start();
        QVERIFY(g.rbPaused->isChecked());
        QVERIFY(!d.isHidden());

        const auto redraws = [&](const std::function<void()>& change, const std::string& call) {
            QTRY_VERIFY(!timerOf(*h.window, "runTimer").isActive()); // paused: no more frames
            const long long frames = h.engine.frames;
            h.engine.clear();
            change();
            QCOMPARE(h.engine.last(call.substr(0, call.find(' '))), call);
            QTRY_VERIFY(h.engine.frames > frames);
        };
        redraws([&] { d.cbFaerbung->setCurrentIndex(2); }, callLine("setColorMode", 2));
        redraws([&] { d.tbHoehenfaktor->setValue(10); }, callLine("setHeightScale", 2.0f));
        QCOMPARE(d.lblHoehenfaktor->text(), QStringLiteral("Höhe ×2,0"));
        redraws([&] { d.cbSchirmIntensitaet->click(); }, callLine("setScreenIntensity", true));

        // A reset builds the pool anew; the engine starts it with its own defaults.
        h.engine.clear();
        g.btnSimReset->click();
        QVERIFY(sentAfterTheTank(h.engine, 2, 2.0f, true));
    }

    void choicesSurviveARestartOfTheProgram() {
        {
            ProgramHarness first;
            first.enterFreeMode();
            DisplayGroup& d = *simulationOf(first.w->frmMain).gbDarstellung;
            d.cbFaerbung->setCurrentIndex(1);
            d.tbHoehenfaktor->setValue(d.tbHoehenfaktor->minimum());
            d.cbSchirmIntensitaet->setChecked(true);
        }
        ProgramHarness again({}, false);
        again.enterFreeMode();
        const DisplayGroup& d = *simulationOf(again.w->frmMain).gbDarstellung;
        QCOMPARE(d.cbFaerbung->currentIndex(), 1);
        QCOMPARE(d.tbHoehenfaktor->value(), d.tbHoehenfaktor->minimum());
        QVERIFY(d.cbSchirmIntensitaet->isChecked());
        // The tank the editor shows already has them.
        QVERIFY(sentAfterTheTank(again.engine, 1, 0.125f, true));
    }

    void aGuidedSequenceStartsWithTheDesignedDisplayAndFreeModeKeepsItsOwn() {
        ProgramHarness p;
        p.enterFreeMode();
        TfrmMain& main = p.w->frmMain;
        DisplayGroup& d = *simulationOf(main).gbDarstellung;
        d.cbFaerbung->setCurrentIndex(2);
        d.tbHoehenfaktor->setValue(d.tbHoehenfaktor->minimum());
        d.cbSchirmIntensitaet->setChecked(true);
        QCOMPARE(d.lblHoehenfaktor->text(), QStringLiteral("Höhe ×0,13"));
        const auto showsFreeChoices = [&] {
            return d.cbFaerbung->currentIndex() == 2 &&
                   d.tbHoehenfaktor->value() == d.tbHoehenfaktor->minimum() &&
                   d.cbSchirmIntensitaet->isChecked() &&
                   sentAfterTheTank(p.engine, 2, 0.125f, true);
        };
        const auto showsDesigned = [&] {
            return d.cbFaerbung->currentIndex() == 0 && d.tbHoehenfaktor->value() == 0 &&
                   d.lblHoehenfaktor->text() == QStringLiteral("Höhe ×1,0") &&
                   !d.cbSchirmIntensitaet->isChecked() &&
                   sentAfterTheTank(p.engine, 0, 1.0f, false);
        };

        for (int entry : {4, 5}) { // the introduction, the series
            main.close();
            p.w->startEntry(entry);
            QTRY_VERIFY(showsDesigned());
            main.run().start();
            QVERIFY(sentAfterTheTank(p.engine, 0, 1.0f, false));
            main.run().stop();

            // A choice in the sequence holds from step to step and for its runs.
            d.cbFaerbung->setCurrentIndex(1);
            tutorialOf(main).btnTutorialWeiter->click();
            QTRY_VERIFY(sentAfterTheTank(p.engine, 1, 1.0f, false));
            QCOMPARE(d.cbFaerbung->currentIndex(), 1);
            main.run().start();
            QVERIFY(sentAfterTheTank(p.engine, 1, 1.0f, false));
            main.run().stop();

            // Leaving it by its last step brings free mode's choices back.
            for (int step = 0; step < 10 && tutorialOf(main).btnLeaveTutorial->isHidden(); ++step) {
                tutorialOf(main).btnTutorialWeiter->click();
            }
            tutorialOf(main).btnLeaveTutorial->click();
            QCOMPARE(main.run().state().tutorialSequence, 0);
            QTRY_VERIFY(showsFreeChoices());
        }

        // So does free mode chosen on the start screen after a sequence's window was closed.
        main.close();
        p.w->startEntry(4);
        QTRY_VERIFY(showsDesigned());
        d.tbHoehenfaktor->setValue(10);
        main.close();
        p.w->startEntry(2);
        QTRY_VERIFY(showsFreeChoices());
        // And a sequence entered again starts with the designed display, not the last one's.
        main.close();
        p.w->startEntry(4);
        QTRY_VERIFY(showsDesigned());
    }

    void theRunShowsItsSimulatedTime() {
        Harness h(true);
        SimulationGroup& g = simulationOf(*h.window);
        h.window->run().start();
        QCOMPARE(g.lblSimZeit->text(), QStringLiteral("t = 0,0 s"));
        g.btnSimRun->click();
        QTRY_VERIFY_WITH_TIMEOUT(g.lblSimZeit->text() != QStringLiteral("t = 0,0 s"), 20000);
        g.rbPaused->click();
        // In seconds of Simulationszeit, the unit of the exciter's period.
        QTRY_COMPARE(g.lblSimZeit->text(),
                     QStringLiteral("t = %1 s")
                         .arg(QLocale(QLocale::German)
                                  .toString(h.engine.simulationTime() * 25.0 / M_PI, 'f', 1)));
        // A long lesson's time still fits the label's designed width.
        g.showSimulationTime(9999.0 / zb::kSecondsPerEngineTime);
        QCOMPARE(g.lblSimZeit->text(), QStringLiteral("t = 9.999,0 s"));
        QVERIFY(g.lblSimZeit->fontMetrics().horizontalAdvance(g.lblSimZeit->text()) <=
                g.lblSimZeit->contentsRect().width());
    }

    void theExciterBoxShowsTheWavelengthOfTheGrid() {
        Harness h(true);
        const TObjekt& exciter = h.insert(QStringLiteral("Erreger"));
        ExciterBox& box = *h.editor().gbErreger;
        // T = 5000 ms at coupling 4: 36.2 oscillators on the grid (continuum: 36.3).
        QCOMPARE(box.lblWellenlaenge->text(), QStringLiteral("λ ≈ 36 Schwinger"));
        // λ / T with T in seconds: 36,2 / 5.
        QCOMPARE(box.lblWellengeschwindigkeit->text(), QStringLiteral("c ≈ 7,2 Schwinger/s"));
        box.seErrT->setValue(1000);
        h.settle();
        // Here the continuum formula would say 7.3.
        QCOMPARE(box.lblWellenlaenge->text(), QStringLiteral("λ ≈ 7,0 Schwinger"));
        // Between the axes' cut-off (ω 115,9) and the diagonals' (ω 164,4) only slanted waves run.
        box.seErrT->setValue(350);
        h.settle();
        QCOMPARE(box.lblWellenlaenge->text(),
                 QStringLiteral("nur schräg zum Gitter: λ ≈ 2,1 Schwinger"));
        QVERIFY(box.lblWellengeschwindigkeit->text().startsWith(QStringLiteral("c ≈ 6,")));
        box.seErrT->setValue(100);
        h.settle();
        QCOMPARE(box.lblWellenlaenge->text(),
                 QStringLiteral("keine Welle: Schwingungsdauer zu kurz"));
        QVERIFY(box.lblWellengeschwindigkeit->isHidden());

        // The material at the exciter's row decides, not the tank's standard coupling.
        const uint64_t serial = exciter.serial();
        h.edit(h.insert(QStringLiteral("Materialübergang")), [](TObjekt& o) {
            o.matUebergang()->Y = 2;
            o.matUebergang()->Kopplung = 7.5;
        });
        h.edit(*h.window->document().find(serial), [](TObjekt& o) {
            o.erreger()->Frequenz = 50.0; // 1000 ms
            o.erreger()->Y = 10;
        });
        h.select(QString::fromStdString(h.window->document().find(serial)->Name));
        QCOMPARE(box.lblWellenlaenge->text(), QStringLiteral("λ ≈ 9,8 Schwinger"));
    }
};

static RegisterTest<DisplaySettingsTest> registerDisplaySettingsTest;

} // namespace zb::ui::test

#include "test_display_settings.moc"
