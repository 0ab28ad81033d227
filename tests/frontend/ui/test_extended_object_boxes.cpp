// The property boxes of media, curved walls, moving and pulsed exciters and quiet edges: each
// control reaches its record through the document's undo, new objects fit the tank, "Puls
// auslösen" follows the tank's pulsed exciters, and the new help pages are reachable.
#include "base/help_texts.h"
#include "editor/arc_wall_box.h"
#include "editor/exciter_box.h"
#include "editor/medium_box.h"
#include "editor/parabola_wall_box.h"
#include "editor/tank_box.h"
#include "test_registry.h"
#include "ui_harness.h"
#include "widgets/help_label.h"
#include "widgets/spin_edit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>
#include <QTimer>

namespace zb::ui::test {

namespace {

// Ends the gesture, as leaving a field does: the next change is a step of its own.
void step(Harness& h) {
    h.window->document().endGesture();
}

// After an undo the tests count the entries before they read one: an undo too many fails the
// test instead of throwing out of the whole program.
void undo(Harness& h) {
    QVERIFY(h.window->document().canUndo());
    h.window->document().undo();
}

// Counts the pulses it is asked to start.
class PulseCountingEngine : public EngineCalls {
  public:
    int pulses = 0;
    void triggerPulse() override { ++pulses; }
};

} // namespace

class ExtendedObjectBoxesTest : public QObject {
    Q_OBJECT

  private slots:
    void mediumBoxEditsItsRecordThroughUndo() {
        Harness h;
        const TObjekt& object = h.insert(QStringLiteral("Medium"));
        QCOMPARE(QString::fromStdString(object.Name), QStringLiteral("Medium 1"));
        QCOMPARE(h.node(QStringLiteral("Medium 1"))->parent()->text(0), QStringLiteral("Medien"));
        MediumBox& box = *h.editor().gbMedium;
        QVERIFY(!box.isHidden());
        const TMedium before = *object.medium();

        emit box.cbMediumForm->activated(2);
        step(h);
        box.seMediumX->setValue(30);
        step(h);
        box.seMediumHoehe->setValue(12);
        step(h);
        box.seMediumWinkel->setValue(-30);
        step(h);
        box.tbMediumKopplung->setValue(30);
        step(h);
        box.seMediumDaempfung->setValue(20);
        step(h);
        const TMedium& m = *object.medium();
        QCOMPARE(m.Form, int32_t(kMediumDreieck));
        QCOMPARE(m.X, 30);
        QCOMPARE(m.Hoehe, 12);
        QCOMPARE(m.Winkel, -30);
        QCOMPARE(m.Kopplung, 1.5);
        QCOMPARE(m.Daempfung, 0.2);

        // Each change is one step, and undo puts the record and the box back.
        undo(h);
        QCOMPARE(h.tank().Objekte->Count(), 2);
        QCOMPARE(h.tank().Objekte->at(1).medium()->Daempfung, before.Daempfung);
        QCOMPARE(h.tank().Objekte->at(1).medium()->Kopplung, 1.5);
        for (int k = 0; k < 5; ++k) {
            undo(h);
        }
        QCOMPARE(h.tank().Objekte->Count(), 2);
        const TMedium& back = *h.tank().Objekte->at(1).medium();
        QCOMPARE(back.Form, before.Form);
        QCOMPARE(back.X, before.X);
        QCOMPARE(back.Hoehe, before.Hoehe);
        QCOMPARE(back.Winkel, before.Winkel);
        QCOMPARE(back.Kopplung, before.Kopplung);
        QCOMPARE(box.cbMediumForm->currentIndex(), before.Form);
        QCOMPARE(box.seMediumX->value(), before.X);

        // The centre typed outside the tank is said to be there.
        box.seMediumY->setValue(500);
        h.settle();
        QVERIFY(!box.outsideHint()->isHidden());
        box.seMediumY->setValue(10);
        h.settle();
        QVERIFY(box.outsideHint()->isHidden());
    }

