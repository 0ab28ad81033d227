// Property box of a screen. Its changes reach the engine with the next tick of the update timer.
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
    explicit ScreenBox(QWidget* parent = nullptr);

    void showObject(TObjekt& screen);

    SpinEdit* seSchirmPos;
    QGroupBox* rgSchirmAnordnung;
    QRadioButton* rbHorizontal;
    QRadioButton* rbVertikal;
    QPushButton* Button7;

  private:
    QButtonGroup* anordnung_;
};

} // namespace zb::ui
