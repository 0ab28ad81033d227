// Property box of a material change.
#pragma once

#include "editor/object_box.h"

class QPushButton;
class QSlider;

namespace zb::ui {

class SpinEdit;

class MaterialBox : public ObjectBox {
    Q_OBJECT

  public:
    explicit MaterialBox(TankDocument& document, QWidget* parent = nullptr);

    void showObject(const TObjekt& change);

    SpinEdit* seUeY;
    QSlider* tbMatUeKopplung;
    SpinEdit* seUeDaempfung;
    QPushButton* Button4;
};

} // namespace zb::ui
