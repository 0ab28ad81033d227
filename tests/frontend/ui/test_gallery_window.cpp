#include "app/program_windows.h"
#include "base/recent_files.h"
#include "gallery/gallery_grid.h"
#include "gallery/gallery_tile.h"
#include "gallery/gallery_window.h"
#include "gallery_folder.h"
#include "main_window/file_commands.h"
#include "main_window_parts.h"
#include "program_harness.h"
#include "simulation/display_group.h"
#include "simulation/simulation_group.h"
#include "start/start_regions.h"
#include "test_registry.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTest>

namespace zb::ui::test {

namespace {

QStringList headingsOf(const GalleryWindow& w) {
    QStringList texts;
    for (const QLabel* l : w.grid->findChildren<QLabel*>(QStringLiteral("groupHeading"))) {
        texts << l->text();
    }
    return texts;
}

} // namespace

class GalleryWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void listsTheFolderInGroupsAndOpensADoubleClickedExperimentUntitled() {
        GalleryFolder g;
        ProgramHarness h;
        GalleryWindow& gallery = h.w->frmVersuche;
        gallery.setFolder(g.folder());
        h.w->frmStart.show();
        // The start screen's new entry, between the two large buttons.
        QTest::mouseClick(h.w->frmStart.Image1, Qt::LeftButton, {}, {490, 545});
        QVERIFY(gallery.isVisible());
        QVERIFY(h.w->frmStart.isVisible()); // until an experiment is opened
        QVERIFY(QTest::qWaitForWindowExposed(&gallery));

        QCOMPARE(gallery.grid->count(), 3);
        QCOMPARE(headingsOf(gallery),
                 QStringList({QStringLiteral("Ausbreitung"), QStringLiteral("Reflexion")}));
        QCOMPARE(gallery.grid->entry(0).name, std::string("02_Kreiswelle"));
        QCOMPARE(gallery.grid->entry(1).name, std::string("03_Spalt"));
        QCOMPARE(gallery.grid->entry(2).name, std::string("01_Wand"));
        QVERIFY(gallery.grid->tile(1)->hasPicture());
        QVERIFY(!gallery.grid->tile(0)->hasPicture()); // a placeholder
        QVERIFY(gallery.lblMeldung->isHidden());
        // The selected one's text below the grid.
        QCOMPARE(gallery.lblTitel->text(), QStringLiteral("Eine Kreiswelle"));
        QCOMPARE(gallery.lblText->text(), QStringLiteral("Ein Erreger schwingt. Die Welle läuft "
                                                         "nach außen."));

        QTest::mouseDClick(gallery.grid->tile(1), Qt::LeftButton);
        TfrmMain& main = h.w->frmMain;
        QVERIFY(main.isVisible());
        QVERIFY(!h.w->frmStart.isVisible());
        QVERIFY(!gallery.isVisible());
        QCOMPARE(main.run().state().tutorialSequence, 0);
        QVERIFY(!editPanelOf(main).isHidden());
        QCOMPARE(main.document().tank().GroesseX, 130);
        QVERIFY(!main.document().isModified());
        QVERIFY(main.files().tankFile().isEmpty());
        QVERIFY(main.windowTitle().startsWith(QStringLiteral("Ein Spalt (Versuch)")));
        QVERIFY(RecentFiles::load().entries().isEmpty());
        // The tank's display, on the run's controls.
        const SimulationGroup& s = simulationOf(main);
        QCOMPARE(s.gbDarstellung->cbFaerbung->currentIndex(), 2);
        QCOMPARE(s.gbDarstellung->tbHoehenfaktor->value(), -10);
        QVERIFY(s.gbDarstellung->cbSchirmIntensitaet->isChecked());
        QVERIFY(!s.cbDrahtAnsicht->isChecked());
        QVERIFY(s.cbScreensTranslucent->isChecked());
        QCOMPARE(s.tbWinkel->value(), 0);
        QCOMPARE(s.tbEntfernung->value(), 40);
        QCOMPARE(s.tbHoehe->value(), 150);
        QCOMPARE(h.engine.last("setViewParameters"),
                 zb::test::callLine("setViewParameters", true, false));
        main.run().start();
        QCOMPARE(s.tbSimSpeed->value(), 12);
        main.run().stop();

        // "Speichern" asks for a name, starting nowhere near the gallery; the gallery's folder
        // is never written.
        h.dialogs.suggestions.clear();
        h.dialogs.saveName.clear();
        actionOf(main, "actSpeichern").trigger();
        QCOMPARE(h.dialogs.suggestions.size(), 1);
        QVERIFY(!h.dialogs.suggestions[0].startsWith(g.folder()));
        // Named after the experiment, not after the tank saved last, which Enter would replace.
        QCOMPARE(QFileInfo(h.dialogs.suggestions[0]).fileName(), QStringLiteral("Ein Spalt.zb"));
        const QByteArray before = [&] {
            QFile f(g.path("03_Spalt.zb"));
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        }();
        h.dialogs.saveName = g.path("03_Spalt.zb");
        actionOf(main, "actSpeichern").trigger();
        QCOMPARE(h.dialogs.errors.size(), 1);
        QVERIFY(h.dialogs.errors[0].startsWith(QStringLiteral("Speichern fehlgeschlagen")));
        QFile after(g.path("03_Spalt.zb"));
        QVERIFY(after.open(QIODevice::ReadOnly));
        QCOMPARE(after.readAll(), before);
        QVERIFY(main.files().tankFile().isEmpty());
    }

