#include "view/flat_view_editor.h"

#include "view/curve_shapes.h"
#include "view/engine_panel.h"
#include "view/view_frame.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSlider>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace zb::ui {

namespace {

constexpr double kHandleReach = 7.0; // device pixels around a handle that grab it
constexpr double kPickReach = 5.0;   // device pixels around an object that still pick it
// Over the object's own body a handle takes only a press right on it: a small object's handles
// would otherwise cover most of it, and it could not be moved.
constexpr double kHandleReachOverBody = 3.0;
constexpr int kSnapStep = 15; // degrees between the angles a handle snaps to
constexpr int kSnapReach = 3; // degrees within which it does
constexpr double kRadian = 180.0 / 3.14159265358979323846;

int rounded(double v) {
    return int(std::lround(std::clamp(v, -1e9, 1e9)));
}

// The start moved by `by`, kept within [lo, hi]; a start already outside (typed, or from a
// file) is not pulled in, only kept from going further out.
int movedWithin(int start, int by, int lo, int hi) {
    return std::clamp(start + by, std::min(lo, start), std::max(hi, start));
}

// The angle rounded to a multiple of the snap step when it is near one.
int snapped(int angle) {
    const int nearest = int(std::lround(angle / double(kSnapStep))) * kSnapStep;
    return std::abs(angle - nearest) <= kSnapReach ? nearest : angle;
}

// The angle of the way from `from` to `to`, counter-clockwise on the screen, in whole degrees
// from 0 to 359, snapped unless freely.
int angleTowards(QPointF from, QPointF to, bool freely) {
    const int angle = rounded(std::atan2(from.y() - to.y(), to.x() - from.x()) * kRadian);
    const int chosen = freely ? angle : snapped(angle);
    return (chosen % 360 + 360) % 360;
}

// Hundredths of an oscillator per second: as fine as a drag can mean, and a round number in a box.
double hundredths(double v) {
    return std::nearbyint(v * 100.0) / 100.0;
}

QString kindName(const TObjekt& o) {
    switch (o.Art) {
    case kArtWand:
        return QStringLiteral("Wand");
    case kArtSchirm:
        return QStringLiteral("Schirm");
    case kArtMatUebergang:
        return QStringLiteral("Materialübergang");
    case kArtErreger:
        return QStringLiteral("Erreger");
    case kArtMesspunkt:
        return QStringLiteral("Messpunkt");
    case kArtMedium:
        return QStringLiteral("Medium");
    case kArtKreisbogen:
        return QStringLiteral("Kreisbogen-Wand");
    case kArtParabel:
        return QStringLiteral("Parabel-Wand");
    default:
        return QStringLiteral("Objekt");
    }
}

// Where an object stands, as its drag moves it.
QPointF positionOf(const TObjekt& o) {
    if (const TWand* w = o.wand()) {
        return {double(w->X), double(w->Y)};
    }
    if (const TErreger* e = o.erreger()) {
        return {double(e->X), double(e->Y)};
    }
    if (const TSchirm* s = o.schirm()) {
        return {double(s->Position), double(s->Position)};
    }
    if (const TMatUebergang* m = o.matUebergang()) {
        return {0.0, double(m->Y)};
    }
    if (const TMesspunkt* p = o.messpunkt()) {
        return {double(p->X), double(p->Y)};
    }
    if (const TMedium* m = o.medium()) {
        return {double(m->X), double(m->Y)};
    }
    if (const TKreisbogen* a = o.kreisbogen()) {
        return {double(a->X), double(a->Y)};
    }
    if (const TParabel* q = o.parabel()) {
        return {double(q->X), double(q->Y)}; // the focus: the mirror moves with it
    }
    return {};
}

} // namespace

FlatViewEditor::FlatViewEditor(TankDocument& document, Selection& selection, TFrame2& frame,
                               QSlider& zoom, const RunState& run, EngineCalls& engine,
                               QObject* parent)
    : QObject(parent), document_(document), selection_(selection), frame_(frame), zoom_(zoom),
      run_(run), engine_(engine) {
    EnginePanel* panel = frame_.PanSim;
    panel->setFocusPolicy(Qt::ClickFocus);
    panel->setMouseTracking(true);
    panel->installEventFilter(this);
    connect(&selection_, &Selection::changed, this, &FlatViewEditor::updateMarks);
    connect(&document_, &TankDocument::changed, this, &FlatViewEditor::updateMarks);
}

