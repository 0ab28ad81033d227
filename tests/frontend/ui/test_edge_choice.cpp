// The edges' choice ("Verhalten an den Rändern") is the user's pick, which the file cannot hold
// when no edge is ticked: undo keeps it unless the step undone changed the edges.
#include "editor/tank_box.h"
#include "main_window_parts.h"
#include "test_registry.h"
#include "ui_harness.h"

#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>

namespace zb::ui::test {

namespace {

QAction& undoEdgeStep(Harness& h) {
    return actionOf(*h.window, "actRueckgaengig");
}

bool choosableShown(TankBox& box) {
    return box.rbDaempf->isChecked() && !box.panDaempf->isHidden();
}

} // namespace

class EdgeChoiceTest : public QObject {
    Q_OBJECT

  private slots:
    void undoOfAnotherStepKeepsTheChoice() {
        Harness h;
        TankBox& box = *h.editor().gbWannenWerte;
        box.rbDaempf->click(); // no edge ticked yet: the file would read as without phase jump
        h.insert(QStringLiteral("Schirm"));
        undoEdgeStep(h).trigger();
        QVERIFY(choosableShown(box));

        // Picked after the step that is undone.
        box.rbReflOhnePhS->click();
        h.insert(QStringLiteral("Wand"));
        box.rbDaempf->click();
        undoEdgeStep(h).trigger();
        QCOMPARE(h.tank().Objekte->Count(), 1);
        QVERIFY(choosableShown(box));
        h.window->document().redo();
        QVERIFY(choosableShown(box));
    }

    void undoOfAnEdgeStepGivesBackItsChoiceAndFilesStillDeriveIt() {
        Harness h;
        TankBox& box = *h.editor().gbWannenWerte;
        box.rbDaempf->click();
        box.rbReflMitPhS->click(); // every edge, width 1: one step
        QVERIFY(box.panDaempf->isHidden());
        QVERIFY(box.cbZBDaempfLinks->isChecked());
        undoEdgeStep(h).trigger(); // nothing ticked again, and the choice was "wählbar"
        QVERIFY(choosableShown(box));
        QVERIFY(!box.cbZBDaempfLinks->isChecked());

        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("r.zb"));
        QVERIFY(h.window->files().saveTankAs(file));
        QVERIFY(h.window->openTankFile(file));
        QVERIFY(box.rbReflOhnePhS->isChecked()); // nothing ticked reads as designed
        QVERIFY(box.panDaempf->isHidden());
    }

    void theWidthOfTheEdgesShowsItsValue() {
        Harness h;
        TankBox& box = *h.editor().gbWannenWerte;
        box.rbDaempf->click();
        QCOMPARE(box.lblRandBreite->text(), QStringLiteral("Breite der Ränder: 10"));
        box.tbDaempfRand->setSliderDown(true);
        box.tbDaempfRand->setSliderPosition(23); // while dragging
        QCOMPARE(box.lblRandBreite->text(), QStringLiteral("Breite der Ränder: 23"));
        box.tbDaempfRand->setSliderDown(false);
        box.rbReflMitPhS->click();
        QCOMPARE(box.lblRandBreite->text(), QStringLiteral("Breite der Ränder: 1"));
        undoEdgeStep(h).trigger();
        QCOMPARE(box.lblRandBreite->text(), QStringLiteral("Breite der Ränder: 23"));
    }
};

static RegisterTest<EdgeChoiceTest> registerEdgeChoiceTest;

} // namespace zb::ui::test

#include "test_edge_choice.moc"
