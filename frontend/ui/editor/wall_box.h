// Property box of a wall.
#pragma once

#include "editor/object_box.h"

class QPushButton;

namespace zb::ui {

class SpinEdit;

class WallBox : public ObjectBox {
    Q_OBJECT

  public:
    explicit WallBox(TankDocument& document, QWidget* parent = nullptr);

    // Shows the wall; setting the controls brings its values into their ranges.
    void showObject(const TObjekt& wall);

    SpinEdit* seWandPosX;
    SpinEdit* seWandPosY;
    SpinEdit* seWandWinkel;
    SpinEdit* seWandLaenge;
    SpinEdit* seWandSpaltAnz;
    SpinEdit* seWandSpaltbreite;
    SpinEdit* seWandSpaltabstand;
    QPushButton* Button6;

  private:
    void bind(SpinEdit* control, int32_t TWand::*field, const QString& what);
};

} // namespace zb::ui
