#include "base/application.h"
#include "editor/tank_box.h"
#include "editor/wall_box.h"
#include "main_window_parts.h"
#include "test_registry.h"
#include "ui_harness.h"
#include "view/engine_panel.h"
#include "view/view_frame.h"
#include "widgets/spin_edit.h"

#include <QFile>
#include <QImage>
#include <QScreen>
#include <QScrollBar>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <stdexcept>

namespace zb::ui::test {

using zb::test::callNumbers;

namespace {

const QColor kBackground(153, 153, 230); // the engine's clear colour (0.6, 0.6, 0.9)

// Dark pixels along the middle row of the picture.
int darkPixelsAcrossTheMiddle(const QImage& picture) {
    int dark = 0;
    const int y = picture.height() / 2;
    for (int x = 0; x < picture.width(); ++x) {
        const QColor c = picture.pixelColor(x, y);
        dark += c.red() < 60 && c.green() < 60 && c.blue() < 60;
    }
    return dark;
}

class Thrower : public QObject {
  protected:
    bool event(QEvent* e) override {
        if (e->type() == QEvent::User) {
            throw std::runtime_error("Datei X.zb kann nicht geöffnet werden");
        }
        return QObject::event(e);
    }
};

} // namespace

class ViewFrameTest : public QObject {
    Q_OBJECT

  private slots:
    void topViewFollowsScrollBarsAndZoom() {
        Harness h(true);
        TFrame2& frame = frameOf(*h.window);
        QCOMPARE(frame.zoomFactor, 1.0);
        h.settle();
        h.engine.clear();
        // Asked twice in one turn, the view is drawn once.
        frame.UpdateTopView();
        frame.UpdateTopView();
        QCOMPARE(h.engine.named("repaintScene").size(), 0u);
        h.engine.calls.erase(h.engine.calls.begin(), h.engine.calls.begin() + 2);
        QTRY_COMPARE(h.engine.calls,
                     (std::vector<std::string>{"setPoolAngle 0",
                                               "setCamera 0, 1.2, 0, 0.19999999999999996, 0",
                                               "repaintScene true, false"}));
        // The first touch of the zoom raises the eye from 1.2 to 1.4; the far end lowers it to 0.4.
        zoomOf(*h.window).setValue(1);
        zoomOf(*h.window).setValue(0);
        QCOMPARE(callNumbers(h.engine.last("setCamera"))[1], 1.4);
        zoomOf(*h.window).setValue(100);
        QCOMPARE(callNumbers(h.engine.last("setCamera"))[1], 0.4);
        frame.sbX->setValue(0);
        frame.sbY->setValue(100);
        const std::vector<double> eye = callNumbers(h.engine.last("setCamera"));
        QCOMPARE(eye[0], -0.5);
        QCOMPARE(eye[2], 0.5);
        QCOMPARE(eye[4], 0.5);
        // A run draws the relief and steers the camera itself: the bar asks for a frame of it.
        h.window->run().start();
        QTRY_VERIFY(h.engine.frames > 0);
        h.engine.clear();
        frame.sbX->setValue(30);
        QTRY_COMPARE(h.engine.last("repaintScene"), std::string("repaintScene true, true"));
        QCOMPARE(h.engine.named("setPoolAngle"), std::vector<std::string>{"setPoolAngle 0"});
        QCOMPARE(callNumbers(h.engine.last("setCamera"))[0], 0.3 - 0.5);
    }

    void resizingGivesTheEngineTheWholeFrame() {
        Harness h(true);
        h.window->resize(h.window->width() + 120, h.window->height() + 60);
        TFrame2& frame = frameOf(*h.window);
        const std::string expected = "reshape " +
                                     std::to_string(frame.devicePixels(frame.width())) + ", " +
                                     std::to_string(frame.devicePixels(frame.height()));
        QTRY_COMPARE(h.engine.last("reshape"), expected);
        QCOMPARE(frame.sbX->height(), 17);
        QCOMPARE(frame.sbY->width(), 17);
        QVERIFY(frame.PanSim->width() == frame.width() - 17);
    }

    void panelShowsTheTankAndAWallWhereItLies() {
        Harness h(true);
        h.window->run().refreshEngine();
        QImage picture = h.grabPanel();
        QVERIFY(!picture.isNull());
        // Outside the tank: the background; the tank itself is drawn brighter.
        QCOMPARE(picture.pixelColor(3, 3), kBackground);
        const QColor inside = picture.pixelColor(picture.width() / 2, picture.height() / 2);
        QVERIFY(inside != kBackground);
        QCOMPARE(darkPixelsAcrossTheMiddle(picture), 0);

        const TObjekt& wall = h.insert(QStringLiteral("Wand"));
        WallBox& box = *h.editor().gbWand;
        box.seWandPosX->setValue(50);
        box.seWandPosY->setValue(25);
        box.seWandWinkel->setValue(90);
        QCOMPARE(wall.wand()->Winkel, 90);
        picture = h.grabPanel();
        const int dark = darkPixelsAcrossTheMiddle(picture);
        QVERIFY2(dark > 0, "no wall in the picture");
        // The wall runs down the middle, not along an edge.
        int first = -1;
        for (int x = 0; x < picture.width() && first < 0; ++x) {
            if (picture.pixelColor(x, picture.height() / 2).red() < 60) {
                first = x;
            }
        }
        QVERIFY(first > picture.width() / 3 && first < picture.width() * 2 / 3);
    }

