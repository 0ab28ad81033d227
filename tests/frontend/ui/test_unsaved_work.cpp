// Unsaved work is never lost by accident: "Speichern?" before anything that would discard a
// changed tank, Abbrechen keeps it, and nothing is asked about a tank without changes.
#include "base/user_dialogs.h"
#include "editor/probe_box.h"
#include "editor/tank_box.h"
#include "main_window_parts.h"
#include "model/tank_file.h"
#include "program_harness.h"
#include "test_registry.h"
#include "widgets/spin_edit.h"

#include <QApplication>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace zb::ui::test {

namespace {

const QString kQuestion =
    QStringLiteral("Speichern? | Möchten Sie die gerade geöffnete Zitterbecken speichern?");

} // namespace

class UnsavedWorkTest : public QObject {
    Q_OBJECT

  private slots:
    void closingAsksOnlyAboutChanges() {
        ProgramHarness h;
        TfrmMain& main = h.w->frmMain;
        h.w->frmStart.show();
        h.enterFreeMode();
        main.close(); // nothing changed: nothing to ask
        QVERIFY(h.dialogs.questions.isEmpty());
        QVERIFY(h.w->frmStart.isVisible());

        h.enterFreeMode();
        h.insert(QStringLiteral("Wand"));
        h.dialogs.answer = UserDialogs::Answer::Cancel;
        main.close();
        QCOMPARE(h.dialogs.questions, QStringList{kQuestion});
        QVERIFY(main.isVisible()); // Abbrechen: the window and the wall stay
        QCOMPARE(main.document().tank().Objekte->Count(), 2);

        QTemporaryDir dir;
        h.dialogs.answer = UserDialogs::Answer::Yes;
        h.dialogs.saveName = dir.filePath(QStringLiteral("wand.zb"));
        main.close();
        QVERIFY(!main.isVisible());
        TZBecken saved;
        QVERIFY(saved.LoadFromFile(QFile::encodeName(h.dialogs.saveName).toStdString()));
        QCOMPARE(saved.Objekte->Count(), 2);
    }

    void changingBackCountsAsUnchangedAndSavingClearsTheChange() {
        ProgramHarness h;
        TfrmMain& main = h.w->frmMain;
        h.enterFreeMode();
        TankBox& box = *editorOf(main).gbWannenWerte;
        box.seStandardDaempf->setValue(5);
        QVERIFY(main.document().isModified());
        box.seStandardDaempf->setValue(0);
        QVERIFY(!main.document().isModified());

        QTemporaryDir dir;
        h.insert(QStringLiteral("Erreger"));
        QVERIFY(main.files().saveTankAs(dir.filePath(QStringLiteral("e.zb"))));
        QVERIFY(!main.document().isModified());
        h.dialogs.openName = dir.filePath(QStringLiteral("e.zb"));
        main.OpenCommand(); // unchanged since saving: opens without a word
        QVERIFY(h.dialogs.questions.isEmpty());
        QVERIFY(!main.document().isModified());
    }

    void aMovedProbeIsAChange() {
        ProgramHarness h;
        TfrmMain& main = h.w->frmMain;
        h.enterFreeMode();
        h.insert(QStringLiteral("Messpunkt"));
        QTemporaryDir dir;
        QVERIFY(main.files().saveTankAs(dir.filePath(QStringLiteral("m.zb"))));
        QVERIFY(!main.document().isModified());
        SpinEdit& x = *editorOf(main).gbMesspunkt->seMessX;
        const int saved = x.value();
        x.setValue(saved + 7);
        QVERIFY(main.document().isModified());
        h.dialogs.answer = UserDialogs::Answer::Cancel;
        main.close();
        QCOMPARE(h.dialogs.questions, QStringList{kQuestion});
        x.setValue(saved);
        QVERIFY(!main.document().isModified());
    }

    void openAndBeendenAskFirst() {
        ProgramHarness h;
        TfrmMain& main = h.w->frmMain;
        h.enterFreeMode();
        h.insert(QStringLiteral("Wand"));
        h.dialogs.answer = UserDialogs::Answer::Cancel;
        h.dialogs.openName = QStringLiteral("/nicht/gefragt.zb");
        main.OpenCommand();
        QCOMPARE(h.dialogs.questions.size(), 1);
        QVERIFY(h.dialogs.errors.isEmpty()); // cancelled before the file dialog

        QSignalSpy quit(qApp, &QCoreApplication::aboutToQuit);
        part<QAction>(main, "actBeenden").trigger();
        QCOMPARE(h.dialogs.questions.size(), 2);
        QCOMPARE(main.document().tank().Objekte->Count(), 2);

        // Nein discards: the new tank of "Neu..." replaces it without saving.
        h.dialogs.answer = UserDialogs::Answer::No;
        main.files().NewCommand();
        QCOMPARE(main.document().tank().Objekte->Count(), 1);
        QVERIFY(quit.isEmpty());
    }

    void escapeInTheQuestionMeansAbbrechen() {
        setUserDialogs(nullptr); // the real message box
        UserDialogs::Answer answer = UserDialogs::Answer::Yes;
        QString buttons;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            for (QAbstractButton* b : box->buttons()) {
                buttons += b->text() + QLatin1Char(' ');
            }
            QTest::keyClick(box, Qt::Key_Escape);
        });
        answer = userDialogs().askYesNoCancel(QStringLiteral("Speichern?"), QStringLiteral("?"));
        QCOMPARE(answer, UserDialogs::Answer::Cancel);
        QVERIFY(buttons.contains(QStringLiteral("Ja")) &&
                buttons.contains(QStringLiteral("Nein")) &&
                buttons.contains(QStringLiteral("Abbrechen")));
    }
};

static RegisterTest<UnsavedWorkTest> registerUnsavedWorkTest;

} // namespace zb::ui::test

#include "test_unsaved_work.moc"
