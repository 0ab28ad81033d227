// Editing with the mouse in the flat view: real mouse and key events on the engine's panel, and
// the picture the engine drew checked against the oscillator the pointer was said to be over.
#include "editor/exciter_box.h"
#include "editor/wall_box.h"
#include "main_window_parts.h"
#include "test_registry.h"
#include "ui_harness.h"
#include "view/engine_panel.h"
#include "view/flat_view_editor.h"
#include "widgets/spin_edit.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <cmath>

namespace zb::ui::test {

namespace {

FlatViewEditor& viewEditor(Harness& h) {
    return part<FlatViewEditor>(*h.window, "viewEditor");
}
EnginePanel& panel(Harness& h) {
    return *frameOf(*h.window).PanSim;
}

// The panel point (logical pixels) over an oscillator.
QPoint pointOver(Harness& h, QPointF oscillator) {
    const TZBecken& t = h.tank();
    const QPointF device =
        pixelOf(viewEditor(h).topView(), poolLayout(t.GroesseX, t.GroesseY), oscillator) -
        QPointF(0.5, 0.5);
    const double ratio = frameOf(*h.window).devicePixelRatioF();
    return QPoint(int(std::lround(device.x() / ratio)), int(std::lround(device.y() / ratio)));
}

void setView(Harness& h, int zoom, int scrollX, int scrollY) {
    zoomOf(*h.window).setValue(zoom);
    frameOf(*h.window).sbX->setValue(scrollX);
    frameOf(*h.window).sbY->setValue(scrollY);
    h.settle();
}

// The middle of the green pixels in the panel: where the engine drew the exciter.
QPointF greenCentre(Harness& h) {
    const QImage picture = h.grabPanel();
    double x = 0, y = 0;
    int n = 0;
    for (int py = 0; py < picture.height(); ++py) {
        for (int px = 0; px < picture.width(); ++px) {
            const QColor c = picture.pixelColor(px, py);
            if (c.green() > 200 && c.red() < 60 && c.blue() < 60) {
                x += px;
                y += py;
                ++n;
            }
        }
    }
    return n ? QPointF(x / n, y / n) : QPointF(-1, -1);
}

// Chooses an item of the flat view's context menu opened over a panel point.
void chooseFromMenu(Harness& h, QPoint point, const QString& item) {
    bool chosen = false;
    QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu);
        for (QAction* a : menu->actions()) {
            if (a->text() == item) {
                chosen = true;
                a->trigger();
            }
        }
        menu->close();
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, point, panel(h).mapToGlobal(point));
    QCoreApplication::sendEvent(&panel(h), &event);
    QVERIFY2(chosen, qPrintable(item));
}

} // namespace

class FlatViewEditingTest : public QObject {
    Q_OBJECT

  private slots:
    void thePointerMapsToTheOscillatorTheEngineDrewThere() {
        Harness h(true);
        h.edit(h.insert(QStringLiteral("Erreger")), [](TObjekt& o) {
            o.erreger()->X = 63;
            o.erreger()->Y = 17;
            o.erreger()->Breite = o.erreger()->Laenge = 3;
        });
        const struct {
            int zoom, x, y;
        } views[] = {{0, 50, 50}, {60, 70, 40}, {100, 62, 34}, {35, 20, 80}};
        for (const auto& v : views) {
            setView(h, v.zoom, v.x, v.y);
            const QPointF green = greenCentre(h);
            QVERIFY2(green.x() >= 0, "the exciter is out of sight");
            const double ratio = frameOf(*h.window).devicePixelRatioF();
            const QPointF under = viewEditor(h).oscillatorUnder(
                QPoint(int(green.x() / ratio), int(green.y() / ratio)));
            QVERIFY2(
                std::abs(under.x() - 63) < 0.75 && std::abs(under.y() - 17) < 0.75,
                qPrintable(
                    QStringLiteral("zoom %1: %2, %3").arg(v.zoom).arg(under.x()).arg(under.y())));
        }
    }

