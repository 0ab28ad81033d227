// Media, curved walls and moving exciters made and changed with the mouse in the flat view: real
// mouse events on the engine's panel, the handles found where the view shows them.
#include "main_window/file_commands.h"
#include "main_window_parts.h"
#include "model/tank_file.h"
#include "test_registry.h"
#include "ui_harness.h"
#include "view/curve_shapes.h"
#include "view/engine_panel.h"
#include "view/flat_view_editor.h"
#include "view/object_shapes.h"
#include "view/view_frame.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QFile>
#include <QMenu>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cmath>

namespace zb::ui::test {

namespace {

EnginePanel& panel(Harness& h) {
    return *frameOf(*h.window).PanSim;
}

// The panel point (logical pixels) over an oscillator.
QPoint pointOver(Harness& h, QPointF oscillator) {
    const TZBecken& t = h.tank();
    const QPointF device = pixelOf(part<FlatViewEditor>(*h.window, "viewEditor").topView(),
                                   poolLayout(t.GroesseX, t.GroesseY), oscillator) -
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

// Chooses an item of the flat view's context menu opened over an oscillator; the new object is
// the list's last.
const TObjekt& insertFromMenu(Harness& h, QPointF at, const QString& item) {
    bool chosen = false;
    QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu) {
            return;
        }
        for (QAction* a : menu->actions()) {
            if (a->text() == item) {
                chosen = true;
                a->trigger();
            }
        }
        menu->close();
    });
    const QPoint point = pointOver(h, at);
    QContextMenuEvent event(QContextMenuEvent::Mouse, point, panel(h).mapToGlobal(point));
    QCoreApplication::sendEvent(&panel(h), &event);
    [&] { QVERIFY2(chosen, qPrintable(item)); }();
    h.settle();
    return h.tank().Objekte->at(h.tank().Objekte->Count() - 1);
}

// A drag with the left button, over a point halfway, the keys held throughout.
void drag(Harness& h, QPointF from, QPointF to, Qt::KeyboardModifiers keys = {}) {
    const QPoint a = pointOver(h, from), b = pointOver(h, to);
    QVERIFY2(panel(h).rect().contains(a) && panel(h).rect().contains(b), "off the panel");
    QTest::mousePress(&panel(h), Qt::LeftButton, keys, a);
    for (const QPoint p : {(a + b) / 2, b}) {
        QMouseEvent move(QEvent::MouseMove, p, panel(h).mapToGlobal(p), Qt::NoButton,
                         Qt::LeftButton, keys);
        QCoreApplication::sendEvent(&panel(h), &move);
    }
    QTest::mouseRelease(&panel(h), Qt::LeftButton, keys, b);
    h.settle();
}

QPointF handleOf(const TObjekt& o, ObjectPart part) {
    for (const Handle& handle : handlesOf(o)) {
        if (handle.part == part) {
            return handle.at;
        }
    }
    return {-1000, -1000};
}

int steps(Harness& h) {
    return h.window->document().undoStack().index();
}

const TObjekt& last(Harness& h) {
    return h.tank().Objekte->at(h.tank().Objekte->Count() - 1);
}

QPointF atAngle(QPointF centre, double radius, double degrees) {
    const double a = degrees * M_PI / 180;
    return centre + radius * QPointF(std::cos(a), -std::sin(a));
}

// Whether every point lies on the tank's cells (reaching `slack` beyond the outer centres).
bool allInTank(const std::vector<Polyline>& pieces, const TZBecken& t, double slack) {
    for (const Polyline& piece : pieces) {
        for (const QPointF& p : piece) {
            if (p.x() < -slack || p.y() < -slack || p.x() > t.GroesseX - 1 + slack ||
                p.y() > t.GroesseY - 1 + slack) {
                return false;
            }
        }
    }
    return true;
}

const QString kMedium = QStringLiteral("Medium hier einfügen");
const QString kArc = QStringLiteral("Kreisbogen-Wand hier einfügen");
const QString kParabola = QStringLiteral("Parabel-Wand hier einfügen");
const QString kExciter = QStringLiteral("Erreger (Radialwelle) hier einfügen");

} // namespace