    void curvedWallBoxesEditTheirRecordsThroughUndo() {
        Harness h;
        const TObjekt& arc = h.insert(QStringLiteral("Kreisbogen"));
        ArcWallBox& arcBox = *h.editor().gbKreisbogen;
        QVERIFY(!arcBox.isHidden());
        const TKreisbogen arcBefore = *arc.kreisbogen();
        arcBox.seBogenRadius->setValue(17);
        step(h);
        arcBox.seBogenStartwinkel->setValue(-45);
        arcBox.seBogenEndwinkel->setValue(45);
        step(h);
        arcBox.seBogenDicke->setValue(3);
        step(h);
        arcBox.seBogenSpaltAnz->setValue(2);
        arcBox.seBogenSpaltbreite->setValue(4);
        arcBox.seBogenSpaltabstand->setValue(12);
        step(h);
        const TKreisbogen& a = *arc.kreisbogen();
        QCOMPARE(a.Radius, 17);
        QCOMPARE(a.Startwinkel, -45);
        QCOMPARE(a.Endwinkel, 45);
        QCOMPARE(a.Dicke, 3);
        QCOMPARE(a.SpaltAnz, 2);
        QCOMPARE(a.Spaltbreite, 4);
        QCOMPARE(a.Spaltabstand, 12);

        const TObjekt& parabola = h.insert(QStringLiteral("Parabel"));
        ParabolaWallBox& parabolaBox = *h.editor().gbParabel;
        QVERIFY(!parabolaBox.isHidden());
        QVERIFY(arcBox.isHidden());
        const TParabel parabolaBefore = *parabola.parabel();
        parabolaBox.seParabelX->setValue(60);
        step(h);
        parabolaBox.seParabelBrennweite->setValue(9);
        step(h);
        parabolaBox.seParabelWinkel->setValue(180);
        step(h);
        parabolaBox.seParabelBreite->setValue(30);
        step(h);
        parabolaBox.seParabelDicke->setValue(2);
        step(h);
        const TParabel& p = *parabola.parabel();
        QCOMPARE(p.X, 60);
        QCOMPARE(p.Brennweite, 9);
        QCOMPARE(p.Winkel, 180);
        QCOMPARE(p.Breite, 30);
        QCOMPARE(p.Dicke, 2);
        QCOMPARE(h.node(QStringLiteral("Kreisbogen 1"))->parent(),
                 h.node(QStringLiteral("Parabel 1"))->parent());
        QCOMPARE(h.node(QStringLiteral("Parabel 1"))->parent()->text(0),
                 QStringLiteral("Gebogene Wände"));

        for (int k = 0; k < 5; ++k) {
            undo(h);
        }
        QCOMPARE(h.tank().Objekte->Count(), 3);
        const TParabel& pBack = *h.tank().Objekte->at(2).parabel();
        QCOMPARE(pBack.X, parabolaBefore.X);
        QCOMPARE(pBack.Brennweite, parabolaBefore.Brennweite);
        QCOMPARE(pBack.Winkel, parabolaBefore.Winkel);
        QCOMPARE(pBack.Breite, parabolaBefore.Breite);
        QCOMPARE(pBack.Dicke, parabolaBefore.Dicke);
        QCOMPARE(parabolaBox.seParabelBrennweite->value(), parabolaBefore.Brennweite);
        for (int k = 0; k < 5; ++k) {
            undo(h); // the parabola's insertion, then the arc's four steps
        }
        QCOMPARE(h.tank().Objekte->Count(), 2);
        const TKreisbogen& aBack = *h.tank().Objekte->at(1).kreisbogen();
        QCOMPARE(aBack.Radius, arcBefore.Radius);
        QCOMPARE(aBack.Startwinkel, arcBefore.Startwinkel);
        QCOMPARE(aBack.Endwinkel, arcBefore.Endwinkel);
        QCOMPARE(aBack.Dicke, arcBefore.Dicke);
        QCOMPARE(aBack.SpaltAnz, arcBefore.SpaltAnz);

        // The focus and the circle's centre typed outside are said to be there.
        h.select(QStringLiteral("Kreisbogen 1"));
        arcBox.seBogenX->setValue(-1);
        h.settle();
        QVERIFY(!arcBox.outsideHint()->isHidden());
        h.insert(QStringLiteral("Parabel"));
        h.editor().gbParabel->seParabelY->setValue(50);
        h.settle();
        QVERIFY(!h.editor().gbParabel->outsideHint()->isHidden());
    }

