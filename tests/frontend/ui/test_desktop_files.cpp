// The program among the user's files: a tank named on the command line, "Zuletzt geöffnet",
// where file dialogs start, and where the main window stands.
#include "base/recent_files.h"
#include "main_window_parts.h"
#include "program_harness.h"
#include "test_registry.h"

#include <QMenu>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace zb::ui::test {

namespace {

QString writeTank(const QTemporaryDir& dir, const QString& name, int objects) {
    TZBecken tank;
    tank.SetSize(40, 30);
    for (int k = 0; k < objects; ++k) {
        tank.Objekte->add(std::make_unique<TObjekt>(kArtWand, "Wand"));
    }
    const QString path = dir.filePath(name);
    tank.SaveToFile(QFile::encodeName(path).toStdString());
    return path;
}

QStringList menuTexts(QMenu& menu) {
    emit menu.aboutToShow();
    QStringList texts;
    for (QAction* a : menu.actions()) {
        texts << (a->isEnabled() ? a->text()
                                 : QStringLiteral("[") + a->text() + QStringLiteral("]"));
    }
    return texts;
}

// The file menu open and the arrow key on "Zuletzt geöffnet", as a user gets to its entries.
void reachForRecentEntries(TfrmMain& main, QMenu& recent) {
    QMenu& file = *qobject_cast<QMenu*>(recent.parentWidget());
    file.popup(main.mapToGlobal(QPoint(10, 10)));
    QVERIFY(QTest::qWaitForWindowExposed(&file));
    file.setActiveAction(recent.menuAction());
    QTest::keyClick(&file, Qt::Key_Right);
}

void closeMenus(QMenu& recent) {
    recent.hide();
    recent.parentWidget()->hide();
}

} // namespace

class DesktopFilesTest : public QObject {
    Q_OBJECT

  private slots:
    void aTankOnTheCommandLineOpensInFreeMode() {
        QTemporaryDir dir;
        ProgramHarness h;
        h.w->openOnStart(writeTank(dir, QStringLiteral("versuch.zb"), 2));
        TfrmMain& main = h.w->frmMain;
        QVERIFY(main.isVisible() && !h.w->frmStart.isVisible());
        QCOMPARE(main.run().state().tutorialSequence, 0);
        QCOMPARE(main.document().tank().GroesseX, 40);
        QCOMPARE(main.document().tank().Objekte->Count(), 3);
        QVERIFY(h.dialogs.errors.isEmpty());
        main.close();

        ProgramHarness bad;
        bad.w->openOnStart(dir.filePath(QStringLiteral("fehlt.zb")));
        QVERIFY(!bad.w->frmMain.isVisible() && bad.w->frmStart.isVisible());
        QCOMPARE(bad.dialogs.errors.size(), 1);
        QVERIFY(bad.dialogs.errors[0].contains(QStringLiteral("fehlt.zb")));
    }

    void theRecentListKeepsEightNewestFirstOnceEach() {
        QTemporaryDir dir;
        ProgramHarness h;
        h.enterFreeMode();
        TfrmMain& main = h.w->frmMain;
        QStringList paths;
        for (int k = 0; k < 10; ++k) {
            paths << writeTank(dir, QStringLiteral("t%1.zb").arg(k), k % 3);
            QVERIFY(main.openTankFile(paths.last()));
        }
        // The third again, by another name for the same file.
        QVERIFY(main.openTankFile(dir.path() + QStringLiteral("/./../") +
                                  QFileInfo(dir.path()).fileName() + QStringLiteral("/t2.zb")));
        QVERIFY(main.files().saveTankAs(dir.filePath(QStringLiteral("neu.zb"))));
        QFile::remove(paths[9]);
        QMenu& recent = part<QMenu>(main, "menuZuletzt");
        const QStringList texts = menuTexts(recent);
        QCOMPARE(texts.mid(0, 8), (QStringList{"neu.zb", "t2.zb", "[t9.zb (nicht mehr vorhanden)]",
                                               "t8.zb", "t7.zb", "t6.zb", "t5.zb", "t4.zb"}));
        // Choosing an entry opens it; it survives a restart of the program.
        recent.actions()[3]->trigger();
        QCOMPARE(main.document().tank().Objekte->Count(), 1 + 8 % 3);
        ProgramHarness again(QRect(), false);
        QCOMPARE(menuTexts(part<QMenu>(again.w->frmMain, "menuZuletzt")).first(),
                 QStringLiteral("t8.zb"));
    }