class NewObjectsByMouseTest : public QObject {
    Q_OBJECT

  private slots:
    void theNewKindsFromTheMenuFitEvenATinyOrANarrowTank() {
        Harness h(true);
        const struct {
            int sizeX, sizeY;
            QPointF at;
        } tanks[] = {{5, 5, {0, 4}}, {2, 300, {1, 299}}, {100, 50, {97, 2}}, {100, 50, {50, 25}}};
        for (const auto& t : tanks) {
            h.window->document().edit(QStringLiteral("Größe"), [&](TZBecken& tank) {
                tank.GroesseX = t.sizeX;
                tank.GroesseY = t.sizeY;
            });
            h.settle();
            const QString where = QStringLiteral("%1 x %2").arg(t.sizeX).arg(t.sizeY);
            const TObjekt& medium = insertFromMenu(h, t.at, kMedium);
            QVERIFY2(medium.medium(), qPrintable(where));
            QVERIFY2(centreInTank(medium, h.tank()), qPrintable(where));
            QVERIFY2(allInTank({mediumBoundary(*medium.medium())}, h.tank(), 0.5),
                     qPrintable(where));
            QVERIFY2(medium.medium()->Breite >= 1 && medium.medium()->Hoehe >= 1,
                     qPrintable(where));
            const TObjekt& arc = insertFromMenu(h, t.at, kArc);
            QVERIFY2(arc.kreisbogen(), qPrintable(where));
            QVERIFY2(centreInTank(arc, h.tank()), qPrintable(where));
            QVERIFY2(
                allInTank(arcPieces(*arc.kreisbogen()), h.tank(), 1e-6),
                qPrintable(where + QStringLiteral(" radius %1").arg(arc.kreisbogen()->Radius)));
            const TObjekt& mirror = insertFromMenu(h, t.at, kParabola);
            QVERIFY2(mirror.parabel(), qPrintable(where));
            QVERIFY2(centreInTank(mirror, h.tank()), qPrintable(where));
            QVERIFY2(allInTank(parabolaPieces(*mirror.parabel()), h.tank(), 1e-6),
                     qPrintable(where));
        }
        // Where there is room, each stands where it was asked for, as large as it comes.
        const TObjektListe& list = *h.tank().Objekte;
        const TMedium& m = *list.at(list.Count() - 3).medium();
        QCOMPARE(QPoint(m.X, m.Y), QPoint(50, 25));
        QCOMPARE(QSize(m.Breite, m.Hoehe), QSize(TMedium{}.Breite, TMedium{}.Hoehe));
        QCOMPARE(list.at(list.Count() - 2).kreisbogen()->X, 50);
        QCOMPARE(list.at(list.Count() - 1).parabel()->X, 50);
    }

    void aMediumIsResizedTurnedMovedAndNudgedEachGestureOneStep() {
        Harness h(true);
        setView(h, 0, 50, 50);
        const TObjekt& medium = insertFromMenu(h, {50, 25}, kMedium);
        QCOMPARE(h.selectedText(), QString::fromStdString(medium.Name));
        int before = steps(h);
        // The corner, drawn in: both sizes, nothing else.
        drag(h, handleOf(medium, ObjectPart::MediumSize), {60, 30});
        QCOMPARE(medium.medium()->Breite, 20);
        QCOMPARE(medium.medium()->Hoehe, 10);
        QCOMPARE(medium.medium()->X, 50);
        QCOMPARE(medium.medium()->Winkel, 0);
        QCOMPARE(steps(h), before + 1);
        QCOMPARE(actionOf(*h.window, "actRueckgaengig").text(),
                 QStringLiteral("Rückgängig: Mediumgröße ändern"));
        // Turned to 44 degrees: snapped to 45, the size kept.
        drag(h, handleOf(medium, ObjectPart::MediumAngle), atAngle({50, 25}, 12, 44));
        QCOMPARE(medium.medium()->Winkel, 45);
        QCOMPARE(medium.medium()->Breite, 20);
        QCOMPARE(steps(h), before + 2);
        // Its body moves it; its centre stays in the tank.
        drag(h, {50, 25}, {40, 20});
        QCOMPARE(QPoint(medium.medium()->X, medium.medium()->Y), QPoint(40, 20));
        drag(h, {40, 20}, {-8, 20});
        QCOMPARE(QPoint(medium.medium()->X, medium.medium()->Y), QPoint(0, 20));
        QCOMPARE(steps(h), before + 4);
        QTest::keyClick(&panel(h), Qt::Key_Right, Qt::ShiftModifier);
        QCOMPARE(medium.medium()->X, 10);
        QCOMPARE(steps(h), before + 5);
        h.window->document().undo();
        h.window->document().undo();
        QCOMPARE(last(h).medium()->X, 40);
        h.window->document().undo();
        h.window->document().undo();
        QCOMPARE(last(h).medium()->Winkel, 0);
        QCOMPARE(last(h).medium()->Breite, 20);
    }

