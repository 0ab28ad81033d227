// Property box of a medium: a region of its own coupling and damping.
#pragma once

#include "editor/object_box.h"

class QComboBox;
class QPushButton;
class QSlider;

namespace zb::ui {

class SpinEdit;

class MediumBox : public ObjectBox {
    Q_OBJECT

  public:
    explicit MediumBox(TankDocument& document, QWidget* parent = nullptr);

    void showObject(const TObjekt& medium);

    QComboBox* cbMediumForm;
    SpinEdit* seMediumX;
    SpinEdit* seMediumY;
    SpinEdit* seMediumBreite;
    SpinEdit* seMediumHoehe;
    SpinEdit* seMediumWinkel;
    QSlider* tbMediumKopplung;
    SpinEdit* seMediumDaempfung;
    QPushButton* btnWasIstMedium;

  private:
    void bind(SpinEdit* control, int32_t TMedium::*field, const QString& what);
};

} // namespace zb::ui
