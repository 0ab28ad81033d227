// Undo and redo: every change of the tank, one step per gesture, and exactly the tank it was.
#include "editor/exciter_box.h"
#include "editor/material_box.h"
#include "editor/screen_box.h"
#include "editor/tank_box.h"
#include "editor/wall_box.h"
#include "main_window_parts.h"
#include "model/tank_file.h"
#include "test_registry.h"
#include "ui_harness.h"
#include "widgets/spin_edit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QSlider>
#include <QTest>

namespace zb::ui::test {

namespace {

QAction& undoAction(Harness& h) {
    return actionOf(*h.window, "actRueckgaengig");
}
QAction& redoAction(Harness& h) {
    return actionOf(*h.window, "actWiederholen");
}

// Types a number into a field as a user does, and leaves it.
void type(SpinEdit& field, int value) {
    QTest::keyClick(&field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(&field, QString::number(value));
    QTest::keyClick(&field, Qt::Key_Return);
}

// One random change through the editor's controls, as a pupil might make it: one gesture.
void randomChange(Harness& h, QRandomGenerator& random) {
    ObjectEditor& e = h.editor();
    TankBox& tank = *e.gbWannenWerte;
    const int objects = h.tank().Objekte->Count() - 1;
    const auto slide = [&](QSlider& slider, int value) {
        slider.setValue(value);
        h.window->document().endGesture(); // the mouse lets go
    };
    switch (random.bounded(objects > 0 ? 9 : 4)) {
    case 0: {
        const char* kinds[] = {"Erreger", "Wand", "Schirm", "Materialübergang"};
        h.insert(QString::fromUtf8(kinds[random.bounded(4)]));
        break;
    }
    case 1:
        h.select(QStringLiteral("Zitterbecken"));
        type(*tank.seStandardDaempf, random.bounded(100));
        break;
    case 2:
        h.select(QStringLiteral("Zitterbecken"));
        slide(*tank.tbStandardKoppl, random.bounded(151));
        break;
    case 3:
        h.select(QStringLiteral("Zitterbecken"));
        if (!tank.rbDaempf->isChecked()) {
            tank.rbDaempf->click(); // shows the edge controls, changes nothing
        }
        if (random.bounded(2) == 0) {
            tank.cbZBDaempfLinks->click();
        } else {
            slide(*tank.tbDaempfRand, 1 + random.bounded(50));
        }
        break;
    default: {
        const TObjekt& o = h.tank().Objekte->at(1 + random.bounded(objects));
        h.select(QString::fromStdString(o.Name));
        const bool first = random.bounded(2) == 0;
        if (random.bounded(6) == 0) {
            e.btnObjektLoeschen->click();
        } else if (o.wand()) {
            first ? type(*e.gbWand->seWandPosX, random.bounded(100))
                  : type(*e.gbWand->seWandWinkel, random.bounded(-179, 181));
        } else if (o.erreger()) {
            first ? type(*e.gbErreger->seErrYPos, random.bounded(50))
                  : slide(*e.gbErreger->seErrAmpl, random.bounded(127));
        } else if (o.schirm()) {
            type(*e.gbSchirm->seSchirmPos, 1 + random.bounded(50));
        } else if (o.matUebergang()) {
            first ? type(*e.gbMatUebergang->seUeY, random.bounded(50))
                  : slide(*e.gbMatUebergang->tbMatUeKopplung, random.bounded(151));
        }
        break;
    }
    }
}

} // namespace

class UndoTest : public QObject {
    Q_OBJECT