    void aClickSelectsWhatLiesUnderItTurnedWallsByTheirFootprint() {
        Harness h(true);
        h.edit(h.insert(QStringLiteral("Wand")), [](TObjekt& o) {
            o.wand()->X = 50;
            o.wand()->Y = 25;
            o.wand()->Laenge = 40;
            o.wand()->Winkel = 45;
        });
        h.edit(h.insert(QStringLiteral("Erreger")), [](TObjekt& o) {
            o.erreger()->X = 85;
            o.erreger()->Y = 40;
        });
        h.select(QStringLiteral("Zitterbecken"));
        for (const int zoom : {0, 70}) {
            setView(h, zoom, 50, 50);
            // 15 oscillators out along the turned wall, towards smaller rows.
            const QPointF along(50 + 15 * std::cos(M_PI / 4), 25 - 15 * std::sin(M_PI / 4));
            QTest::mouseClick(&panel(h), Qt::LeftButton, {}, pointOver(h, along));
            QCOMPARE(h.selectedText(), QStringLiteral("Wand 1"));
            // Beside the wall's middle, where a wall at 0 degrees would lie: water.
            QTest::mouseClick(&panel(h), Qt::LeftButton, {}, pointOver(h, {62, 25}));
            QCOMPARE(h.selectedText(), QStringLiteral("Zitterbecken"));
            QTest::mouseClick(&panel(h), Qt::LeftButton, {}, pointOver(h, {85, 41}));
            QCOMPARE(h.selectedText(), QStringLiteral("Erreger 1"));
        }
    }

    void aDragMovesTheExciterToTheOscillatorUnderThePointerInOneStep() {
        Harness h(true);
        const TObjekt& e = h.insert(QStringLiteral("Erreger"));
        h.edit(e, [](TObjekt& o) {
            o.erreger()->X = 30;
            o.erreger()->Y = 20;
        });
        setView(h, 40, 45, 55);
        h.window->document().endGesture();
        QTest::mousePress(&panel(h), Qt::LeftButton, {}, pointOver(h, {30, 20}));
        QTest::mouseMove(&panel(h), pointOver(h, {33, 19}));
        QTest::mouseMove(&panel(h), pointOver(h, {37, 17}));
        QTest::mouseRelease(&panel(h), Qt::LeftButton, {}, pointOver(h, {37, 17}));
        QCOMPARE(e.erreger()->X, 37);
        QCOMPARE(e.erreger()->Y, 17);
        QCOMPARE(h.editor().gbErreger->seErrXPos->value(), 37); // the box follows
        QCOMPARE(actionOf(*h.window, "actRueckgaengig").text(),
                 QStringLiteral("Rückgängig: Erreger verschieben"));
        h.window->document().undo();
        QCOMPARE(h.tank().Objekte->at(1).erreger()->X, 30);
        h.settle();
        QCOMPARE(h.engine.last("addExciter").rfind("addExciter 30, 20,", 0), 0u);
    }

    void aSmallObjectFarOffIsDraggedNotResized() {
        Harness h(true);
        h.window->document().edit(QStringLiteral("Größe"), [](TZBecken& t) {
            t.GroesseX = 600;
            t.GroesseY = 600;
        });
        const TObjekt& e = h.insert(QStringLiteral("Erreger"));
        h.edit(e, [](TObjekt& o) {
            o.erreger()->X = 150;
            o.erreger()->Y = 200;
            o.erreger()->Breite = o.erreger()->Laenge = 3; // its handles lie a pixel apart
        });
        setView(h, 0, 50, 50);
        h.window->document().endGesture();
        QTest::mousePress(&panel(h), Qt::LeftButton, {}, pointOver(h, {150, 200}));
        QTest::mouseMove(&panel(h), pointOver(h, {190, 230}));
        QTest::mouseRelease(&panel(h), Qt::LeftButton, {}, pointOver(h, {190, 230}));
        const TErreger& moved = *h.tank().Objekte->at(1).erreger();
        QVERIFY2(std::abs(moved.X - 190) <= 1 && std::abs(moved.Y - 230) <= 1,
                 qPrintable(QStringLiteral("%1, %2").arg(moved.X).arg(moved.Y)));
        QCOMPARE(moved.Breite, 3);
        QCOMPARE(moved.Laenge, 3);
    }