    void reopeningAListedFileMovesItToTheTop() {
        QTemporaryDir dir;
        ProgramHarness h;
        h.enterFreeMode();
        TfrmMain& main = h.w->frmMain;
        const QString a = writeTank(dir, QStringLiteral("a.zb"), 0);
        for (const QString& path : {a, writeTank(dir, QStringLiteral("b.zb"), 1),
                                    writeTank(dir, QStringLiteral("c.zb"), 2), a}) {
            QVERIFY(main.openTankFile(path));
        }
        QMenu& recent = part<QMenu>(main, "menuZuletzt");
        QCOMPARE(menuTexts(recent), (QStringList{"a.zb", "c.zb", "b.zb", "", "Liste leeren"}));
        recent.actions()[2]->trigger();
        QCOMPARE(main.document().tank().Objekte->Count(), 2);
        QCOMPARE(menuTexts(recent), (QStringList{"b.zb", "a.zb", "c.zb", "", "Liste leeren"}));
    }

    // During a run no file opens, neither by "Öffnen..." nor from the list.
    void theRecentListIsClosedDuringARun() {
        QTemporaryDir dir;
        ProgramHarness h;
        h.enterFreeMode();
        TfrmMain& main = h.w->frmMain;
        QVERIFY(main.openTankFile(writeTank(dir, QStringLiteral("a.zb"), 1)));
        QMenu& recent = part<QMenu>(main, "menuZuletzt");
        QAction& open = actionOf(main, "actOeffnen");
        main.run().start();
        QVERIFY(main.run().active());
        QVERIFY(!open.isEnabled());
        QVERIFY(!recent.menuAction()->isEnabled());
        reachForRecentEntries(main, recent);
        QVERIFY(!recent.isVisible());
        closeMenus(recent);
        main.run().end();
        QVERIFY(open.isEnabled());
        QVERIFY(recent.menuAction()->isEnabled());
        reachForRecentEntries(main, recent);
        QVERIFY(recent.isVisible());
        closeMenus(recent);
    }

    void fileDialogsStartInTheDocumentsThenWhereTheUserWasLast() {
        QTemporaryDir dir;
        ProgramHarness h;
        h.enterFreeMode();
        TfrmMain& main = h.w->frmMain;
        main.OpenCommand();
        const QString documents =
            QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        QCOMPARE(h.dialogs.suggestions.last(), documents);
        QVERIFY(!h.dialogs.suggestions.last().startsWith(QCoreApplication::applicationDirPath()));
        QVERIFY(main.openTankFile(writeTank(dir, QStringLiteral("a.zb"), 0)));
        h.dialogs.suggestions.clear();
        main.OpenCommand();
        QCOMPARE(h.dialogs.suggestions.last(), dir.path());
    }

    void theMainWindowComesBackWhereItWasLeft() {
        ProgramHarness h;
        h.enterFreeMode();
        TfrmMain& main = h.w->frmMain;
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        main.setGeometry(QRect(QPoint(80, 60), QSize(900, 640)));
        QTRY_COMPARE(main.geometry().size(), QSize(900, 640));
        main.close();
        ProgramHarness again(QRect(), false);
        QCOMPARE(again.w->frmMain.geometry().size(), QSize(900, 640));
        QCOMPARE(again.w->frmMain.geometry().topLeft(), main.geometry().topLeft());
    }
};

static RegisterTest<DesktopFilesTest> registerDesktopFilesTest;

} // namespace zb::ui::test

#include "test_desktop_files.moc"
