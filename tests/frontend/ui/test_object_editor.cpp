#include "editor/exciter_box.h"
#include "editor/material_box.h"
#include "editor/probe_box.h"
#include "editor/screen_box.h"
#include "editor/tank_box.h"
#include "editor/wall_box.h"
#include "main_window_parts.h"
#include "model/tank_file.h"
#include "test_registry.h"
#include "tutorial/tutorial_panel.h"
#include "ui_harness.h"
#include "widgets/help_label.h"
#include "widgets/spin_edit.h"
#include "widgets/wrap_radio_button.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTest>

namespace zb::ui::test {

class ObjectEditorTest : public QObject {
    Q_OBJECT

  private slots:
    void startsInFreeModeOnAHundredByFiftyTank() {
        Harness h;
        QCOMPARE(h.tank().GroesseX, 100);
        QCOMPARE(h.tank().GroesseY, 50);
        QCOMPARE(h.tank().StandardDaempfung, 0.0);
        QCOMPARE(h.tank().StandardKopplung, 4.0);
        QVERIFY(!h.tank().RandHinten && !h.tank().RandVorne && !h.tank().RandLinks &&
                !h.tank().RandRechts);
        QCOMPARE(h.window->run().state().tutorialSequence, 0);
        QVERIFY(h.window->run().state().simulationStopped);
        QVERIFY(!editPanelOf(*h.window).isHidden());
        QVERIFY(tutorialOf(*h.window).isHidden());
        QCOMPARE(h.selectedText(), QStringLiteral("Zitterbecken"));
        QVERIFY(!h.editor().gbWannenWerte->isHidden());
        QVERIFY(h.editor().tvObjekte->topLevelItem(0)->isExpanded());
        QCOMPARE(h.editor().gbWannenWerte->tbStandardKoppl->value(), 80);
        QVERIFY(h.editor().gbWannenWerte->rbReflOhnePhS->isChecked());
        QVERIFY(h.editor().gbWannenWerte->panDaempf->isHidden());
        // The engine was created on the panel and switched to the flat view first.
        QCOMPARE(h.engine.calls.at(0).rfind("createFromHwnd", 0), 0u);
        QCOMPARE(h.engine.calls.at(1), std::string("set3dMode false"));
        QCOMPARE(h.window->programDir().back(), '/');
    }

    void materialChangeShowsItsCouplingInSteps() {
        Harness h;
        const TObjekt& first = h.insert(QStringLiteral("Materialübergang"));
        h.edit(first, [](TObjekt& o) { o.matUebergang()->Kopplung = 3.0; });
        const TObjekt& second = h.insert(QStringLiteral("Materialübergang"));
        h.edit(second, [](TObjekt& o) {
            o.matUebergang()->Kopplung = 1.23;
            o.matUebergang()->Daempfung = 0.125;
        });
        h.select(QString::fromStdString(first.Name));
        QCOMPARE(h.editor().gbMatUebergang->tbMatUeKopplung->value(), 60);
        h.select(QString::fromStdString(second.Name));
        QCOMPARE(h.editor().gbMatUebergang->tbMatUeKopplung->value(), 25);
        QCOMPARE(second.matUebergang()->Kopplung, 1.25);
        QCOMPARE(h.editor().gbMatUebergang->seUeDaempfung->value(), 12); // 12.5 rounds to even
        QCOMPARE(second.matUebergang()->Daempfung, 0.12);
        QCOMPARE(first.matUebergang()->Kopplung, 3.0);
        QCOMPARE(
            h.editor().gbMatUebergang->title(),
            QStringLiteral("Materialübergang (\"%1\")").arg(QString::fromStdString(second.Name)));
    }

