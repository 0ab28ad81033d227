// Editing the tank with the mouse and the keyboard in the flat top view: a click selects, a drag
// moves or, on a handle, turns and stretches, the arrow keys nudge, Delete deletes, the context
// menu inserts at the clicked oscillator, the wheel zooms about the pointer and the middle button
// (or Space with the left one) pans. Every change goes through the tank document. Moving never
// takes an object's centre out of the tank; a wall's end snaps to multiples of 15 degrees near
// them and a plane front turns in steps of 15 degrees, unless Shift is held; so do the angles of
// media and curved walls and the direction of an exciter's velocity.
#pragma once

#include "base/run_state.h"
#include "document/selection.h"
#include "document/tank_document.h"
#include "model/engine_calls.h"
#include "view/object_shapes.h"
#include "view/view_geometry.h"

#include <QObject>
#include <QPoint>
#include <QPointF>

#include <optional>

class QContextMenuEvent;
class QKeyEvent;
class QMouseEvent;
class QSlider;
class QWheelEvent;

namespace zb::ui {

class TFrame2;

class FlatViewEditor : public QObject {
    Q_OBJECT

  public:
    FlatViewEditor(TankDocument& document, Selection& selection, TFrame2& frame, QSlider& zoom,
                   const RunState& run, EngineCalls& engine, QObject* parent = nullptr);

    // The view as it is now drawn, and the oscillator under a point of the panel (logical
    // pixels, as mouse events give them).
    TopView topView() const;
    QPointF oscillatorUnder(QPoint panelPoint) const;

    // Lays the selected object's outline and handles over the flat view.
    void updateMarks();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool active() const;
    double pickTolerance() const;
    void press(QMouseEvent* event);
    void move(QMouseEvent* event);
    void release(QMouseEvent* event);
    void wheel(QWheelEvent* event);
    bool key(QKeyEvent* event);
    void contextMenu(QContextMenuEvent* event);
    void nudge(int di, int dj);
    void moveSelected(QPointF by);
    // Shift (freely) turns without snapping to round angles.
    void dragHandle(QPointF to, bool freely);
    // The handles of an exciter's velocity and of media and curved walls.
    void dragVelocity(const TObjekt& object, QPointF to, bool freely);
    void dragShapeHandle(const TObjekt& object, QPointF to, bool freely);
    void insertAt(int32_t art, QPointF at, bool variant);
    // Moves the eye so that the world point under panelPoint stays there.
    void keepUnder(QPoint panelPoint, QPointF oscillator);

    TankDocument& document_;
    Selection& selection_;
    TFrame2& frame_;
    QSlider& zoom_;
    const RunState& run_;
    EngineCalls& engine_;

    enum class Drag { None, Object, Handle, Pan };
    Drag drag_ = Drag::None;
    ObjectPart handle_ = ObjectPart::Body;
    size_t handleIndex_ = 0; // which of the object's handles: a wall's two ends differ
    QPointF pressedAt_;      // oscillator under the press
    QPoint pressedPixel_;    // where the press was, logical pixels
    QPointF objectAtPress_;  // the dragged object's position when pressed
    QPoint scrollAtPress_;   // the scroll bars' positions when a pan began
    bool spaceHeld_ = false;
};

} // namespace zb::ui
