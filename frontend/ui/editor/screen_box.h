// Property box of a screen.
#pragma once

#include "editor/object_box.h"

class QButtonGroup;
class QPushButton;
class QRadioButton;

namespace zb::ui {

class SpinEdit;

class ScreenBox : public ObjectBox {
    Q_OBJECT

  public:
    explicit ScreenBox(TankDocument& document, QWidget* parent = nullptr);

    void showObject(const TObjekt& screen);

    SpinEdit* seSchirmPos;
    QGroupBox* rgSchirmAnordnung;
    QRadioButton* rbHorizontal;
    QRadioButton* rbVertikal;
    QPushButton* Button7;

  private:
    QButtonGroup* anordnung_;
};

} // namespace zb::ui