    void exciterShowsPeriodAndShape() {
        Harness h;
        const TObjekt& radial = h.insert(QStringLiteral("Erreger"));
        const TObjekt& plane = h.insert(QStringLiteral("Erreger"));
        h.edit(radial, [](TObjekt& o) {
            o.erreger()->Frequenz = 7.0;
            o.erreger()->Breite = o.erreger()->Laenge = 5;
        });
        h.edit(plane, [](TObjekt& o) {
            o.erreger()->Breite = 3;
            o.erreger()->Laenge = 40;
            o.erreger()->Winkel = 30;
            o.erreger()->Fest = false;
        });
        ExciterBox& box = *h.editor().gbErreger;

        h.select(QString::fromStdString(radial.Name));
        QCOMPARE(box.seErrT->value(), 7143);
        QCOMPARE(radial.erreger()->Frequenz, (1000.0 / 7143) * 50);
        QVERIFY(box.rbRadialwelle->isChecked());
        QVERIFY(!box.panRadialwelle->isHidden() && box.panWellenfront->isHidden());
        QCOMPARE(box.seDurchmesser->value(), 5);
        QCOMPARE(box.cbErregerFest->currentIndex(), 1);

        h.select(QString::fromStdString(plane.Name));
        QVERIFY(box.rbEbeneWellenfront->isChecked());
        QVERIFY(box.panRadialwelle->isHidden() && !box.panWellenfront->isHidden());
        QCOMPARE(box.seErrBreite->value(), 3);
        QCOMPARE(box.seErrLaenge->value(), 40);
        QCOMPARE(box.seErrWinkel->value(), 30);
        QCOMPARE(plane.erreger()->Breite, 3);
        QCOMPARE(plane.erreger()->Laenge, 40);
        QCOMPARE(box.cbErregerFest->currentIndex(), 0);
        QVERIFY(!plane.erreger()->Fest); // choosing the item from code wrote nothing

        // Choosing the radial shape changes nothing until the single size is changed.
        box.rbRadialwelle->click();
        QCOMPARE(plane.erreger()->Laenge, 40);
        box.seDurchmesser->setValue(7);
        QCOMPARE(plane.erreger()->Breite, 7);
        QCOMPARE(plane.erreger()->Laenge, 7);
        box.cbErregerFest->setCurrentIndex(1);
        emit box.cbErregerFest->activated(1);
        QVERIFY(plane.erreger()->Fest);
    }

