#include "editor/exciter_box.h"
#include "editor/material_box.h"
#include "editor/screen_box.h"
#include "editor/tank_box.h"
#include "editor/wall_box.h"
#include "test_registry.h"
#include "tutorial/tutorial_panel.h"
#include "ui_harness.h"
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
        QCOMPARE(h.window->tutorialSequence, 0);
        QVERIFY(h.window->simulationStopped);
        QVERIFY(!h.window->panEdit->isHidden());
        QVERIFY(h.window->panTutorial->isHidden());
        QCOMPARE(h.selectedText(), QStringLiteral("Zitterbecken"));
        QVERIFY(!h.editor().gbWannenWerte->isHidden());
        QVERIFY(h.editor().tvObjekte->topLevelItem(0)->isExpanded());
        QCOMPARE(h.editor().gbWannenWerte->tbStandardKoppl->value(), 80);
        QVERIFY(h.editor().gbWannenWerte->rbReflOhnePhS->isChecked());
        QVERIFY(h.editor().gbWannenWerte->panDaempf->isHidden());
        // The engine was created on the panel and switched to the flat view first.
        QCOMPARE(h.engine.calls.at(0).rfind("createFromHwnd", 0), 0u);
        QCOMPARE(h.engine.calls.at(1), std::string("set3dMode false"));
        QCOMPARE(h.window->programDir.back(), '/');
    }

    void materialChangeShowsItsCouplingInSteps() {
        Harness h;
        TObjekt& first = h.insert(QStringLiteral("Materialübergang"));
        first.matUebergang()->Kopplung = 3.0;
        TObjekt& second = h.insert(QStringLiteral("Materialübergang"));
        second.matUebergang()->Kopplung = 1.23;
        second.matUebergang()->Daempfung = 0.125;
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
        TObjekt& radial = h.insert(QStringLiteral("Erreger"));
        TObjekt& plane = h.insert(QStringLiteral("Erreger"));
        radial.erreger()->Frequenz = 7.0;
        radial.erreger()->Breite = radial.erreger()->Laenge = 5;
        plane.erreger()->Breite = 3;
        plane.erreger()->Laenge = 40;
        plane.erreger()->Winkel = 30;
        plane.erreger()->Fest = false;
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

    void amplitudeTrackBarStoresStepsAndShowsPercent() {
        Harness h;
        TObjekt& exciter = h.insert(QStringLiteral("Erreger"));
        ExciterBox& box = *h.editor().gbErreger;
        box.seErrAmpl->setValue(63);
        QCOMPARE(exciter.erreger()->Amplitude, 1.26);
        QCOMPARE(box.lblAmpli->text(), QStringLiteral("50%"));
        box.seErrAmpl->setValue(126);
        QCOMPARE(exciter.erreger()->Amplitude, 2.52);
        QCOMPARE(box.lblAmpli->text(), QStringLiteral("100%"));
        QCOMPARE(h.engine.last("addExciter").substr(0, 10), std::string("addExciter"));
        QVERIFY(h.engine.last("addExciter").find("2.52") != std::string::npos);
    }

    void wallControlsWriteTheWallAndTransferAtOnce() {
        Harness h;
        TObjekt& wall = h.insert(QStringLiteral("Wand"));
        QCOMPARE(QString::fromStdString(wall.Name), QStringLiteral("Wand 1"));
        WallBox& box = *h.editor().gbWand;
        QCOMPARE(box.title(), QStringLiteral("Wand (\"Wand 1\")"));
        h.engine.clear();
        box.seWandSpaltabstand->lineEdit()->setText(QStringLiteral("30"));
        QCOMPARE(wall.wand()->Spaltabstand, 30);
        // bar width = slit distance - slit width, sent at once
        QCOMPARE(h.engine.last("addWall"), std::string("addWall 1, 1, 0, 100, 0, 8, 22"));
        box.seWandWinkel->setValue(-500);
        QCOMPARE(wall.wand()->Winkel, -179);
    }

    void screenChangesWaitForTheUpdateTimer() {
        Harness h(true);
        TObjekt& screen = h.insert(QStringLiteral("Schirm"));
        QTRY_VERIFY(!h.engine.named("addScreen").empty());
        h.engine.clear();
        h.editor().gbSchirm->seSchirmPos->setValue(20);
        h.editor().gbSchirm->rbVertikal->click();
        QCOMPARE(screen.schirm()->Position, 20);
        QVERIFY(!screen.schirm()->Horizontal);
        QVERIFY(h.engine.named("resetAll").empty()); // not at once
        QTRY_COMPARE_WITH_TIMEOUT(h.engine.last("addScreen"), std::string("addScreen 19, false"),
                                  2000);
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
        QCOMPARE(h.tank().RandBreite, 1);
        QCOMPARE(h.engine.last("addEdges"), std::string("addEdges true, true, true, true"));
        QCOMPARE(h.engine.last("createEmptyPool"), std::string("createEmptyPool 100, 50, 0, 4, 1"));
        box.rbReflOhnePhS->click();
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
        box.seYGr->lineEdit()->setText(QStringLiteral("70"));
        QCOMPARE(h.tank().GroesseX, 100);
        QCOMPARE(h.tank().GroesseY, 70);
        QCOMPARE(h.engine.last("createEmptyPool"),
                 std::string("createEmptyPool 100, 70, 0.12, 1.55, 0"));
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
        TObjekt& third = h.insert(QStringLiteral("Wand"));
        QCOMPARE(QString::fromStdString(third.Name), QStringLiteral("Wand 3"));
        TObjekt& change = h.insert(QStringLiteral("Materialübergang"));
        QCOMPARE(change.matUebergang()->Y, 25);
        QCOMPARE(change.matUebergang()->Kopplung, 2.0);
        QCOMPARE(h.engine.last("addMatChange"), std::string("addMatChange 25, 2, 0"));
    }

    void deletingTheLastObjectSelectsTheTank() {
        Harness h;
        TObjekt& exciter = h.insert(QStringLiteral("Erreger"));
        QCOMPARE(h.editor().selectedObject(), &exciter);
        h.engine.clear();
        h.editor().btnObjektLoeschen->click();
        QCOMPARE(h.tank().Objekte->Count(), 1);
        QCOMPARE(h.selectedText(), QStringLiteral("Zitterbecken"));
        QVERIFY(!h.editor().gbWannenWerte->isHidden());
        QVERIFY(h.editor().gbErreger->isHidden());
        QVERIFY(!h.engine.named("resetAll").empty());
        QVERIFY(h.engine.named("addExciter").empty());
        // The box no longer edits the deleted exciter.
        h.editor().gbErreger->seErrXPos->setValue(33);
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

static RegisterTest<ObjectEditorTest> registration;

} // namespace zb::ui::test

#include "test_object_editor.moc"