    void newMediaAndCurvedWallsLieInsideASmallTank() {
        Harness h;
        h.window->document().edit(QStringLiteral("Größe ändern"),
                                  [](TZBecken& t) { t.SetSize(24, 14); });
        const TMedium m = *h.insert(QStringLiteral("Medium")).medium();
        h.settle();
        QVERIFY(h.editor().gbMedium->outsideHint()->isHidden());
        QVERIFY(m.X - m.Breite / 2 >= 0 && m.X + m.Breite / 2 < 24);
        QVERIFY(m.Y - m.Hoehe / 2 >= 0 && m.Y + m.Hoehe / 2 < 14);
        QVERIFY(m.Breite >= 1 && m.Hoehe >= 1);
        const TKreisbogen a = *h.insert(QStringLiteral("Kreisbogen")).kreisbogen();
        QVERIFY(a.Radius >= 1);
        QVERIFY(a.X - a.Radius >= 0 && a.X + a.Radius < 24);
        QVERIFY(a.Y - a.Radius >= 0 && a.Y + a.Radius < 14);
        const TParabel p = *h.insert(QStringLiteral("Parabel")).parabel();
        QCOMPARE(p.Winkel, 0); // opening to the right: the vertex lies left of the focus
        QVERIFY(p.Brennweite >= 1);
        QVERIFY(p.X - p.Brennweite >= 0 && p.X < 24);
        // Four focal lengths wide, the ends lie at the focus's column.
        QCOMPARE(p.Breite, 4 * p.Brennweite);
        QVERIFY(p.Y - p.Breite / 2 >= 0 && p.Y + p.Breite / 2 < 14);
        QCOMPARE(QString::fromStdString(h.insert(QStringLiteral("Medium")).Name),
                 QStringLiteral("Medium 2"));
    }

    void exciterBoxSetsMotionAndPulseThroughUndo() {
        Harness h(true);
        const TObjekt& object = h.insert(QStringLiteral("Erreger"));
        ExciterBox& box = *h.editor().gbErreger;
        h.settle();
        // The new controls sit under the designed ones, which keep their places.
        const QWidget* designedLast =
            box.findChild<QPushButton*>(QStringLiteral("btnWasIstErreger"));
        QVERIFY(box.seErrVx->mapTo(&box, QPoint()).y() > designedLast->geometry().bottom());
        QVERIFY(box.cbErrPuls->mapTo(&box, QPoint()).y() > designedLast->geometry().bottom());
        QVERIFY(!box.seErrPerioden->isEnabled());

        box.seErrVx->setValue(2.5);
        step(h);
        box.seErrVy->setValue(-1.5);
        step(h);
        box.cbErrPuls->click();
        QVERIFY(box.seErrPerioden->isEnabled());
        box.seErrPerioden->setValue(3);
        step(h);
        const TErreger& e = *object.erreger();
        QCOMPARE(e.Vx, 2.5);
        QCOMPARE(e.Vy, -1.5);
        QVERIFY(e.Puls);
        QCOMPARE(e.Perioden, 3);

        undo(h);
        QCOMPARE(h.tank().Objekte->Count(), 2);
        QCOMPARE(h.tank().Objekte->at(1).erreger()->Perioden, 1);
        QVERIFY(h.tank().Objekte->at(1).erreger()->Puls);
        undo(h);
        QCOMPARE(h.tank().Objekte->Count(), 2);
        QVERIFY(!h.tank().Objekte->at(1).erreger()->Puls);
        QVERIFY(!box.cbErrPuls->isChecked());
        QVERIFY(!box.seErrPerioden->isEnabled());
        undo(h);
        undo(h);
        QCOMPARE(h.tank().Objekte->Count(), 2);
        QCOMPARE(h.tank().Objekte->at(1).erreger()->Vx, 0.0);
        QCOMPARE(h.tank().Objekte->at(1).erreger()->Vy, 0.0);
        QCOMPARE(box.seErrVx->value(), 0.0);

        // A speed finer than the field's tenths survives a look at the box.
        h.edit(h.tank().Objekte->at(1), [](TObjekt& o) { o.erreger()->Vx = 0.25; });
        h.select(QStringLiteral("Zitterbecken"));
        h.select(QStringLiteral("Erreger 1"));
        QCOMPARE(h.tank().Objekte->Count(), 2);
        QCOMPARE(h.tank().Objekte->at(1).erreger()->Vx, 0.25);
    }

    void quietEdgesSetTheEdgeKindThroughUndo() {
        Harness h;
        TankBox& box = *h.editor().gbWannenWerte;
        box.rbDaempf->click();
        step(h);
        QVERIFY(!box.cbKaumReflektierend->isHidden());
        QCOMPARE(h.tank().RandArt, 0);
        box.cbKaumReflektierend->click();
        QCOMPARE(h.tank().RandArt, 1);
        undo(h);
        QCOMPARE(h.tank().RandArt, 0);
        QVERIFY(!box.cbKaumReflektierend->isChecked());
        h.window->document().redo();
        QCOMPARE(h.tank().RandArt, 1);
        QVERIFY(box.cbKaumReflektierend->isChecked());
        // The phase jump is made of damped edges too: it must not turn quiet.
        box.rbReflMitPhS->click();
        QCOMPARE(h.tank().RandArt, 0);
        undo(h);
        QCOMPARE(h.tank().RandArt, 1);
    }

