#include "editor/tank_box.h"
#include "help/text_window.h"
#include "main_window_parts.h"
#include "program_harness.h"
#include "start/start_regions.h"
#include "test_registry.h"
#include "tutorial/tutorial_panel.h"
#include "widgets/spin_edit.h"

#include <QLabel>
#include <QMenuBar>
#include <QScrollArea>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>

namespace zb::ui::test {

class StartScreenTest : public QObject {
    Q_OBJECT

  private slots:
    void bordersOfTheEntriesAreOutside() {
        QCOMPARE(TfrmStart::regionAt({21, 390}), -1);
        QCOMPARE(TfrmStart::regionAt({22, 390}), 0);
        QCOMPARE(TfrmStart::regionAt({181, 390}), 0);
        QCOMPARE(TfrmStart::regionAt({182, 390}), -1);
        QCOMPARE(TfrmStart::regionAt({100, 371}), -1);
        QCOMPARE(TfrmStart::regionAt({100, 372}), 0);
        QCOMPARE(TfrmStart::regionAt({500, 700}), 3);
        QCOMPARE(TfrmStart::regionAt({1004, 753}), 6);
        QCOMPARE(TfrmStart::regionAt({500, 100}), -1);
    }

    void anyButtonOpensTheEntryAndTheHandShowsWhere() {
        ProgramHarness h;
        TfrmStart& start = h.w->frmStart;
        start.show();
        QVERIFY(QTest::qWaitForWindowExposed(&start));
        QTest::mouseClick(start.Image1, Qt::LeftButton, {}, {21, 390});
        QVERIFY(!h.w->frmText.isVisible());
        QTest::mouseClick(start.Image1, Qt::RightButton, {}, {22, 390});
        QVERIFY(h.w->frmText.isVisible());
        QCOMPARE(h.w->frmText.windowTitle(),
                 QStringLiteral("Was ist eine Zitterbecken? Wozu dieses Programm?"));
        QVERIFY(!h.w->frmText.reText->toPlainText().isEmpty());
        QVERIFY(start.isVisible()); // the start screen stays
        h.w->frmText.close();       // it opened over the start screen, in the pointer's way

        QTest::mouseMove(start.Image1, {100, 460});
        QTRY_COMPARE(start.Image1->cursor().shape(), Qt::PointingHandCursor);
        QTest::mouseMove(start.Image1, {400, 460});
        QTRY_COMPARE(start.Image1->cursor().shape(), Qt::ArrowCursor);
        QTest::mouseClick(start.Image1, Qt::MiddleButton, {}, {100, 460});
        QVERIFY(h.w->frmFunktionsweise.isVisible());
        QVERIFY(h.dialogs.errors.isEmpty());
    }

    void theStartScreenStandsInTheMiddleOfALargeDesktop() {
        ProgramHarness h(QRect(0, 0, 1280, 1024));
        QCOMPARE(h.w->frmStart.geometry(), QRect(128, 128, 1024, 768));
        QVERIFY(h.w->frmStart.windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(h.w->frmStart.windowTitle(), QStringLiteral("Zitterbecken - Start"));
        QVERIFY(h.dialogs.informations.isEmpty());
        QCOMPARE(h.w->frmStart.Image1->pixmap().size(), QSize(1024, 768));
    }

    void aSmallDesktopGetsAMessageAndScrollBars() {
        ProgramHarness h(QRect(0, 0, 800, 600));
        QCOMPARE(h.dialogs.informations.size(), 1);
        QVERIFY(h.dialogs.informations[0].contains(QStringLiteral("kleiner als 1024x768")));
        QCOMPARE(h.w->frmStart.geometry(), QRect(0, 0, 800, 600));
        QVERIFY(!(h.w->frmStart.windowFlags() & Qt::FramelessWindowHint));
        QVERIFY(h.w->frmStart.findChild<QScrollArea*>());
    }

    void freeModeEntriesAndTheWayBack() {
        QTemporaryDir dir;
        ProgramHarness h;
        h.w->frmStart.show();
        h.w->startEntry(2);
        TfrmMain& main = h.w->frmMain;
        QVERIFY(!h.w->frmStart.isVisible() && main.isVisible());
        QCOMPARE(main.run().state().tutorialSequence, 0);
        QVERIFY(!editPanelOf(main).isHidden() && tutorialOf(main).isHidden());
        QVERIFY(!menuBarOf(main, "MainMenu").isHidden() &&
                menuBarOf(main, "MenuEinfuehrung").isHidden());
        QCOMPARE(main.document().tank().GroesseX, 100);
        QCOMPARE(main.document().tank().GroesseY, 50);

        // Closing the main window during a run brings the start screen back; the program goes on.
        main.run().start();
        main.close();
        QVERIFY(!main.run().active());
        QVERIFY(h.w->frmStart.isVisible());
        QVERIFY(!main.isVisible());

        // Entry 3 asks for a file; cancelled, the user stays in free mode on the new tank.
        h.dialogs.openName.clear();
        h.w->startEntry(3);
        QVERIFY(main.isVisible() && !editPanelOf(main).isHidden());
        QCOMPARE(main.document().tank().Objekte->Count(), 1);
        h.insert(QStringLiteral("Wand"));
        const QString saved = dir.filePath(QStringLiteral("versuch.zb"));
        QVERIFY(main.files().saveTankAs(saved));
        main.close();
        h.dialogs.openName = saved;
        h.w->startEntry(3);
        QCOMPARE(main.document().tank().Objekte->Count(), 2);
        QVERIFY(h.dialogs.errors.isEmpty());
    }

    void guidedEntriesStartTheirSequenceOnAHundredByHundredTank() {
        ProgramHarness h;
        h.w->frmStart.show();
        h.engine.clear();
        h.w->startEntry(4);
        TfrmMain& main = h.w->frmMain;
        QVERIFY(main.isVisible() && !h.w->frmStart.isVisible());
        QCOMPARE(main.run().state().tutorialSequence, 1);
        QCOMPARE(main.run().state().tutorialStep, 1);
        // The 100 x 100 tank reached the engine before the example replaced it.
        QVERIFY(h.engine.anyStartingWith("createEmptyPool 100, 100,"));
        QVERIFY(!tutorialOf(main).isHidden() && editPanelOf(main).isHidden());
        QVERIFY(menuBarOf(main, "MainMenu").isHidden() &&
                !menuBarOf(main, "MenuEinfuehrung").isHidden());
        main.close();
        h.w->startEntry(5);
        QCOMPARE(main.run().state().tutorialSequence, 2);
        QVERIFY(h.dialogs.errors.isEmpty());
    }
};

static RegisterTest<StartScreenTest> registerStartScreenTest;

} // namespace zb::ui::test

#include "test_start_screen.moc"