    void anArcsHandlesChangeItsRadiusAndEachEndAlone() {
        Harness h(true);
        setView(h, 0, 50, 50);
        const TObjekt& arc = insertFromMenu(h, {60, 25}, kArc);
        const TKreisbogen start = *arc.kreisbogen();
        QCOMPARE(QPoint(start.X, start.Y), QPoint(60, 25));
        const QPointF centre(start.X, start.Y);
        const int before = steps(h);
        drag(h, handleOf(arc, ObjectPart::ArcRadius), {40, 25});
        QCOMPARE(arc.kreisbogen()->Radius, 20);
        QCOMPARE(arc.kreisbogen()->Startwinkel, start.Startwinkel);
        QCOMPARE(arc.kreisbogen()->Endwinkel, start.Endwinkel);
        drag(h, handleOf(arc, ObjectPart::ArcStart), atAngle(centre, 20, 100));
        QCOMPARE(arc.kreisbogen()->Startwinkel, 100);
        QCOMPARE(arc.kreisbogen()->Endwinkel, start.Endwinkel);
        QCOMPARE(arc.kreisbogen()->Radius, 20);
        drag(h, handleOf(arc, ObjectPart::ArcEnd), atAngle(centre, 20, 257));
        QCOMPARE(arc.kreisbogen()->Endwinkel, 255);
        QCOMPARE(arc.kreisbogen()->Startwinkel, 100);
        QCOMPARE(QPoint(arc.kreisbogen()->X, arc.kreisbogen()->Y), QPoint(60, 25));
        QCOMPARE(steps(h), before + 3);
        // The arc itself, not its centre, is what a press grabs to move it.
        drag(h, atAngle(centre, 20, 140), atAngle(centre + QPointF(5, 3), 20, 140));
        QCOMPARE(QPoint(arc.kreisbogen()->X, arc.kreisbogen()->Y), QPoint(65, 28));
        for (int k = 0; k < 4; ++k) {
            h.window->document().undo();
        }
        const TKreisbogen& back = *last(h).kreisbogen();
        QCOMPARE(back.Radius, start.Radius);
        QCOMPARE(back.Startwinkel, start.Startwinkel);
        QCOMPARE(back.Endwinkel, start.Endwinkel);
    }