    void onlyAChangeSendsTheTank() {
        Harness h(true);
        QVERIFY(!h.window->findChild<QTimer*>(QStringLiteral("UpdateTimer")));
        // The new tank's coupling is set after its first transfer: the change sends it.
        QTRY_COMPARE_WITH_TIMEOUT(h.engine.last("createEmptyPool"),
                                  std::string("createEmptyPool 100, 50, 0, 4, 0"), 2000);
        h.engine.clear();
        QTest::qWait(1200);
        QVERIFY(h.engine.named("resetAll").empty());
        h.editor().gbWannenWerte->tbStandardKoppl->setValue(100);
        QTRY_COMPARE_WITH_TIMEOUT(h.engine.last("createEmptyPool"),
                                  std::string("createEmptyPool 100, 50, 0, 5, 0"), 2000);
        h.window->hide();
        h.engine.clear();
        QTest::qWait(600);
        QVERIFY(h.engine.named("resetAll").empty());
    }

    // Within the turn of the event loop that follows it, without waiting for anything: an
    // edit, its undo and a tank read from a file.
    void everyChangeOfTheDocumentReachesTheEngineAtOnce() {
        Harness h(true);
        h.settle();
        h.engine.clear();
        h.editor().gbWannenWerte->tbStandardKoppl->setValue(100);
        h.settle();
        QCOMPARE(h.engine.last("createEmptyPool"), std::string("createEmptyPool 100, 50, 0, 5, 0"));
        h.window->document().undo();
        h.settle();
        QCOMPARE(h.engine.last("createEmptyPool"), std::string("createEmptyPool 100, 50, 0, 4, 0"));
        QTemporaryDir dir;
        TZBecken other;
        other.SetSize(30, 20);
        const QString name = dir.filePath(QStringLiteral("klein.zb"));
        QVERIFY(other.SaveToFile(QFile::encodeName(name).toStdString()).ok);
        QVERIFY(h.window->openTankFile(name));
        h.settle();
        QVERIFY2(h.engine.last("createEmptyPool").rfind("createEmptyPool 30, 20,", 0) == 0,
                 h.engine.last("createEmptyPool").c_str());
    }

    void aSizeTheMachineCannotHoldIsRefusedWithItsNumbers() {
        Harness h(true);
        TankBox& box = *h.editor().gbWannenWerte;
        h.settle();
        h.engine.clear();
        QTest::keyClick(box.seYGr, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(box.seYGr, QStringLiteral("15000"));
        QTest::keyClick(box.seYGr, Qt::Key_Return);
        QTest::keyClick(box.seXGr, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(box.seXGr, QStringLiteral("15000"));
        QTest::keyClick(box.seXGr, Qt::Key_Return);
        h.settle();
        // 100 x 15000 fits; 15000 x 15000 (27 GB) does not on these machines, and is taken back.
        QCOMPARE(h.dialogs.errors.size(), 1);
        const QString& message = h.dialogs.errors[0];
        QVERIFY2(message.contains(QStringLiteral("15.000 × 15.000")) &&
                     message.contains(QStringLiteral("GB")) &&
                     message.contains(QStringLiteral("frei")),
                 qPrintable(message));
        QCOMPARE(h.tank().GroesseX, 100);
        QCOMPARE(h.tank().GroesseY, 15000);
        QCOMPARE(box.seXGr->value(), 100);
        QVERIFY(h.engine.named("createEmptyPool") ==
                std::vector<std::string>{"createEmptyPool 100, 15000, 0, 4, 0"});
        QVERIFY(QGuiApplication::overrideCursor() == nullptr);

        // A file that asks for it opens with the reason, and the view stays empty until the size
        // is made smaller.
        QTemporaryDir dir;
        TZBecken huge;
        huge.SetSize(15000, 15000);
        const QString name = dir.filePath(QStringLiteral("riesig.zb"));
        QVERIFY(huge.SaveToFile(QFile::encodeName(name).toStdString()).ok);
        QVERIFY(h.window->openTankFile(name));
        h.settle();
        QCOMPARE(h.dialogs.errors.size(), 2);
        QVERIFY(h.dialogs.errors[1].contains(QStringLiteral("leer")));
        QVERIFY(frameOf(*h.window).PanSim->isHidden());
        QTest::qWait(1100); // the update timer does not repeat the message
        QCOMPARE(h.dialogs.errors.size(), 2);
        QTest::keyClick(box.seXGr, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(box.seXGr, QStringLiteral("100"));
        QTest::keyClick(box.seXGr, Qt::Key_Return);
        QTest::keyClick(box.seYGr, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(box.seYGr, QStringLiteral("50"));
        QTest::keyClick(box.seYGr, Qt::Key_Return);
        h.settle();
        QVERIFY(!frameOf(*h.window).PanSim->isHidden());
        const QImage picture = h.grabPanel();
        QVERIFY(picture.pixelColor(picture.width() / 2, picture.height() / 2) != kBackground);
    }

    void anEscapedErrorIsShownAndTheProgramCarriesOn() {
        Harness h;
        Thrower thrower;
        QCoreApplication::postEvent(&thrower, new QEvent(QEvent::User));
        QCoreApplication::processEvents();
        QCOMPARE(h.dialogs.errors,
                 QStringList{QStringLiteral("Fehler | Datei X.zb kann nicht geöffnet werden")});
        h.insert(QStringLiteral("Wand"));
        QCOMPARE(h.tank().Objekte->Count(), 2);
    }

    void closingStopsARunAndTheRefresh() {
        Harness h(true);
        h.window->run().start();
        h.window->close();
        QVERIFY(h.window->run().state().simulationStopped);
        QVERIFY(!h.window->findChild<QTimer*>(QStringLiteral("UpdateTimer")));
    }
};

static RegisterTest<ViewFrameTest> registerViewFrameTest;

} // namespace zb::ui::test

#include "test_view_frame.moc"