bool FlatViewEditor::active() const {
    return document_.hasTank() && !run_.in3dMode && run_.tutorialSequence == 0;
}

TopView FlatViewEditor::topView() const {
    TopView v;
    v.eyeX = double(frame_.sbX->value()) / double(frame_.sbX->maximum()) - 0.5;
    v.eyeZ = double(frame_.sbY->value()) / double(frame_.sbY->maximum()) - 0.5;
    v.height = frame_.zoomFactor + 0.2;
    v.viewportWidth = std::max(1, frame_.devicePixels(frame_.width()));
    v.viewportHeight = std::max(1, frame_.devicePixels(frame_.height()));
    v.panelHeight = frame_.devicePixels(frame_.PanSim->height());
    return v;
}

QPointF FlatViewEditor::oscillatorUnder(QPoint panelPoint) const {
    const double ratio = frame_.devicePixelRatioF();
    const TZBecken& t = document_.tank();
    // The pixel's centre.
    return oscillatorAt(topView(), poolLayout(t.GroesseX, t.GroesseY),
                        QPointF(panelPoint) * ratio + QPointF(0.5, 0.5));
}

double FlatViewEditor::pickTolerance() const {
    const TZBecken& t = document_.tank();
    return std::max(0.75, kPickReach *
                              oscillatorsPerPixel(topView(), poolLayout(t.GroesseX, t.GroesseY)));
}

void FlatViewEditor::updateMarks() {
    engine_.clearMarks();
    const TObjekt* selected = active() ? selection_.object() : nullptr;
    if (active()) {
        const TObjektListe& list = *document_.tank().Objekte;
        for (int k = 1; k < list.Count(); ++k) {
            if (&list.at(k) == selected) {
                continue;
            }
            for (const QLineF& line : alwaysShownOf(list.at(k))) {
                engine_.addMarkLine(line.x1(), line.y1(), line.x2(), line.y2());
            }
        }
    }
    if (selected && selected->Art != kArtBecken) {
        for (const QLineF& line : outlineOf(*selected, document_.tank())) {
            engine_.addMarkLine(line.x1(), line.y1(), line.x2(), line.y2());
        }
        for (const Handle& handle : handlesOf(*selected)) {
            engine_.addMarkHandle(handle.at.x(), handle.at.y());
        }
    }
    if (!run_.in3dMode) {
        frame_.UpdateTopView();
    }
}

bool FlatViewEditor::eventFilter(QObject* watched, QEvent* event) {
    if (watched != frame_.PanSim || !active()) {
        return QObject::eventFilter(watched, event);
    }
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        press(static_cast<QMouseEvent*>(event));
        return true;
    case QEvent::MouseMove:
        move(static_cast<QMouseEvent*>(event));
        return true;
    case QEvent::MouseButtonRelease:
        release(static_cast<QMouseEvent*>(event));
        return true;
    case QEvent::Wheel:
        wheel(static_cast<QWheelEvent*>(event));
        return true;
    case QEvent::KeyPress:
        return key(static_cast<QKeyEvent*>(event));
    case QEvent::KeyRelease: {
        auto* k = static_cast<QKeyEvent*>(event);
        if (k->key() == Qt::Key_Space && !k->isAutoRepeat()) {
            spaceHeld_ = false;
        }
        if (!k->isAutoRepeat()) {
            document_.endGesture(); // a held arrow key is one step
        }
        return false;
    }
    case QEvent::ContextMenu:
        contextMenu(static_cast<QContextMenuEvent*>(event));
        return true;
    default:
        return QObject::eventFilter(watched, event);
    }
}