    void aParabolaTurnsAboutItsFocusAndMovesByIt() {
        Harness h(true);
        setView(h, 0, 50, 50);
        const TObjekt& mirror = insertFromMenu(h, {60, 25}, kParabola);
        QCOMPARE(QPoint(mirror.parabel()->X, mirror.parabel()->Y), QPoint(60, 25));
        const int width = mirror.parabel()->Breite;
        const int before = steps(h);
        // The vertex 15 from the focus, so that the mirror opens at 30 degrees.
        drag(h, handleOf(mirror, ObjectPart::ParabolaVertex), atAngle({60, 25}, 15, 210));
        QCOMPARE(mirror.parabel()->Brennweite, 15);
        QCOMPARE(mirror.parabel()->Winkel, 30);
        QCOMPARE(QPoint(mirror.parabel()->X, mirror.parabel()->Y), QPoint(60, 25));
        QCOMPARE(mirror.parabel()->Breite, width);
        QCOMPARE(steps(h), before + 1);
        // Grabbed at its focus, the whole mirror moves.
        drag(h, {60, 25}, {70, 20});
        QCOMPARE(QPoint(mirror.parabel()->X, mirror.parabel()->Y), QPoint(70, 20));
        QCOMPARE(mirror.parabel()->Brennweite, 15);
        QCOMPARE(mirror.parabel()->Winkel, 30);
        QCOMPARE(steps(h), before + 2);
        QCOMPARE(actionOf(*h.window, "actRueckgaengig").text(),
                 QStringLiteral("Rückgängig: Parabel-Wand verschieben"));
        // A click on the curve itself, beside the vertex, selects it again.
        QTest::keyClick(&panel(h), Qt::Key_Escape);
        QCOMPARE(h.selectedText(), QStringLiteral("Zitterbecken"));
        const Polyline curve = parabolaPieces(*mirror.parabel()).front();
        QTest::mouseClick(&panel(h), Qt::LeftButton, {}, pointOver(h, curve[curve.size() / 4]));
        QCOMPARE(h.selectedText(), QString::fromStdString(mirror.Name));
    }

    void theVelocityArrowSetsTheSpeedSnappedUnlessShiftIsHeld() {
        Harness h(true);
        setView(h, 0, 50, 50);
        const TObjekt& e = insertFromMenu(h, {30, 25}, kExciter);
        QCOMPARE(e.erreger()->Vx, 0.0);
        const double period = 50.0 / e.erreger()->Frequenz; // the arrow is the way of one period
        const int before = steps(h);
        // Drawn out of its place beside the still exciter to 10 oscillators at 44 degrees.
        drag(h, handleOf(e, ObjectPart::ExciterVelocity), atAngle({30, 25}, 10, 44));
        const double speed = 10 / period, c45 = std::cos(M_PI / 4);
        QVERIFY2(std::abs(e.erreger()->Vx - speed * c45) < 0.03 &&
                     e.erreger()->Vy == -e.erreger()->Vx, // up and right alike: snapped
                 qPrintable(QStringLiteral("%1, %2").arg(e.erreger()->Vx).arg(e.erreger()->Vy)));
        QCOMPARE(steps(h), before + 1);
        QCOMPARE(actionOf(*h.window, "actRueckgaengig").text(),
                 QStringLiteral("Rückgängig: Erreger-Geschwindigkeit ändern"));
        // The head sits at the tip now; drawn out with Shift it keeps 44 degrees.
        const QPointF tip = handleOf(e, ObjectPart::ExciterVelocity);
        QVERIFY(std::abs(tip.x() - (30 + 10 * c45)) < 0.2);
        drag(h, tip, atAngle({30, 25}, 25, 44), Qt::ShiftModifier);
        const double angle = std::atan2(-e.erreger()->Vy, e.erreger()->Vx) * 180 / M_PI;
        QVERIFY2(std::abs(angle - 44) < 0.5, qPrintable(QString::number(angle)));
        // Back onto the centre: the exciter stands still again.
        drag(h, handleOf(e, ObjectPart::ExciterVelocity), {30, 25});
        QCOMPARE(e.erreger()->Vx, 0.0);
        QCOMPARE(e.erreger()->Vy, 0.0);
        QCOMPARE(QPoint(e.erreger()->X, e.erreger()->Y), QPoint(30, 25));
        QCOMPARE(e.erreger()->Breite, 5);
        QCOMPARE(steps(h), before + 3);
        h.window->document().undo();
        QVERIFY(last(h).erreger()->Vx > 0);
    }

