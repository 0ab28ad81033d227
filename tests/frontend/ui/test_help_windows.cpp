#include "editor/exciter_box.h"
#include "editor/screen_box.h"
#include "editor/wall_box.h"
#include "main_window_parts.h"
#include "program_harness.h"
#include "simulation/simulation_group.h"
#include "test_registry.h"
#include "widgets/help_label.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QTextEdit>

namespace zb::ui::test {

namespace {

// The program's windows with free mode entered.
struct Windows : ProgramHarness {
    Windows() { enterFreeMode(); }
};

} // namespace

class HelpWindowsTest : public QObject {
    Q_OBJECT

  private slots:
    void theProgramStartsWithoutComplaints() {
        Windows all;
        QVERIFY2(all.dialogs.errors.isEmpty(), qPrintable(all.dialogs.errors.join('\n')));
    }

    void whatIsButtonsShareOneTextWindowFromItsBeginning() {
        Windows all;
        all.insert(QStringLiteral("Wand"));
        editorOf(all.w->frmMain).gbWand->Button6->click();
        TfrmText& text = all.w->frmText;
        QVERIFY(text.isVisible());
        QCOMPARE(text.windowTitle(), QStringLiteral("Wände"));
        QVERIFY(text.reText->toPlainText().contains(QStringLiteral("Wand")));
        text.reText->verticalScrollBar()->setValue(text.reText->verticalScrollBar()->maximum());

        all.insert(QStringLiteral("Schirm"));
        editorOf(all.w->frmMain).gbSchirm->Button7->click();
        QCOMPARE(text.windowTitle(), QStringLiteral("Schirme"));
        QVERIFY(text.reText->toPlainText().contains(QStringLiteral("Schirm")));
        QVERIFY(!text.reText->toPlainText().contains(QStringLiteral("Spaltabstand")) ||
                text.reText->toPlainText().indexOf(QStringLiteral("Schirm")) <
                    text.reText->toPlainText().indexOf(QStringLiteral("Spaltabstand")));
        QCOMPARE(text.reText->textCursor().position(), 0);
        QCOMPARE(text.reText->verticalScrollBar()->value(), 0);
        QVERIFY(text.reText->isReadOnly());

        all.insert(QStringLiteral("Erreger"));
        editorOf(all.w->frmMain)
            .gbErreger->findChild<QPushButton*>(QStringLiteral("btnWasIstErreger"))
            ->click();
        QCOMPARE(text.windowTitle(), QStringLiteral("Erreger"));
        QVERIFY(all.dialogs.errors.isEmpty());

        // It is independent of the main window.
        all.w->frmMain.close();
        QVERIFY(text.isVisible());
    }

    void aMissingTextIsNamedWithItsFullPath() {
        Windows all;
        all.w->frmText.ShowHelpText(QStringLiteral("Fehlt"), QStringLiteral("OH\\GibtEsNicht.rtf"));
        QCOMPARE(all.dialogs.errors.size(), 1);
        QVERIFY(all.dialogs.errors[0].contains(QStringLiteral("Datei ")));
        QVERIFY(all.dialogs.errors[0].contains(
            QStringLiteral("GibtEsNicht.rtf kann nicht geöffnet werden")));
        QVERIFY(
            all.dialogs.errors[0].contains(QString::fromStdString(all.w->frmMain.programDir())));
        // Letter case and separators do not matter.
        all.dialogs.errors.clear();
        all.w->frmText.ShowHelpText(QStringLiteral("Wände"), QStringLiteral("oh/WAENDE.RTF"));
        QVERIFY(all.dialogs.errors.isEmpty());
        QVERIFY(!all.w->frmText.reText->toPlainText().isEmpty());
    }

