// The title names the open file and marks unsaved changes; leaving asks "Speichern?" once, about
// the tank as the user sees it, a size still being typed included; the save dialog starts in a
// folder that is there.
#include "base/user_dialogs.h"
#include "editor/tank_box.h"
#include "main_window_parts.h"
#include "program_harness.h"
#include "test_registry.h"
#include "widgets/spin_edit.h"
#include "window_manager.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace zb::ui::test {

namespace {

const QString kDesignedTitle = QStringLiteral("Simulation einer Zitterbecken");
const QString kAskToSave =
    QStringLiteral("Speichern? | Möchten Sie die gerade geöffnete Zitterbecken speichern?");

} // namespace

class TitleAndClosingTest : public QObject {
    Q_OBJECT

  private slots:
    void theTitleNamesTheFileAndMarksUnsavedChanges() {
        ProgramHarness h;
        TfrmMain& main = h.w->frmMain;
        h.enterFreeMode();
        QCOMPARE(main.windowTitle(), kDesignedTitle);
        h.insert(QStringLiteral("Wand")); // a new tank has no file to name
        QCOMPARE(main.windowTitle(), kDesignedTitle);
        QVERIFY(!main.isWindowModified());

        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("Doppelspalt.zb"));
        QVERIFY(main.files().saveTankAs(file));
        const QString named = QStringLiteral("Doppelspalt.zb[*] – ") + kDesignedTitle;
        QCOMPARE(main.windowTitle(), named);
        QVERIFY(!main.isWindowModified());

        TankBox& box = *editorOf(main).gbWannenWerte;
        box.seStandardDaempf->setValue(7);
        QVERIFY(main.isWindowModified());
        main.document().undo(); // back to what was saved
        QVERIFY(!main.isWindowModified());
        main.document().redo();
        QVERIFY(main.isWindowModified());
        QVERIFY(main.files().saveTankAs(file));
        QVERIFY(!main.isWindowModified());

        h.dialogs.answer = UserDialogs::Answer::No;
        main.files().NewCommand();
        QCOMPARE(main.windowTitle(), kDesignedTitle);
        QVERIFY(main.openTankFile(file));
        QCOMPARE(main.windowTitle(), named);
        QVERIFY(!main.isWindowModified());

        // The guided sequences keep the designed title.
        main.NewTank(100, 100);
        main.StartIntroduction();
        QCOMPARE(main.windowTitle(), kDesignedTitle);
        QVERIFY(!main.isWindowModified());
    }

    void beendenAsksOnceAndSoDoesTheCloseBox() {
        ProgramHarness h;
        TfrmMain& main = h.w->frmMain;
        h.enterFreeMode();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        h.insert(QStringLiteral("Wand"));
        h.dialogs.answer = UserDialogs::Answer::No;
        // Quitting closes the windows only while the application runs its event loop.
        QTimer safety;
        safety.setSingleShot(true);
        connect(&safety, &QTimer::timeout, qApp, [] { QCoreApplication::exit(1); });
        safety.start(20000);
        QTimer::singleShot(0, &main, [&main] { actionOf(main, "actBeenden").trigger(); });
        QCOMPARE(QCoreApplication::exec(), 0);
        QCOMPARE(h.dialogs.questions, QStringList{kAskToSave});
        QVERIFY(!main.isVisible());

        h.dialogs.questions.clear();
        h.enterFreeMode();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        h.insert(QStringLiteral("Wand"));
        closeLikeWindowManager(&main);
        QCOMPARE(h.dialogs.questions, QStringList{kAskToSave});
    }

    void aSizeStillBeingTypedIsAskedAboutAndKept() {
        ProgramHarness h;
        TfrmMain& main = h.w->frmMain;
        h.enterFreeMode();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        SpinEdit& x = *editorOf(main).gbWannenWerte->seXGr;
        QTest::keyClick(&x, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(&x, QStringLiteral("120")); // neither Enter nor leaving the field
        QCOMPARE(main.document().tank().GroesseX, 100);
        h.dialogs.answer = UserDialogs::Answer::Cancel;
        main.close();
        QCOMPARE(h.dialogs.questions, QStringList{kAskToSave});
        QVERIFY(main.isVisible());
        QCOMPARE(main.document().tank().GroesseX, 120);
        QVERIFY(main.document().isModified());
    }

    void aMissingDocumentsFolderIsNeverOfferedAsAFileName() {
        const QString documents =
            QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        QVERIFY2(documents.endsWith(QStringLiteral("/Dokumente")), // the tests' own, not a user's
                 qPrintable(documents));
        const QString away = documents + QStringLiteral("-weg");
        QVERIFY(QDir().rename(documents, away));
        QStringList suggested;
        {
            ProgramHarness h;
            h.enterFreeMode();
            h.w->frmMain.files().SaveCommand();
            suggested = h.dialogs.suggestions;
        }
        QVERIFY(QDir().rename(away, documents));
        QCOMPARE(suggested, QStringList{QDir::homePath()});

        // A file suggested in a folder removed since: its name alone, in the home folder.
        QString folder, name;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            folder = dialog->directory().absolutePath();
            name = dialog->selectedFiles().value(0);
            dialog->reject();
        });
        QVERIFY(userDialogs()
                    .savePictureFileName(QStringLiteral("/nicht/mehr/da/Zitterbecken.png"))
                    .isEmpty());
        QCOMPARE(folder, QDir::homePath());
        QCOMPARE(name, QDir::home().filePath(QStringLiteral("Zitterbecken.png")));
    }
};

static RegisterTest<TitleAndClosingTest> registerTitleAndClosingTest;

} // namespace zb::ui::test

#include "test_title_and_closing.moc"