    void pulseButtonFollowsThePulsedExcitersAndStartsThePulses() {
        Harness h;
        SimulationGroup& g = simulationOf(*h.window);
        const TObjekt& exciter = h.insert(QStringLiteral("Erreger"));
        h.window->run().start();
        QVERIFY(!g.btnPulsAusloesen->isEnabled());
        h.window->run().end();
        h.edit(exciter, [](TObjekt& o) { o.erreger()->Puls = true; });
        h.window->run().start();
        QVERIFY(g.btnPulsAusloesen->isEnabled());
        h.window->run().end();
        QVERIFY(!g.btnPulsAusloesen->isEnabled());

        // A click asks the engine once; a disabled button asks nothing.
        PulseCountingEngine engine;
        RunState run;
        QTimer timer;
        SimulationGroup group(engine, run, timer);
        group.resize(SimulationGroup::kDesignedWidth, SimulationGroup::kDesignedHeight);
        group.show();
        QVERIFY(QTest::qWaitForWindowExposed(&group));
        QVERIFY(!group.btnPulsAusloesen->isEnabled());
        group.setPulseAvailable(true);
        group.btnPulsAusloesen->click();
        QCOMPARE(engine.pulses, 1);
        group.setPulseAvailable(false);
        group.btnPulsAusloesen->click();
        QCOMPARE(engine.pulses, 1);

        // In the designed group it covers no designed control.
        QVERIFY(!group.btnPulsAusloesen->isHidden());
        for (QWidget* other : group.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (other != group.btnPulsAusloesen && !other->isHidden()) {
                QVERIFY2(!other->geometry().intersects(group.btnPulsAusloesen->geometry()),
                         qPrintable(other->objectName()));
            }
        }
    }

    void newHelpPagesAreInTheMenuAndTheBoxes() {
        Harness h;
        QSignalSpy asked(h.window.get(), &TfrmMain::helpTextRequested);
        auto* menu = h.window->findChild<QMenu*>(QStringLiteral("menuInformation"));
        QVERIFY(menu);
        for (const HelpPage& page : help::kExtendedObjectPages) {
            QAction* entry = nullptr;
            for (QAction* a : menu->actions()) {
                entry = a->text() == page.title ? a : entry;
            }
            QVERIFY2(entry, qPrintable(page.title));
            entry->trigger();
            QCOMPARE(asked.last().at(1).toString(), page.file);
        }
        QCOMPARE(menu->actions().last()->text(), QStringLiteral("Über das Programm"));

        QSignalSpy fromBox(&h.editor(), &ObjectEditor::helpTextRequested);
        h.insert(QStringLiteral("Medium"));
        h.editor().gbMedium->btnWasIstMedium->click();
        h.insert(QStringLiteral("Parabel"));
        h.editor().gbParabel->btnWasIstParabel->click();
        h.insert(QStringLiteral("Kreisbogen"));
        h.editor().gbKreisbogen->btnWasIstBogen->click();
        QCOMPARE(fromBox.size(), 3);
        QCOMPARE(fromBox.at(0).at(1).toString(), help::kMedienPage.file);
        QCOMPARE(fromBox.at(1).at(1).toString(), help::kGebogeneWaendePage.file);
        QCOMPARE(fromBox.at(2).at(1).toString(), help::kGebogeneWaendePage.file);
        // The help labels that lead on name the pages too.
        const auto leadsTo = [](const QWidget& box, const HelpPage& page) {
            for (const HelpLabel* label : box.findChildren<HelpLabel*>()) {
                if (label->page().file == page.file) {
                    return true;
                }
            }
            return false;
        };
        QVERIFY(leadsTo(*h.editor().gbErreger, help::kBewegteErregerPage));
        QVERIFY(leadsTo(*h.editor().gbWannenWerte, help::kRaenderPage));
        QVERIFY(leadsTo(*h.editor().gbMedium, help::kMedienPage));
    }

    // The pages themselves are written with the engine's parts of the work.
    void newHelpPagesNameFilesOfTheDataFolder() {
        const QDir rtfs(QStringLiteral(ZB_TEST_DATA_DIR "/../../data/RTFs"));
        QVERIFY(rtfs.exists());
        for (const HelpPage& page : help::kExtendedObjectPages) {
            QString file = page.file;
            file.replace(QLatin1Char('\\'), QLatin1Char('/'));
            QVERIFY2(QFileInfo::exists(rtfs.filePath(file)), qPrintable(file));
        }
    }
};

static RegisterTest<ExtendedObjectBoxesTest> registerExtendedObjectBoxesTest;

} // namespace zb::ui::test

#include "test_extended_object_boxes.moc"