void FlatViewEditor::press(QMouseEvent* event) {
    pressedPixel_ = event->position().toPoint();
    pressedAt_ = oscillatorUnder(pressedPixel_);
    const bool pan =
        event->button() == Qt::MiddleButton || (event->button() == Qt::LeftButton && spaceHeld_);
    if (pan) {
        drag_ = Drag::Pan;
        scrollAtPress_ = {frame_.sbX->value(), frame_.sbY->value()};
        frame_.PanSim->setCursor(Qt::ClosedHandCursor);
        return;
    }
    if (event->button() != Qt::LeftButton) {
        return;
    }
    document_.endGesture();
    const TZBecken& t = document_.tank();
    const PoolLayout pool = poolLayout(t.GroesseX, t.GroesseY);
    const QPointF pixel = QPointF(pressedPixel_) * frame_.devicePixelRatioF();
    if (const TObjekt* selected = selection_.object(); selected && selected->Art != kArtBecken) {
        const std::vector<Handle> handles = handlesOf(*selected);
        // On a small or far-off object the handles crowd its middle: a press nearer the middle
        // than a handle grabs the object.
        const QPointF middle = pixelOf(topView(), pool, positionOf(*selected));
        const double toMiddle = std::hypot(middle.x() - pixel.x(), middle.y() - pixel.y());
        const double reach =
            distanceTo(*selected, pressedAt_) > 0 ? kHandleReach : kHandleReachOverBody;
        for (size_t k = 0; k < handles.size(); ++k) {
            const QPointF at = pixelOf(topView(), pool, handles[k].at);
            const double toHandle = std::hypot(at.x() - pixel.x(), at.y() - pixel.y());
            if (toHandle <= reach && toHandle < toMiddle) {
                drag_ = Drag::Handle;
                handle_ = handles[k].part;
                handleIndex_ = k;
                return;
            }
        }
    }
    if (const std::optional<Pick> pick = objectAt(t, pressedAt_, pickTolerance())) {
        selection_.select(pick->serial);
        objectAtPress_ = positionOf(*document_.find(pick->serial));
        drag_ = Drag::Object;
    } else {
        selection_.select(0); // the water: the tank itself
        drag_ = Drag::None;
    }
}

void FlatViewEditor::move(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    const QPointF at = oscillatorUnder(point);
    switch (drag_) {
    case Drag::Object:
        moveSelected(at - pressedAt_);
        return;
    case Drag::Handle:
        dragHandle(at, event->modifiers().testFlag(Qt::ShiftModifier));
        return;
    case Drag::Pan: {
        const TopView v = topView();
        const double worldPerLogical = 2.0 * v.height * std::tan(22.5 / kRadian) /
                                       v.viewportHeight * frame_.devicePixelRatioF();
        const QPoint moved = point - pressedPixel_;
        frame_.sbX->setValue(scrollAtPress_.x() - rounded(moved.x() * worldPerLogical * 100));
        frame_.sbY->setValue(scrollAtPress_.y() - rounded(moved.y() * worldPerLogical * 100));
        return;
    }
    case Drag::None:
        break;
    }
    // Hovering: show what a press would grab.
    Qt::CursorShape shape = Qt::ArrowCursor;
    if (spaceHeld_) {
        shape = Qt::OpenHandCursor;
    } else if (objectAt(document_.tank(), at, pickTolerance())) {
        shape = Qt::SizeAllCursor;
    }
    frame_.PanSim->setCursor(shape);
}

void FlatViewEditor::release(QMouseEvent*) {
    if (drag_ != Drag::None) {
        document_.endGesture();
    }
    drag_ = Drag::None;
    frame_.PanSim->setCursor(Qt::ArrowCursor);
}

void FlatViewEditor::moveSelected(QPointF by) {
    const TObjekt* o = selection_.object();
    if (!o || o->Art == kArtBecken) {
        return;
    }
    const int di = rounded(by.x()), dj = rounded(by.y());
    const int startI = rounded(objectAtPress_.x()), startJ = rounded(objectAtPress_.y());
    const int lastI = document_.tank().GroesseX - 1, lastJ = document_.tank().GroesseY - 1;
    // The centre stays in the tank, whatever the pointer does.
    const int i = movedWithin(startI, di, 0, lastI), j = movedWithin(startJ, dj, 0, lastJ);
    document_.editObject(
        o->serial(), kindName(*o) + QStringLiteral(" verschieben"), [&](TObjekt& x) {
            if (TWand* w = x.wand()) {
                w->X = i;
                w->Y = j;
            } else if (TErreger* e = x.erreger()) {
                e->X = i;
                e->Y = j;
            } else if (TSchirm* s = x.schirm()) {
                // Counted from 1.
                s->Position = s->Horizontal ? movedWithin(startJ, dj, 1, lastJ + 1)
                                            : movedWithin(startI, di, 1, lastI + 1);
            } else if (TMatUebergang* m = x.matUebergang()) {
                m->Y = j;
            } else if (TMesspunkt* p = x.messpunkt()) {
                p->X = i;
                p->Y = j;
            } else if (TMedium* medium = x.medium()) {
                medium->X = i;
                medium->Y = j;
            } else if (TKreisbogen* arc = x.kreisbogen()) {
                arc->X = i;
                arc->Y = j;
            } else if (TParabel* mirror = x.parabel()) {
                mirror->X = i;
                mirror->Y = j;
            }
        });
    selection_.showAgain();
}