    void aDragKeepsTheCentreInTheTankInOneStep() {
        Harness h(true);
        const TObjekt& e = h.insert(QStringLiteral("Erreger"));
        h.edit(e, [](TObjekt& o) {
            o.erreger()->X = 30;
            o.erreger()->Y = 20;
        });
        setView(h, 0, 50, 50);
        h.window->document().endGesture();
        const struct {
            QPointF to;
            int x, y;
        } drags[] = {{{-8, 70}, 0, 49}, {{105, -20}, 99, 0}}; // beyond two corners
        for (const auto& d : drags) {
            const QPoint target = pointOver(h, d.to);
            QVERIFY2(panel(h).rect().contains(target), "the drag leaves the panel");
            const QPointF from(e.erreger()->X, e.erreger()->Y);
            QTest::mousePress(&panel(h), Qt::LeftButton, {}, pointOver(h, from));
            QTest::mouseMove(&panel(h), pointOver(h, (from + d.to) / 2));
            QTest::mouseMove(&panel(h), target);
            QTest::mouseRelease(&panel(h), Qt::LeftButton, {}, target);
            QCOMPARE(e.erreger()->X, d.x);
            QCOMPARE(e.erreger()->Y, d.y);
        }
        // Undo puts back copies: the object is looked up afresh.
        h.window->document().undo();
        QCOMPARE(h.tank().Objekte->at(1).erreger()->X, 0);
        QCOMPARE(h.tank().Objekte->at(1).erreger()->Y, 49);
        h.window->document().undo();
        QCOMPARE(h.tank().Objekte->at(1).erreger()->X, 30);
        QCOMPARE(h.tank().Objekte->at(1).erreger()->Y, 20);
    }

    void aWallEndSnapsToRoundAnglesUnlessShiftIsHeld() {
        Harness h(true);
        setView(h, 50, 50, 50);
        for (const bool shift : {false, true}) {
            const TObjekt& w = h.insert(QStringLiteral("Wand"));
            h.edit(w, [](TObjekt& o) {
                o.wand()->X = 50;
                o.wand()->Y = 25;
                o.wand()->Laenge = 30;
                o.wand()->Winkel = 0;
            });
            h.window->document().endGesture();
            h.settle();
            // The first end, 15 oscillators right of the pivot, drawn out to 44 degrees.
            const double a = 44 * M_PI / 180;
            const QPoint end = pointOver(h, {65, 25});
            const QPoint target = pointOver(h, {50 + 18 * std::cos(a), 25 - 18 * std::sin(a)});
            const Qt::KeyboardModifiers keys = shift ? Qt::ShiftModifier : Qt::NoModifier;
            QTest::mousePress(&panel(h), Qt::LeftButton, keys, end);
            QMouseEvent move(QEvent::MouseMove, target, panel(h).mapToGlobal(target), Qt::NoButton,
                             Qt::LeftButton, keys);
            QCoreApplication::sendEvent(&panel(h), &move);
            QTest::mouseRelease(&panel(h), Qt::LeftButton, keys, target);
            QCOMPARE(w.wand()->Winkel, shift ? 44 : 45);
            QCOMPARE(w.wand()->Laenge, 36);
            h.window->document().undo();
            QCOMPARE(h.tank().Objekte->at(h.tank().Objekte->Count() - 1).wand()->Winkel, 0);
        }
    }