  private slots:
    void undoNamesTheStepAndPutsTheValueBack() {
        Harness h(true);
        QVERIFY(!undoAction(h).isEnabled());
        h.insert(QStringLiteral("Wand"));
        QCOMPARE(undoAction(h).text(), QStringLiteral("Rückgängig: Wand 1 einfügen"));
        WallBox& box = *h.editor().gbWand;
        type(*box.seWandPosX, 42); // two keystrokes, one step
        QCOMPARE(h.tank().Objekte->at(1).wand()->X, 42);
        QCOMPARE(undoAction(h).text(), QStringLiteral("Rückgängig: Wand verschieben"));

        undoAction(h).trigger();
        QCOMPARE(h.tank().Objekte->at(1).wand()->X, 1);
        QCOMPARE(box.seWandPosX->value(), 1); // the box shows the restored wall
        QCOMPARE(h.selectedText(), QStringLiteral("Wand 1"));
        QCOMPARE(redoAction(h).text(), QStringLiteral("Wiederholen: Wand verschieben"));
        redoAction(h).trigger();
        QCOMPARE(box.seWandPosX->value(), 42);

        // Looking at objects changes nothing and is nothing to undo.
        h.insert(QStringLiteral("Erreger"));
        h.select(QStringLiteral("Wand 1"));
        h.select(QStringLiteral("Erreger 1"));
        QCOMPARE(undoAction(h).text(), QStringLiteral("Rückgängig: Erreger 1 einfügen"));

        // The tank's own values and deleting are steps too, and unsaved-ness follows them.
        h.window->document().markSaved();
        h.editor().btnObjektLoeschen->click();
        QVERIFY(h.window->document().isModified());
        undoAction(h).trigger();
        QVERIFY(!h.window->document().isModified());
        QCOMPARE(h.tank().Objekte->Count(), 3);
        h.settle();
        QVERIFY(!h.engine.named("addExciter").empty()); // the engine has it back as well
    }

    void randomEditsUndoAndRedoToTheSameBytes() {
        QRandomGenerator random(20261208);
        for (int round = 0; round < 6; ++round) {
            Harness h;
            const std::vector<uint8_t> start = serializeTank(h.tank());
            std::vector<std::vector<uint8_t>> states{start};
            for (int k = 0; k < 25; ++k) {
                randomChange(h, random);
                if (serializeTank(h.tank()) != states.back()) {
                    states.push_back(serializeTank(h.tank()));
                }
            }
            // Walk back through every state there was, then forward again.
            for (size_t k = states.size() - 1; k > 0; --k) {
                QVERIFY(h.window->document().canUndo());
                h.window->document().undo();
                QVERIFY2(
                    serializeTank(h.tank()) == states[k - 1],
                    qPrintable(QStringLiteral("round %1, undo to state %2").arg(round).arg(k - 1)));
            }
            QVERIFY(!h.window->document().canUndo());
            QVERIFY(!h.window->document().isModified());
            for (size_t k = 1; k < states.size(); ++k) {
                h.window->document().redo();
                QVERIFY(serializeTank(h.tank()) == states[k]);
            }
            QVERIFY(!h.window->document().canRedo());
        }
    }

    void newAndOpenStartAFreshHistoryAndTheTutorialHasNoMenu() {
        Harness h;
        h.insert(QStringLiteral("Schirm"));
        h.dialogs.answer = UserDialogs::Answer::No;
        h.window->NewCommand();
        QVERIFY(!h.window->document().canUndo());
        QVERIFY(!undoAction(h).isEnabled());

        const QList<QAction*> menus = menuBarOf(*h.window, "MainMenu").actions();
        QCOMPARE(menus.size(), 3);
        QCOMPARE(menus[1]->text(), QStringLiteral("&Bearbeiten"));
        for (QAction* a : menuBarOf(*h.window, "MenuEinfuehrung").actions()) {
            QVERIFY(!a->text().contains(QStringLiteral("Bearbeiten")));
        }
        // During a run the tank stays as it was sent.
        h.insert(QStringLiteral("Wand"));
        h.window->RunSimulation();
        QVERIFY(!undoAction(h).isEnabled());
        h.window->endRun();
        QVERIFY(undoAction(h).isEnabled());
    }
};

static RegisterTest<UndoTest> registration;

} // namespace zb::ui::test

#include "test_undo.moc"