void FlatViewEditor::dragHandle(QPointF to, bool freely) {
    const TObjekt* o = selection_.object();
    if (!o) {
        return;
    }
    if (o->erreger() && handle_ == ObjectPart::ExciterVelocity) {
        dragVelocity(*o, to, freely);
    } else if (o->medium() || o->kreisbogen() || o->parabel()) {
        dragShapeHandle(*o, to, freely);
    } else if (const TWand* w = o->wand()) {
        // The pivot stays; the grabbed end follows the pointer, whichever end it was. A positive
        // angle turns the wall's first end towards smaller rows.
        const double di = to.x() - w->X, dj = to.y() - w->Y;
        const bool first = handleIndex_ == 0;
        int angle = rounded(std::atan2(first ? -dj : dj, first ? di : -di) * kRadian);
        angle = freely ? angle : snapped(angle);
        angle = angle <= -180 ? angle + 360 : angle; // the field's range is -179 to 180
        const int length = std::clamp(rounded(2 * std::hypot(di, dj)), 0, 10000);
        document_.editObject(o->serial(), QStringLiteral("Wand drehen"), [&](TObjekt& x) {
            x.wand()->Winkel = angle;
            x.wand()->Laenge = length;
        });
    } else if (const TErreger* e = o->erreger()) {
        const double di = to.x() - e->X, dj = to.y() - e->Y;
        if (handle_ == ObjectPart::ExciterWidth) {
            const double c = std::cos(e->Winkel / kRadian), s = std::sin(e->Winkel / kRadian);
            const int width = std::clamp(rounded(2 * std::abs(di * c - dj * s)), 1, 100000);
            const bool radial = e->Breite == e->Laenge;
            document_.editObject(o->serial(), QStringLiteral("Erregergröße ändern"),
                                 [&](TObjekt& x) {
                                     x.erreger()->Breite = width;
                                     if (radial) {
                                         x.erreger()->Laenge = width;
                                     }
                                 });
        } else if (handle_ == ObjectPart::ExciterLength) {
            // The front turns only in whole snap steps from where it stands, so that drawing it
            // out longer, never quite along its axis, leaves its angle; Shift turns it freely.
            const int pointer = rounded(std::atan2(di, dj) * kRadian);
            const int turn = pointer - e->Winkel;
            int angle =
                freely ? pointer
                       : e->Winkel +
                             int(std::lround(std::remainder(turn, 360.0) / kSnapStep)) * kSnapStep;
            angle = (angle % 360 + 360) % 360; // the field's range is 0 to 359
            // The length along the front as it will stand.
            const double along = di * std::sin(angle / kRadian) + dj * std::cos(angle / kRadian);
            const int length = std::clamp(rounded(2 * std::abs(along)), 1, 100000);
            document_.editObject(o->serial(), QStringLiteral("Erreger drehen"), [&](TObjekt& x) {
                x.erreger()->Winkel = angle;
                x.erreger()->Laenge = length;
            });
        }
    }
    selection_.showAgain();
}

void FlatViewEditor::dragVelocity(const TObjekt& o, QPointF to, bool freely) {
    // The arrow's head follows the pointer: the way of one period. Back on the centre it stops.
    const TErreger& e = *o.erreger();
    const QPointF way = to - QPointF(e.X, e.Y);
    const double length = std::hypot(way.x(), way.y());
    double vx = 0.0, vy = 0.0;
    if (length >= 0.5) {
        double direction = std::atan2(-way.y(), way.x()) * kRadian;
        const double nearest = std::nearbyint(direction / kSnapStep) * kSnapStep;
        if (!freely && std::abs(direction - nearest) <= kSnapReach) {
            direction = nearest;
        }
        const double speed = length / exciterPeriod(e);
        vx = hundredths(speed * std::cos(direction / kRadian)) + 0.0; // no -0 in the file
        vy = hundredths(-speed * std::sin(direction / kRadian)) + 0.0;
    }
    document_.editObject(o.serial(), QStringLiteral("Erreger-Geschwindigkeit ändern"),
                         [&](TObjekt& x) {
                             x.erreger()->Vx = vx;
                             x.erreger()->Vy = vy;
                         });
}

