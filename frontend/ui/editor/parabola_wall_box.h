// Property box of a wall along a parabola: a mirror that gathers a plane wave in its focus.
#pragma once

#include "editor/object_box.h"

class QPushButton;

namespace zb::ui {

class SpinEdit;

class ParabolaWallBox : public ObjectBox {
    Q_OBJECT

  public:
    explicit ParabolaWallBox(TankDocument& document, QWidget* parent = nullptr);

    void showObject(const TObjekt& parabola);

    SpinEdit* seParabelX;
    SpinEdit* seParabelY;
    SpinEdit* seParabelBrennweite;
    SpinEdit* seParabelWinkel;
    SpinEdit* seParabelBreite;
    SpinEdit* seParabelDicke;
    SpinEdit* seParabelSpaltAnz;
    SpinEdit* seParabelSpaltbreite;
    SpinEdit* seParabelSpaltabstand;
    QPushButton* btnWasIstParabel;

  private:
    void bind(SpinEdit* control, int32_t TParabel::*field, const QString& what);
};

} // namespace zb::ui