    void aPeriodOfZeroOrAnEmptyFieldChangesNothing() {
        Harness h;
        const TObjekt& exciter = h.insert(QStringLiteral("Erreger"));
        SpinEdit& period = *h.editor().gbErreger->seErrT;
        QTest::keyClick(&period, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(&period, Qt::Key_Backspace);
        QCOMPARE(exciter.erreger()->Frequenz, 10.0);
        QTest::keyClicks(&period, QStringLiteral("0"));
        QCOMPARE(exciter.erreger()->Frequenz, 10.0);
        QTest::keyClick(&period, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(&period, QStringLiteral("2500"));
        QCOMPARE(exciter.erreger()->Frequenz, 20.0);
    }

    void aNewScreenRunsAcrossTheTank() {
        Harness h;
        const TObjekt& screen = h.insert(QStringLiteral("Schirm"));
        QVERIFY(screen.schirm()->Horizontal);
        QVERIFY(h.editor().gbSchirm->rbHorizontal->isChecked());
        h.settle();
        QCOMPARE(h.engine.last("addScreen"), std::string("addScreen 0, true"));
    }

    void amplitudeTrackBarStoresStepsAndShowsPercent() {
        Harness h;
        const TObjekt& exciter = h.insert(QStringLiteral("Erreger"));
        ExciterBox& box = *h.editor().gbErreger;
        box.seErrAmpl->setValue(63);
        QCOMPARE(exciter.erreger()->Amplitude, 1.26);
        QCOMPARE(box.lblAmpli->text(), QStringLiteral("50%"));
        box.seErrAmpl->setValue(126);
        QCOMPARE(exciter.erreger()->Amplitude, 2.52);
        QCOMPARE(box.lblAmpli->text(), QStringLiteral("100%"));
        h.settle();
        QCOMPARE(h.engine.last("addExciter").substr(0, 10), std::string("addExciter"));
        QVERIFY(h.engine.last("addExciter").find("2.52") != std::string::npos);
    }

    void wallControlsWriteTheWallAndTransferOncePerTurn() {
        Harness h;
        const TObjekt& wall = h.insert(QStringLiteral("Wand"));
        QCOMPARE(QString::fromStdString(wall.Name), QStringLiteral("Wand 1"));
        WallBox& box = *h.editor().gbWand;
        QCOMPARE(box.title(), QStringLiteral("Wand (\"Wand 1\")"));
        h.engine.clear();
        box.seWandSpaltabstand->lineEdit()->setText(QStringLiteral("30"));
        QCOMPARE(wall.wand()->Spaltabstand, 30);
        box.seWandLaenge->lineEdit()->setText(QStringLiteral("90"));
        QVERIFY(h.engine.named("resetAll").empty()); // not yet: the turn may bring more changes
        h.settle();
        QCOMPARE(h.engine.named("resetAll").size(), 1u);
        // bar width = slit distance - slit width
        QCOMPARE(h.engine.last("addWall"), std::string("addWall 1, 1, 0, 90, 0, 8, 22"));
        box.seWandWinkel->setValue(-500);
        QCOMPARE(wall.wand()->Winkel, -179);
    }

    void screenChangesReachTheEngineWithTheirTurn() {
        Harness h(true);
        const TObjekt& screen = h.insert(QStringLiteral("Schirm"));
        QTRY_VERIFY(!h.engine.named("addScreen").empty());
        h.engine.clear();
        h.editor().gbSchirm->seSchirmPos->setValue(20);
        h.editor().gbSchirm->rbVertikal->click();
        QCOMPARE(screen.schirm()->Position, 20);
        QVERIFY(!screen.schirm()->Horizontal);
        h.settle();
        QCOMPARE(h.engine.named("addScreen"), std::vector<std::string>{"addScreen 19, false"});
    }

    void hintenBoxDampsTheFarEdge() {
        Harness h;
        TankBox& box = *h.editor().gbWannenWerte;
        box.rbDaempf->click();
        QVERIFY(!box.panDaempf->isHidden());
        QCOMPARE(box.tbDaempfRand->value(), 10);
        h.engine.clear();
        QCOMPARE(box.cbZBDaempfVorne->text(), QStringLiteral("Hinten"));
        box.cbZBDaempfVorne->click();
        h.settle();
        QVERIFY(h.tank().RandHinten);
        QVERIFY(!h.tank().RandVorne && !h.tank().RandLinks && !h.tank().RandRechts);
        QCOMPARE(h.tank().RandBreite, 10);
        QCOMPARE(h.engine.last("createEmptyPool"),
                 std::string("createEmptyPool 100, 50, 0, 4, 10"));
        QCOMPARE(h.engine.last("addEdges"), std::string("addEdges true, false, false, false"));
    }

    void phaseJumpDampsEveryEdgeOneWide() {
        Harness h;
        TankBox& box = *h.editor().gbWannenWerte;
        box.rbReflMitPhS->click();
        QVERIFY(box.panDaempf->isHidden());
        h.settle();
        QCOMPARE(h.tank().RandBreite, 1);
        QCOMPARE(h.engine.last("addEdges"), std::string("addEdges true, true, true, true"));
        QCOMPARE(h.engine.last("createEmptyPool"), std::string("createEmptyPool 100, 50, 0, 4, 1"));
        box.rbReflOhnePhS->click();
        h.settle();
        QCOMPARE(h.engine.last("addEdges"), std::string("addEdges false, false, false, false"));
        QVERIFY(!h.tank().RandHinten && !h.tank().RandLinks);
    }

    void tankBoxStoresDampingCouplingAndSize() {
        Harness h;
        TankBox& box = *h.editor().gbWannenWerte;
        box.seStandardDaempf->setValue(12);
        QCOMPARE(h.tank().StandardDaempfung, 0.12);
        box.tbStandardKoppl->setValue(31);
        QCOMPARE(h.tank().StandardKopplung, 1.55);
        // The size applies when typing is done, not at every keystroke on the way.
        h.settle();
        h.engine.clear();
        QTest::keyClick(box.seYGr, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(box.seYGr, QStringLiteral("70000"));
        h.settle();
        QCOMPARE(h.tank().GroesseY, 50);
        QVERIFY(h.engine.named("createEmptyPool").empty());
        QTest::keyClick(box.seYGr, Qt::Key_Backspace);
        QTest::keyClick(box.seYGr, Qt::Key_Backspace);
        QTest::keyClick(box.seYGr, Qt::Key_Backspace);
        QTest::keyClick(box.seYGr, Qt::Key_Return);
        QCOMPARE(h.tank().GroesseX, 100);
        QCOMPARE(h.tank().GroesseY, 70);
        h.settle();
        QCOMPARE(h.engine.named("createEmptyPool"),
                 std::vector<std::string>{"createEmptyPool 100, 70, 0.12, 1.55, 0"});
        QTest::keyClick(box.seXGr, Qt::Key_Up); // the arrows apply at once
        QCOMPARE(h.tank().GroesseX, 101);
    }

    void groupNodeHidesEveryBoxAndChoosesItsKind() {
        Harness h;
        h.insert(QStringLiteral("Wand"));
        QVERIFY(h.editor().btnObjektLoeschen->isEnabled());
        h.select(QStringLiteral("Wände"));
        QVERIFY(h.editor().gbWannenWerte->isHidden() && h.editor().gbWand->isHidden() &&
                h.editor().gbSchirm->isHidden() && h.editor().gbMatUebergang->isHidden() &&
                h.editor().gbErreger->isHidden());
        QVERIFY(!h.editor().btnObjektLoeschen->isEnabled());
        QCOMPARE(h.editor().cbNeuesObjekt->currentText(), QStringLiteral("Wand"));
        h.select(QStringLiteral("Schirme"));
        QCOMPARE(h.editor().cbNeuesObjekt->currentText(), QStringLiteral("Schirm"));
        h.select(QStringLiteral("Zitterbecken"));
        QVERIFY(!h.editor().btnObjektLoeschen->isEnabled());
    }

    void insertingNamesAndSelectsTheNewObject() {
        Harness h;
        const int before = h.tank().Objekte->Count();
        h.editor().btnNeuesObjekt->click(); // no kind chosen yet
        QCOMPARE(h.tank().Objekte->Count(), before);
        QVERIFY(h.editor().btnNeuesObjekt->toolTip().contains(QStringLiteral("zuerst")));

        h.insert(QStringLiteral("Wand"));
        h.insert(QStringLiteral("Wand"));
        QCOMPARE(h.selectedText(), QStringLiteral("Wand 2"));
        QVERIFY(!h.editor().gbWand->isHidden());
        h.select(QStringLiteral("Wand 1"));
        h.editor().btnObjektLoeschen->click();
        const TObjekt& third = h.insert(QStringLiteral("Wand"));
        QCOMPARE(QString::fromStdString(third.Name), QStringLiteral("Wand 3"));
        const TObjekt& change = h.insert(QStringLiteral("Materialübergang"));
        QCOMPARE(change.matUebergang()->Y, 25);
        QCOMPARE(change.matUebergang()->Kopplung, 2.0);
        h.settle();
        QCOMPARE(h.engine.last("addMatChange"), std::string("addMatChange 25, 2, 0"));
    }

    void deletingTheLastObjectSelectsTheTank() {
        Harness h;
        const uint64_t exciter = h.insert(QStringLiteral("Erreger")).serial();
        QCOMPARE(h.editor().selectedObject()->serial(), exciter);
        h.engine.clear();
        h.editor().btnObjektLoeschen->click();
        h.settle();
        QCOMPARE(h.tank().Objekte->Count(), 1);
        QCOMPARE(h.selectedText(), QStringLiteral("Zitterbecken"));
        QVERIFY(!h.editor().gbWannenWerte->isHidden());
        QVERIFY(h.editor().gbErreger->isHidden());
        QVERIFY(!h.engine.named("resetAll").empty());
        QVERIFY(h.engine.named("addExciter").empty());
        // The box no longer edits the deleted exciter, nor anything else.
        const std::vector<uint8_t> before = serializeTank(h.tank());
        h.editor().gbErreger->seErrXPos->setValue(33);
        QVERIFY(serializeTank(h.tank()) == before);
    }

    void deletingSelectsTheLastObjectOfTheList() {
        Harness h;
        h.insert(QStringLiteral("Erreger"));
        h.insert(QStringLiteral("Schirm"));
        h.insert(QStringLiteral("Wand"));
        h.select(QStringLiteral("Erreger 1"));
        h.editor().btnObjektLoeschen->click();
        QCOMPARE(h.selectedText(), QStringLiteral("Wand 1"));
        QVERIFY(!h.editor().gbWand->isHidden());
    }

    void aPositionTypedOutsideTheTankIsKeptAndNamed() {
        Harness h(true);
        h.insert(QStringLiteral("Erreger"));
        ExciterBox& exciter = *h.editor().gbErreger;
        QLabel& exciterHint = *exciter.outsideHint();
        h.settle();
        QVERIFY(!exciterHint.isVisibleTo(&exciter));
        exciter.seErrXPos->setValue(-32);
        exciter.seErrYPos->setValue(92);
        h.settle();
        QCOMPARE(h.editor().selectedObject()->erreger()->X, -32); // kept as typed
        QCOMPARE(h.editor().selectedObject()->erreger()->Y, 92);
        QVERIFY(exciterHint.isVisibleTo(&exciter));
        QVERIFY2(exciterHint.text().contains(QStringLiteral("liegt außerhalb des Beckens")),
                 qPrintable(exciterHint.text()));
        // Written like the help labels, whose colour is the designed navy on a light theme.
        QCOMPARE(exciterHint.palette().color(QPalette::WindowText),
                 helpLabelColour(exciterHint.palette()));
        // The fields the pupil typed into say it too: the hint may be scrolled out of view.
        QCOMPARE(exciter.seErrXPos->toolTip(), exciterHint.text());
        QCOMPARE(exciter.seErrXPos->palette().color(QPalette::Text),
                 exciterHint.palette().color(QPalette::WindowText));
        exciter.seErrXPos->setValue(99);
        exciter.seErrYPos->setValue(49);
        h.settle();
        QVERIFY(!exciterHint.isVisibleTo(&exciter));
        QVERIFY(exciter.seErrXPos->toolTip() != exciterHint.text());
        QCOMPARE(exciter.seErrXPos->palette().color(QPalette::Text),
                 exciter.palette().color(QPalette::Text));

        h.insert(QStringLiteral("Messpunkt"));
        ProbeBox& probe = *h.editor().gbMesspunkt;
        probe.seMessX->setValue(99999);
        probe.seMessY->setValue(-7);
        h.settle();
        QVERIFY(probe.outsideHint()->isVisibleTo(&probe));
        probe.seMessX->setValue(0);
        h.settle();
        QVERIFY(probe.outsideHint()->isVisibleTo(&probe)); // y is still off
        probe.seMessY->setValue(0);
        h.settle();
        QVERIFY(!probe.outsideHint()->isVisibleTo(&probe));

        // A horizontal screen's rows count from 1 up to the tank's 50.
        h.insert(QStringLiteral("Schirm"));
        ScreenBox& screen = *h.editor().gbSchirm;
        screen.seSchirmPos->setValue(51);
        h.settle();
        QVERIFY(screen.outsideHint()->isVisibleTo(&screen));
        screen.seSchirmPos->setValue(50);
        h.settle();
        QVERIFY(!screen.outsideHint()->isVisibleTo(&screen));
    }

    void helpLabelsExplainThemselves() {
        Harness h(true);
        auto* label = h.window->findChild<QLabel*>(QStringLiteral("Label1"));
        QVERIFY(label);
        QCOMPARE(label->text(), QStringLiteral("Verhalten an den Rändern:"));
        QVERIFY(label->toolTip().startsWith(QStringLiteral("Wenn sich die Welle dem Rand")));
        QCOMPARE(label->font().pixelSize(), 12);
        QVERIFY(label->font().underline());
        QCOMPARE(label->cursor().shape(), Qt::PointingHandCursor);
        QTest::mouseClick(label, Qt::LeftButton);
        QCOMPARE(h.dialogs.informations, QStringList{label->toolTip()});
    }
};

static RegisterTest<ObjectEditorTest> registerObjectEditorTest;

} // namespace zb::ui::test

#include "test_object_editor.moc"