    void aFrontLengthensWithoutTurningAndASmallExciterMovesByItsBody() {
        Harness h(true);
        setView(h, 0, 50, 50);
        const TObjekt& front = h.insert(QStringLiteral("Erreger"));
        h.edit(front, [](TObjekt& o) {
            o.erreger()->X = 50;
            o.erreger()->Y = 25;
            o.erreger()->Breite = 2;
            o.erreger()->Laenge = 20;
            o.erreger()->Winkel = 0;
        });
        h.window->document().endGesture();
        h.settle();
        // Its length handle, 10 below the centre, drawn out a little askew.
        QTest::mousePress(&panel(h), Qt::LeftButton, {}, pointOver(h, {50, 35}));
        QTest::mouseMove(&panel(h), pointOver(h, {51, 40}));
        QTest::mouseMove(&panel(h), pointOver(h, {52, 45}));
        QTest::mouseRelease(&panel(h), Qt::LeftButton, {}, pointOver(h, {52, 45}));
        QCOMPARE(front.erreger()->Winkel, 0);
        QCOMPARE(front.erreger()->Laenge, 40);
        QCOMPARE(front.erreger()->X, 50);
        // Drawn out further and then turned well off its axis: 30 degrees, in one step.
        const QPointF turned(50 + 25 * std::sin(M_PI / 6), 25 + 25 * std::cos(M_PI / 6));
        QTest::mousePress(&panel(h), Qt::LeftButton, {}, pointOver(h, {50, 45}));
        QTest::mouseMove(&panel(h), pointOver(h, {50, 50}));
        QTest::mouseMove(&panel(h), pointOver(h, turned));
        QTest::mouseRelease(&panel(h), Qt::LeftButton, {}, pointOver(h, turned));
        QCOMPARE(front.erreger()->Winkel, 30);
        QCOMPARE(front.erreger()->Laenge, 50);
        h.window->document().undo();
        QCOMPARE(h.tank().Objekte->at(1).erreger()->Winkel, 0);
        QCOMPARE(h.tank().Objekte->at(1).erreger()->Laenge, 40);

        // A radial exciter 5 wide shows only its width handle, at its right edge: a press on its
        // body nearer that handle than the middle still moves it.
        const TObjekt& small = h.insert(QStringLiteral("Erreger"));
        h.edit(small, [](TObjekt& o) {
            o.erreger()->X = 20;
            o.erreger()->Y = 20;
            o.erreger()->Breite = o.erreger()->Laenge = 5;
        });
        h.window->document().endGesture();
        h.settle();
        const QPoint body = pointOver(h, {21.8, 20});
        const QPoint handle = pointOver(h, {22.5, 20});
        QVERIFY2(QLineF(body, handle).length() <= 6 &&
                     QLineF(body, pointOver(h, {20, 20})).length() >= 10,
                 "the press is not between the middle and the handle");
        QTest::mousePress(&panel(h), Qt::LeftButton, {}, body);
        QTest::mouseMove(&panel(h), pointOver(h, {26.8, 23}));
        QTest::mouseRelease(&panel(h), Qt::LeftButton, {}, pointOver(h, {26.8, 23}));
        QCOMPARE(small.erreger()->Breite, 5);
        QCOMPARE(small.erreger()->X, 25);
        QCOMPARE(small.erreger()->Y, 23);
    }

