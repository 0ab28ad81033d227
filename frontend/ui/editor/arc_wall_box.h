// Property box of a wall along a circular arc.
#pragma once

#include "editor/object_box.h"

class QPushButton;

namespace zb::ui {

class SpinEdit;

class ArcWallBox : public ObjectBox {
    Q_OBJECT

  public:
    explicit ArcWallBox(TankDocument& document, QWidget* parent = nullptr);

    void showObject(const TObjekt& arc);

    SpinEdit* seBogenX;
    SpinEdit* seBogenY;
    SpinEdit* seBogenRadius;
    SpinEdit* seBogenStartwinkel;
    SpinEdit* seBogenEndwinkel;
    SpinEdit* seBogenDicke;
    SpinEdit* seBogenSpaltAnz;
    SpinEdit* seBogenSpaltbreite;
    SpinEdit* seBogenSpaltabstand;
    QPushButton* btnWasIstBogen;

  private:
    void bind(SpinEdit* control, int32_t TKreisbogen::*field, const QString& what);
};

} // namespace zb::ui
