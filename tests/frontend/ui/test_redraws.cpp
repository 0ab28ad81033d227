// How often the engine draws the flat view for one user action: a large tank takes a good part of
// a second per picture, so every action that changes the picture draws it exactly once.
#include "main_window_parts.h"
#include "test_registry.h"
#include "ui_harness.h"
#include "view/engine_panel.h"

#include <QDialog>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <functional>

namespace zb::ui::test {

namespace {

// The open dialog as a user meets it: a modal window over the view that closes again, which
// exposes the view and the main window when it goes.
class CoveringOpenDialog : public ScriptedDialogs {
  public:
    QWidget* over = nullptr;

    QString openTankFileName(const QString& folder) override {
        QDialog dialog(over);
        const QRect panel(over->mapToGlobal(QPoint(0, 0)), over->size());
        dialog.setGeometry(panel.adjusted(20, 20, -20, -20));
        QTimer::singleShot(150, &dialog, &QDialog::accept);
        dialog.exec();
        return ScriptedDialogs::openTankFileName(folder);
    }
};

// The draws that the action causes, once everything it set off has been handled.
size_t drawsOf(Harness& h, const std::function<void()>& action) {
    h.settle();
    QTest::qWait(100);
    h.engine.clear();
    action();
    // The first picture, however busy the machine, then time for a second one to follow.
    (void)QTest::qWaitFor([&] { return !h.engine.named("repaintScene").empty(); }, 5000);
    QTest::qWait(300);
    return h.engine.named("repaintScene").size();
}

// A wall near the middle of a 100 x 50 tank, saved as a file in the folder.
QString savedTankWithWall(Harness& h, const QTemporaryDir& dir) {
    h.edit(h.insert(QStringLiteral("Wand")), [](TObjekt& o) {
        o.wand()->X = 50;
        o.wand()->Y = 25;
    });
    const QString name = dir.filePath(QStringLiteral("wand.zb"));
    if (!h.window->files().saveTankAs(name)) {
        return {};
    }
    return name;
}

} // namespace

class RedrawTest : public QObject {
    Q_OBJECT

  private slots:
    void openingDrawsOnce() {
        QTemporaryDir dir;
        QString name;
        {
            Harness h(true);
            name = savedTankWithWall(h, dir);
            QVERIFY(!name.isEmpty());
            h.window->NewTank(100, 50);

            // "Öffnen...": the dialog closes over the view, then the tank arrives.
            CoveringOpenDialog dialogs;
            dialogs.over = frameOf(*h.window).PanSim;
            dialogs.openName = name;
            setUserDialogs(&dialogs);
            const size_t draws = drawsOf(h, [&] { h.window->OpenCommand(); });
            setUserDialogs(&h.dialogs);
            QCOMPARE(h.tank().Objekte->Count(), 2);
            QCOMPARE(draws, 1u);
        }
        // Started with a file: the window is shown with the tank already read.
        Harness h(false);
        QCOMPARE(drawsOf(h,
                         [&] {
                             QVERIFY(h.window->openTankFile(name));
                             h.window->show();
                             QVERIFY(QTest::qWaitForWindowExposed(h.window.get()));
                         }),
                 1u);
    }

    void editingActionsDrawOnce() {
        Harness h(true);
        QTemporaryDir dir;
        QVERIFY(!savedTankWithWall(h, dir).isEmpty());
        QTreeWidget& tree = *h.editor().tvObjekte;
        const auto clickNode = [&](const QString& text) {
            QTreeWidgetItem* item = h.node(text);
            QVERIFY(item);
            QTest::mouseClick(tree.viewport(), Qt::LeftButton, {},
                              tree.visualItemRect(item).center());
        };
        const QString tankNode = tree.topLevelItem(0)->text(0);
        QCOMPARE(drawsOf(h, [&] { clickNode(tankNode); }), 1u);
        QCOMPARE(h.selectedText(), tankNode);
        QCOMPARE(drawsOf(h, [&] { clickNode(QStringLiteral("Wand 1")); }), 1u);
        QCOMPARE(h.selectedText(), QStringLiteral("Wand 1"));

        // One row down by the arrow key, and back by undo.
        EnginePanel& panel = *frameOf(*h.window).PanSim;
        panel.setFocus();
        QCOMPARE(drawsOf(h, [&] { QTest::keyClick(&panel, Qt::Key_Down); }), 1u);
        QCOMPARE(h.tank().Objekte->at(1).wand()->Y, 26);
        QCOMPARE(drawsOf(h, [&] { actionOf(*h.window, "actRueckgaengig").trigger(); }), 1u);
        QCOMPARE(h.tank().Objekte->at(1).wand()->Y, 25);
    }
};

static RegisterTest<RedrawTest> registerRedrawTest;

} // namespace zb::ui::test

#include "test_redraws.moc"