    void madeWithTheMouseSavedReopenedByteForByteAndUndone() {
        QTemporaryDir dir;
        Harness h(true);
        h.window->document().edit(QStringLiteral("Größe"), [](TZBecken& t) {
            t.GroesseX = 200;
            t.GroesseY = 100;
        });
        setView(h, 0, 50, 50);
        const std::vector<uint8_t> start = serializeTank(h.tank());
        const int base = steps(h);
        // A moving exciter and a pulse.
        const TObjekt& moving = insertFromMenu(h, {20, 20}, kExciter);
        drag(h, handleOf(moving, ObjectPart::ExciterVelocity), {30, 20});
        const TObjekt& pulse = insertFromMenu(h, {20, 80}, kExciter);
        h.edit(pulse, [](TObjekt& o) {
            o.erreger()->Puls = true;
            o.erreger()->Perioden = 3;
        });
        h.window->document().endGesture();
        // A medium and both curved walls, each changed by a handle.
        const TObjekt& medium = insertFromMenu(h, {60, 50}, kMedium);
        drag(h, handleOf(medium, ObjectPart::MediumSize), {68, 58});
        const TObjekt& arc = insertFromMenu(h, {150, 50}, kArc);
        drag(h, handleOf(arc, ObjectPart::ArcRadius), atAngle({150, 50}, 15, 180));
        const TObjekt& mirror = insertFromMenu(h, {110, 50}, kParabola);
        drag(h, handleOf(mirror, ObjectPart::ParabolaVertex), {110, 58});
        QCOMPARE(steps(h), base + 10); // five inserts, four drags, the pulse
        // 10 oscillators in a period of 5 s, straight to the right.
        QVERIFY2(std::abs(moving.erreger()->Vx - 2.0) < 0.03,
                 qPrintable(QString::number(moving.erreger()->Vx)));
        QCOMPARE(moving.erreger()->Vy, 0.0);
        QCOMPARE(medium.medium()->Breite, 16);
        QCOMPARE(arc.kreisbogen()->Radius, 15);
        QCOMPARE(mirror.parabel()->Winkel, 90);
        QCOMPARE(mirror.parabel()->Brennweite, 8);
        const std::vector<uint8_t> built = serializeTank(h.tank());
        const double speed = moving.erreger()->Vx; // the objects go with the steps undone below

        const QString first = dir.filePath(QStringLiteral("neu.zb"));
        h.dialogs.saveName = first;
        QCOMPARE(h.window->files().SaveCommand(), FileCommands::SaveOutcome::Saved);
        QVERIFY(h.dialogs.errors.isEmpty());

        // Undone step by step to the tank before.
        while (steps(h) > base) {
            h.window->document().undo();
        }
        QVERIFY(serializeTank(h.tank()) == start);
        QCOMPARE(h.tank().Objekte->Count(), 1);

        // Reopened: the same tank, and saved again the same bytes.
        QVERIFY(h.window->files().openTankFile(first));
        h.settle();
        QVERIFY(h.dialogs.errors.isEmpty());
        QVERIFY(serializeTank(h.tank()) == built);
        const TObjektListe& list = *h.tank().Objekte;
        QCOMPARE(list.Count(), 6);
        QCOMPARE(list.at(1).erreger()->Vx, speed);
        QVERIFY(list.at(2).erreger()->Puls);
        QCOMPARE(list.at(2).erreger()->Perioden, 3);
        QCOMPARE(list.at(3).medium()->Breite, 16);
        QCOMPARE(list.at(4).kreisbogen()->Radius, 15);
        QCOMPARE(list.at(5).parabel()->Winkel, 90);
        const QString second = dir.filePath(QStringLiteral("wieder.zb"));
        QVERIFY(h.window->files().saveTankAs(second));
        QFile a(first), b(second);
        QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
        const QByteArray bytes = a.readAll();
        QVERIFY(!bytes.isEmpty());
        QCOMPARE(b.readAll(), bytes);
    }
};

static RegisterTest<NewObjectsByMouseTest> registerNewObjectsByMouseTest;

} // namespace zb::ui::test

#include "test_new_objects_by_mouse.moc"
