// A remembered window place that does not fit the screen (another monitor, a hand-edited
// setting) is brought back: the window shrunk to the free area, its title bar and menu in reach.
#include "program_harness.h"
#include "test_registry.h"
#include "widgets/window_placement.h"

#include <QScreen>
#include <QSettings>
#include <QTest>

namespace zb::ui::test {

class WindowPlacementTest : public QObject {
    Q_OBJECT

  private slots:
    void aPlaceIsFittedIntoTheFreeArea() {
        const QRect area(0, 24, 1280, 1000); // a panel along the top
        const QMargins frame(2, 20, 2, 2);
        // Fits: unchanged.
        QCOMPARE(fitIntoArea(QRect(100, 200, 800, 600), frame, area), QRect(100, 200, 800, 600));
        // Far too wide and above the screen: as wide as the area allows, title bar inside.
        QCOMPARE(fitIntoArea(QRect(-5000, -300, 100000, 700), frame, area),
                 QRect(2, 44, 1276, 700));
        // Off to the bottom right: moved back whole.
        QCOMPARE(fitIntoArea(QRect(5000, 3000, 800, 600), frame, area),
                 QRect(1278 - 800, 1022 - 600, 800, 600));
    }

    void anOversizedStoredGeometryIsShrunkToTheScreen() {
        {
            QWidget giant;
            giant.setGeometry(-4000, -2000, 100000, 60000);
            QSettings().clear();
            QSettings().setValue(QStringLiteral("mainWindow/geometry"), giant.saveGeometry());
        }
        ProgramHarness h({}, false);
        TfrmMain& main = h.w->frmMain;
        h.enterFreeMode();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        const QRect available = main.screen()->availableGeometry();
        QVERIFY2(available.contains(main.geometry()),
                 qPrintable(QStringLiteral("%1,%2 %3x%4")
                                .arg(main.geometry().x())
                                .arg(main.geometry().y())
                                .arg(main.geometry().width())
                                .arg(main.geometry().height())));
        QVERIFY(main.frameGeometry().top() >= available.top());
    }
};

static RegisterTest<WindowPlacementTest> registerWindowPlacementTest;

} // namespace zb::ui::test

#include "test_window_placement.moc"