void FlatViewEditor::dragShapeHandle(const TObjekt& o, QPointF to, bool freely) {
    if (const TMedium* m = o.medium()) {
        const QPointF centre(m->X, m->Y);
        if (handle_ == ObjectPart::MediumSize) {
            // The pointer in the medium's own axes.
            const double di = to.x() - m->X, dj = to.y() - m->Y;
            const double c = std::cos(m->Winkel / kRadian), s = std::sin(m->Winkel / kRadian);
            const int width = std::clamp(rounded(2 * std::abs(di * c - dj * s)), 1, 100000);
            const int height = std::clamp(rounded(2 * std::abs(di * s + dj * c)), 1, 100000);
            document_.editObject(o.serial(), QStringLiteral("Mediumgröße ändern"), [&](TObjekt& x) {
                x.medium()->Breite = width;
                x.medium()->Hoehe = height;
            });
        } else if (handle_ == ObjectPart::MediumAngle) {
            const int angle = angleTowards(centre, to, freely);
            document_.editObject(o.serial(), QStringLiteral("Medium drehen"),
                                 [&](TObjekt& x) { x.medium()->Winkel = angle; });
        }
    } else if (const TKreisbogen* a = o.kreisbogen()) {
        const QPointF centre(a->X, a->Y);
        if (handle_ == ObjectPart::ArcRadius) {
            const int radius =
                std::clamp(rounded(std::hypot(to.x() - a->X, to.y() - a->Y)), 1, 100000);
            document_.editObject(o.serial(), QStringLiteral("Kreisbogen-Radius ändern"),
                                 [&](TObjekt& x) { x.kreisbogen()->Radius = radius; });
        } else if (handle_ == ObjectPart::ArcStart) {
            const int angle = angleTowards(centre, to, freely);
            document_.editObject(o.serial(), QStringLiteral("Kreisbogen-Anfang ändern"),
                                 [&](TObjekt& x) { x.kreisbogen()->Startwinkel = angle; });
        } else if (handle_ == ObjectPart::ArcEnd) {
            const int angle = angleTowards(centre, to, freely);
            document_.editObject(o.serial(), QStringLiteral("Kreisbogen-Ende ändern"),
                                 [&](TObjekt& x) { x.kreisbogen()->Endwinkel = angle; });
        }
    } else if (const TParabel* q = o.parabel(); q && handle_ == ObjectPart::ParabolaVertex) {
        // The focus stays; the mirror opens from the vertex towards it.
        const QPointF focus(q->X, q->Y);
        const int length = std::clamp(rounded(std::hypot(to.x() - q->X, to.y() - q->Y)), 1, 100000);
        const int angle = angleTowards(to, focus, freely);
        document_.editObject(o.serial(), QStringLiteral("Parabel ändern"), [&](TObjekt& x) {
            x.parabel()->Brennweite = length;
            x.parabel()->Winkel = angle;
        });
    }
}

void FlatViewEditor::wheel(QWheelEvent* event) {
    const QPoint point = event->position().toPoint();
    const QPointF under = oscillatorUnder(point);
    const int steps = event->angleDelta().y() / 24; // five positions per notch
    if (steps == 0) {
        return;
    }
    zoom_.setValue(std::clamp(zoom_.value() + steps, zoom_.minimum(), zoom_.maximum()));
    keepUnder(point, under);
}

void FlatViewEditor::keepUnder(QPoint panelPoint, QPointF oscillator) {
    // Where the eye must stand for the oscillator to appear under the point again; the scroll
    // bars hold it in hundredths of the tank.
    TopView v = topView();
    const TZBecken& t = document_.tank();
    const PoolLayout pool = poolLayout(t.GroesseX, t.GroesseY);
    const QPointF now = pixelOf(v, pool, oscillator);
    const QPointF want = QPointF(panelPoint) * frame_.devicePixelRatioF() + QPointF(0.5, 0.5);
    const double worldPerPixel = oscillatorsPerPixel(v, pool) * pool.spacing;
    v.eyeX += (now.x() - want.x()) * worldPerPixel;
    v.eyeZ += (now.y() - want.y()) * worldPerPixel;
    frame_.sbX->setValue(rounded((v.eyeX + 0.5) * frame_.sbX->maximum()));
    frame_.sbY->setValue(rounded((v.eyeZ + 0.5) * frame_.sbY->maximum()));
}