    void keysMoveOpenAndCloseAndTheUnsavedQuestionComesFirst() {
        GalleryFolder g;
        ProgramHarness h;
        h.enterFreeMode();
        TfrmMain& main = h.w->frmMain;
        h.insert(QStringLiteral("Wand"));
        QVERIFY(main.document().isModified());
        GalleryWindow& gallery = h.w->frmVersuche;
        gallery.setFolder(g.folder());
        actionOf(main, "actVersuch").trigger();
        QVERIFY(QTest::qWaitForWindowExposed(&gallery));
        QCOMPARE(gallery.grid->columns(), 3); // the designed size holds three pictures a row
        // Down leaves the row for the next group's, Up comes back to the nearest column.
        QTest::keyClick(gallery.grid, Qt::Key_Down);
        QCOMPARE(gallery.grid->selected(), 2);
        QTest::keyClick(gallery.grid, Qt::Key_Up);
        QCOMPARE(gallery.grid->selected(), 0);
        QTest::keyClick(gallery.grid, Qt::Key_Right);
        QCOMPARE(gallery.grid->selected(), 1);
        QTest::keyClick(gallery.grid, Qt::Key_Up); // nothing above
        QCOMPARE(gallery.grid->selected(), 1);
        QTest::keyClick(gallery.grid, Qt::Key_Left);
        QCOMPARE(gallery.grid->selected(), 0);
        QCOMPARE(gallery.lblTitel->text(), QStringLiteral("Eine Kreiswelle"));

        // Cancelled: the tank with its wall stays, the gallery too.
        h.dialogs.answer = UserDialogs::Answer::Cancel;
        QTest::keyClick(gallery.grid, Qt::Key_Return);
        QCOMPARE(h.dialogs.questions.size(), 1);
        QCOMPARE(main.document().tank().Objekte->Count(), 2);
        QVERIFY(gallery.isVisible());
        h.dialogs.answer = UserDialogs::Answer::No;
        QTest::keyClick(gallery.grid, Qt::Key_Return);
        QCOMPARE(main.document().tank().GroesseX, 110);
        QVERIFY(!gallery.isVisible());

        actionOf(main, "actVersuch").trigger();
        QVERIFY(gallery.isVisible());
        QTest::keyClick(gallery.grid, Qt::Key_Escape);
        QVERIFY(!gallery.isVisible());
        QCOMPARE(main.document().tank().GroesseX, 110);
        QVERIFY(h.dialogs.errors.isEmpty());
    }

    void anExperimentChosenDuringAGuidedSequenceOpensInFreeMode() {
        GalleryFolder g;
        ProgramHarness h;
        GalleryWindow& gallery = h.w->frmVersuche;
        gallery.setFolder(g.folder());
        h.w->frmStart.show();
        h.w->startEntry(kGalleryEntry);
        h.w->startEntry(4); // the pupil went on to the introduction, the gallery still open
        TfrmMain& main = h.w->frmMain;
        QCOMPARE(main.run().state().tutorialSequence, 1);
        gallery.grid->select(1);
        gallery.btnOeffnen->click();
        QCOMPARE(main.run().state().tutorialSequence, 0);
        QVERIFY(!editPanelOf(main).isHidden() && tutorialOf(main).isHidden());
        QVERIFY(!menuBarOf(main, "MainMenu").isHidden() &&
                menuBarOf(main, "MenuEinfuehrung").isHidden());
        QCOMPARE(main.document().tank().GroesseX, 130);
        QCOMPARE(simulationOf(main).gbDarstellung->cbFaerbung->currentIndex(), 2);
        QVERIFY(h.dialogs.errors.isEmpty());

        // A tank that brings a display, read while a sequence runs, shows the designed one.
        h.w->startEntry(4);
        QCOMPARE(main.run().state().tutorialSequence, 1);
        QVERIFY(main.files().openTankFile(g.path("03_Spalt.zb")));
        QCOMPARE(main.run().state().tutorialSequence, 1);
        const SimulationGroup& s = simulationOf(main);
        QCOMPARE(s.gbDarstellung->cbFaerbung->currentIndex(), 0);
        QVERIFY(!s.gbDarstellung->cbSchirmIntensitaet->isChecked());
        main.run().start();
        QCOMPARE(s.tbSimSpeed->value(), SimulationGroup::kStartPosition);
        main.run().stop();
    }

    void aMissingFolderAndABrokenTankAreExplained() {
        GalleryFolder g;
        ProgramHarness h;
        GalleryWindow& gallery = h.w->frmVersuche;
        gallery.setFolder(g.path("gibt-es-nicht"));
        gallery.show();
        QCOMPARE(gallery.grid->count(), 0);
        QVERIFY(!gallery.lblMeldung->isHidden());
        QVERIFY(gallery.lblMeldung->text().contains(QStringLiteral("fehlt")));
        QVERIFY(!gallery.btnOeffnen->isEnabled());

        // A tank cut short: the usual message, and nothing changes.
        h.enterFreeMode();
        TfrmMain& main = h.w->frmMain;
        QFile::resize(g.path("01_Wand.zb"), 20);
        gallery.setFolder(g.folder());
        gallery.grid->select(2);
        gallery.btnOeffnen->click();
        QCOMPARE(h.dialogs.errors.size(), 1);
        QVERIFY(h.dialogs.errors[0].startsWith(QStringLiteral("Öffnen fehlgeschlagen")));
        QCOMPARE(main.document().tank().GroesseX, 100);
        QVERIFY(gallery.isVisible());
        QVERIFY(main.windowTitle().startsWith(QStringLiteral("Simulation einer Zitterbecken")));
    }
};

static RegisterTest<GalleryWindowTest> registerGalleryWindowTest;

} // namespace zb::ui::test

#include "test_gallery_window.moc"