    void aWallFromTheMenuFitsEvenANarrowTank() {
        Harness h(true);
        const struct {
            int sizeX, sizeY;
            QPointF at;
        } tanks[] = {{5, 5, {0, 4}}, {2, 300, {1, 299}}, {100, 50, {97, 2}}};
        for (const auto& t : tanks) {
            h.window->document().edit(QStringLiteral("Größe"), [&](TZBecken& tank) {
                tank.GroesseX = t.sizeX;
                tank.GroesseY = t.sizeY;
            });
            h.settle();
            chooseFromMenu(h, pointOver(h, t.at), QStringLiteral("Wand hier einfügen"));
            const TWand& w = *h.tank().Objekte->at(h.tank().Objekte->Count() - 1).wand();
            // Unturned it covers the rows Y and Y + 1 and the columns X + d, -L/2 < d <= L/2.
            const QString where = QStringLiteral("%1 x %2: X %3, Y %4, length %5")
                                      .arg(t.sizeX)
                                      .arg(t.sizeY)
                                      .arg(w.X)
                                      .arg(w.Y)
                                      .arg(w.Laenge);
            QVERIFY2(w.Winkel == 0 && w.Laenge >= 1, qPrintable(where));
            QVERIFY2(w.X - (w.Laenge + 1) / 2 + 1 >= 0 && w.X + w.Laenge / 2 <= t.sizeX - 1,
                     qPrintable(where));
            QVERIFY2(w.Y >= 0 && w.Y + 1 <= t.sizeY - 1, qPrintable(where));
            // Near where it was asked for.
            QVERIFY2(std::abs(w.Y - t.at.y()) <= 1, qPrintable(where));
        }
    }

    void keysNudgeAndDeleteAndEscapeLetGo() {
        Harness h(true);
        const TObjekt& w = h.insert(QStringLiteral("Wand"));
        QTest::mouseClick(&panel(h), Qt::LeftButton, {}, pointOver(h, {1, 1}));
        QCOMPARE(h.selectedText(), QStringLiteral("Wand 1"));
        QTest::keyClick(&panel(h), Qt::Key_Right);
        QTest::keyClick(&panel(h), Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(w.wand()->X, 2);
        QCOMPARE(w.wand()->Y, 11);
        QTest::keyClick(&panel(h), Qt::Key_Escape);
        QCOMPARE(h.selectedText(), QStringLiteral("Zitterbecken"));
        QTest::mouseClick(&panel(h), Qt::LeftButton, {}, pointOver(h, {2, 11}));
        QTest::keyClick(&panel(h), Qt::Key_Delete);
        QCOMPARE(h.tank().Objekte->Count(), 1);
    }

    void theContextMenuInsertsAtTheClickedOscillator() {
        Harness h(true);
        setView(h, 30, 50, 50);
        const QPoint point = pointOver(h, {71, 12});
        QString chosen;
        QTimer::singleShot(0, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            QVERIFY(menu);
            for (QAction* a : menu->actions()) {
                if (a->text() == QStringLiteral("Schirm (vertikal) hier einfügen")) {
                    chosen = a->text();
                    a->trigger();
                }
            }
            menu->close();
        });
        QContextMenuEvent event(QContextMenuEvent::Mouse, point, panel(h).mapToGlobal(point));
        QCoreApplication::sendEvent(&panel(h), &event);
        QVERIFY(!chosen.isEmpty());
        QCOMPARE(h.tank().Objekte->Count(), 2);
        const TSchirm* s = h.tank().Objekte->at(1).schirm();
        QVERIFY(s && !s->Horizontal);
        QCOMPARE(s->Position, 72); // column 71, counted from 1
        QCOMPARE(h.selectedText(), QStringLiteral("Schirm 1"));
    }

    void theWheelZoomsAboutThePointer() {
        Harness h(true);
        setView(h, 20, 50, 50);
        const QPoint point = pointOver(h, {80, 10});
        QWheelEvent wheel(point, panel(h).mapToGlobal(point), {}, {0, 120 * 4}, Qt::NoButton, {},
                          Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(&panel(h), &wheel);
        QCOMPARE(zoomOf(*h.window).value(), 40);
        const QPointF under = viewEditor(h).oscillatorUnder(point);
        // The scroll bars hold the eye in hundredths of the tank: within one of those.
        QVERIFY2(std::abs(under.x() - 80) <= 1.0 && std::abs(under.y() - 10) <= 1.0,
                 qPrintable(QStringLiteral("%1, %2").arg(under.x()).arg(under.y())));
    }
};

static RegisterTest<FlatViewEditingTest> registerFlatViewEditingTest;

} // namespace zb::ui::test

#include "test_flat_view_editing.moc"
