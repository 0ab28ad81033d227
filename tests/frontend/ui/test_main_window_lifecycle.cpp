// The main window closed with its close box and opened again, from every entry to every entry:
// the engine must draw into whatever native window the view panel has now.
#include "main_window_parts.h"
#include "program_harness.h"
#include "test_registry.h"
#include "view/engine_panel.h"
#include "view/view_frame.h"
#include "window_manager.h"

#include <QScreen>
#include <QScrollBar>
#include <QTest>

namespace zb::ui::test {

namespace {

const QColor kBackground(153, 153, 230); // the engine's clear colour

// Whether the picture shows the tank at a quarter and at three quarters of the panel's width.
std::pair<bool, bool> tankAtTheQuarters(TfrmMain& main) {
    QCoreApplication::processEvents();
    EnginePanel* panel = frameOf(main).PanSim;
    const QImage picture = panel->screen()->grabWindow(panel->winId()).toImage();
    const int y = picture.height() / 2;
    return {picture.pixelColor(picture.width() / 4, y) != kBackground,
            picture.pixelColor(picture.width() * 3 / 4, y) != kBackground};
}

// The picture follows the view: with the eye over the tank's left edge the tank fills the right
// half, over its right edge the left half. Old pixels left on the screen cannot pass both.
bool drawsWhatTheViewShows(TfrmMain& main) {
    frameOf(main).sbX->setValue(0);
    const bool leftEdge = tankAtTheQuarters(main) == std::pair(false, true);
    frameOf(main).sbX->setValue(100);
    const bool rightEdge = tankAtTheQuarters(main) == std::pair(true, false);
    frameOf(main).sbX->setValue(50);
    return leftEdge && rightEdge;
}

} // namespace

class MainWindowLifecycleTest : public QObject {
    Q_OBJECT

  private slots:
    void everyEntryOpensAgainAfterTheCloseBox() {
        ProgramHarness h;
        h.dialogs.openName.clear(); // entry 3: the user cancels the file dialog
        TfrmMain& main = h.w->frmMain;
        h.w->frmStart.show();
        const int entries[] = {2, 3, 4, 5};
        for (int first : entries) {
            for (int second : entries) {
                const QByteArray pair =
                    QByteArray::number(first) + " -> " + QByteArray::number(second);
                h.w->startEntry(first);
                QVERIFY(QTest::qWaitForWindowExposed(&main));
                closeLikeWindowManager(&main);
                QVERIFY2(h.w->frmStart.isVisible(), pair);
                h.w->startEntry(second);
                QVERIFY2(QTest::qWaitForWindowExposed(&main), pair);
                main.run().refreshEngine();
                QTRY_VERIFY2_WITH_TIMEOUT(drawsWhatTheViewShows(main), pair, 5000);
                closeLikeWindowManager(&main);
            }
        }
        QVERIFY(h.dialogs.errors.isEmpty());
    }
};

static RegisterTest<MainWindowLifecycleTest> registerMainWindowLifecycleTest;

} // namespace zb::ui::test

#include "test_main_window_lifecycle.moc"