    void helpWindowsOpenOverTheirWindowAndInFront() {
        ProgramHarness h(QRect(0, 0, 1280, 1024));
        TfrmStart& start = h.w->frmStart;
        start.show();
        QVERIFY(QTest::qWaitForWindowExposed(&start));
        h.w->startEntry(0);
        TfrmText& text = h.w->frmText;
        QVERIFY(QTest::qWaitForWindowExposed(&text));
        QTRY_VERIFY(
            (text.frameGeometry().center() - start.frameGeometry().center()).manhattanLength() <=
            2);
        h.w->startEntry(1);
        TfrmFunktionsweise& f = h.w->frmFunktionsweise;
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        QTRY_VERIFY(
            (f.frameGeometry().center() - start.frameGeometry().center()).manhattanLength() <= 2);
        // Clicking the entry again brings the open text back in front of the start screen.
        h.w->startEntry(0);
        QTRY_COMPARE(QApplication::activeWindow(), &text);
        QVERIFY(f.windowFlags() & Qt::WindowCloseButtonHint);
        QVERIFY(!(f.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    }

    void funktionsweiseStacksItsSevenParts() {
        Windows all;
        TfrmFunktionsweise& f = all.w->frmFunktionsweise;
        QCOMPARE(f.windowTitle(), QStringLiteral("Funktionsweise der Simulation"));
        QCOMPARE(f.size(), QSize(511, 370));
        const int heights[4] = {520, 165, 340, 140};
        int y = 0;
        for (int k = 0; k < 4; ++k) {
            QCOMPARE(f.texts[k]->geometry().top(), y);
            QCOMPARE(f.texts[k]->height(), heights[k]);
            QVERIFY(!f.texts[k]->toPlainText().isEmpty());
            QCOMPARE(f.texts[k]->isReadOnly(), k == 0);
            y += heights[k];
            if (k < 3) {
                const QLabel& picture = *f.pictures[k];
                QVERIFY(!picture.pixmap().isNull());
                QCOMPARE(picture.geometry().top(), y);
                QCOMPARE(picture.height(), picture.pixmap().height());
                y += picture.height();
            }
        }
        QCOMPARE(f.pictures[0]->x(), 104);
        QCOMPARE(f.pictures[0]->width(), 329);
        QCOMPARE(f.pictures[1]->x(), 0);
        QCOMPARE(f.pictures[1]->width(), 510);
        QCOMPARE(f.pictures[2]->width(), f.pictures[2]->pixmap().width());
        QCOMPARE(f.Frame1->widget()->height(), y);
    }

    void aboutBoxNamesTheProgram() {
        Windows all;
        emit all.w->frmMain.aboutRequested();
        TAboutBox& about = all.w->AboutBox;
        QVERIFY(about.isVisible());
        QVERIFY(!about.isModal());
        QCOMPARE(about.windowTitle(), QStringLiteral("Info"));
        QCOMPARE(about.size(), QSize(298, 323));
        QCOMPARE(about.ProductName->text(), QStringLiteral("Simulation einer Zitterbecken"));
        QCOMPARE(about.Version->text(), QStringLiteral("Version 1.2"));
        QVERIFY(!about.ProgramIcon->pixmap().isNull());
        QCOMPARE(about.ProgramIcon->size(), QSize(209, 57));
        QVERIFY(about.OKButton->isDefault());
        about.OKButton->click();
        QVERIFY(!about.isVisible());
    }

    void simulationHelpLabelsAndInfoExplain() {
        Windows all;
        SimulationGroup& g = simulationOf(all.w->frmMain);
        all.w->frmMain.RunSimulation();
        QTest::mouseClick(g.lblSimSpeed, Qt::LeftButton);
        QVERIFY(all.dialogs.informations.last().startsWith(
            QStringLiteral("Je höher die Geschwindigkeit")));
        g.Button3->click();
        QVERIFY(all.dialogs.informations.last().startsWith(
            QStringLiteral("Du kannst die Erreger deaktivieren")));
        auto* hoehe = g.findChild<HelpLabel*>(QStringLiteral("Label28"));
        QVERIFY(hoehe);
        QCOMPARE(hoehe->text(), QStringLiteral("Höhe des Betrachters:"));
        simulationOf(all.w->frmMain).Button2->click();
    }
};

static RegisterTest<HelpWindowsTest> registerHelpWindowsTest;

} // namespace zb::ui::test

#include "test_help_windows.moc"