bool FlatViewEditor::key(QKeyEvent* event) {
    const int step = event->modifiers() & Qt::ShiftModifier ? 10 : 1;
    switch (event->key()) {
    case Qt::Key_Left:
        nudge(-step, 0);
        return true;
    case Qt::Key_Right:
        nudge(step, 0);
        return true;
    case Qt::Key_Up:
        nudge(0, -step);
        return true;
    case Qt::Key_Down:
        nudge(0, step);
        return true;
    case Qt::Key_Delete:
        selection_.removeSelected();
        return true;
    case Qt::Key_Escape:
        selection_.select(0);
        return true;
    case Qt::Key_Space:
        spaceHeld_ = true;
        frame_.PanSim->setCursor(Qt::OpenHandCursor);
        return true;
    default:
        return false;
    }
}

void FlatViewEditor::nudge(int di, int dj) {
    const TObjekt* o = selection_.object();
    if (!o || o->Art == kArtBecken) {
        return;
    }
    objectAtPress_ = positionOf(*o);
    moveSelected(QPointF(di, dj));
}

void FlatViewEditor::contextMenu(QContextMenuEvent* event) {
    const QPointF at = oscillatorUnder(event->pos());
    QMenu menu;
    menu.setObjectName(QStringLiteral("viewMenu"));
    struct Item {
        const char* text;
        int32_t art;
        bool variant;
    };
    const Item items[] = {
        {"Erreger (Radialwelle) hier einfügen", kArtErreger, false},
        {"Erreger (ebene Welle) hier einfügen", kArtErreger, true},
        {"Wand hier einfügen", kArtWand, false},
        {"Kreisbogen-Wand hier einfügen", kArtKreisbogen, false},
        {"Parabel-Wand hier einfügen", kArtParabel, false},
        {"Schirm (horizontal) hier einfügen", kArtSchirm, false},
        {"Schirm (vertikal) hier einfügen", kArtSchirm, true},
        {"Materialübergang hier einfügen", kArtMatUebergang, false},
        {"Medium hier einfügen", kArtMedium, false},
        {"Messpunkt hier einfügen", kArtMesspunkt, false},
    };
    for (const Item& item : items) {
        menu.addAction(QString::fromUtf8(item.text), this,
                       [this, item, at] { insertAt(item.art, at, item.variant); });
    }
    if (const std::optional<Pick> pick = objectAt(document_.tank(), at, pickTolerance())) {
        const uint64_t serial = pick->serial;
        const QString name = QString::fromStdString(document_.find(serial)->Name);
        menu.addSeparator();
        menu.addAction(QStringLiteral("„%1“ löschen").arg(name), this, [this, serial] {
            selection_.select(serial);
            selection_.removeSelected();
        });
    }
    menu.exec(event->globalPos());
}

void FlatViewEditor::insertAt(int32_t art, QPointF at, bool variant) {
    const TZBecken& t = document_.tank();
    const int i = std::clamp(rounded(at.x()), 0, std::max(0, t.GroesseX - 1));
    const int j = std::clamp(rounded(at.y()), 0, std::max(0, t.GroesseY - 1));
    selection_.insert(art, [&](TObjekt& object) {
        if (TErreger* e = object.erreger()) {
            e->X = i;
            e->Y = j;
            if (variant) { // a front across the tank's height, running in x
                e->Breite = 2;
                e->Laenge = std::max(2, std::min(t.GroesseY - 2, 40));
            }
        } else if (TWand* w = object.wand()) {
            w->X = i;
            w->Y = j;
            fitIntoTank(*w, t);
        } else if (TSchirm* s = object.schirm()) {
            s->Horizontal = !variant;
            s->Position = (variant ? i : j) + 1;
        } else if (TMatUebergang* m = object.matUebergang()) {
            // As the editor's own insert does: a medium with half the coupling, damped alike.
            m->Y = j;
            m->Kopplung = std::nearbyint(t.StandardKopplung * 10.0) / 20.0;
            m->Daempfung = t.StandardDaempfung;
        } else if (TMesspunkt* p = object.messpunkt()) {
            p->X = i;
            p->Y = j;
        } else if (TMedium* medium = object.medium()) {
            // Of lower coupling, as an inserted material change: a lens or a prism to shape.
            medium->X = i;
            medium->Y = j;
            medium->Kopplung = std::nearbyint(t.StandardKopplung * 10.0) / 20.0;
            medium->Daempfung = t.StandardDaempfung;
            fitIntoTank(*medium, t);
        } else if (TKreisbogen* arc = object.kreisbogen()) {
            arc->X = i;
            arc->Y = j;
            fitIntoTank(*arc, t);
        } else if (TParabel* mirror = object.parabel()) {
            mirror->X = i;
            mirror->Y = j;
            fitIntoTank(*mirror, t);
        }
    });
}

} // namespace zb::ui
