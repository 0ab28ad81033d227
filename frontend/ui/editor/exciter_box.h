// Property box of an exciter.
#pragma once

#include "editor/object_box.h"

class QComboBox;
class QLabel;
class QRadioButton;
class QSlider;
class QWidget;

namespace zb::ui {

class SpinEdit;

class ExciterBox : public ObjectBox {
    Q_OBJECT

  public:
    explicit ExciterBox(QWidget* parent = nullptr);

    void showObject(TObjekt& exciter);

    SpinEdit* seErrXPos;
    SpinEdit* seErrYPos;
    QSlider* seErrAmpl;
    QLabel* lblAmpli;
    SpinEdit* seErrT;
    QComboBox* cbErregerFest;
    QRadioButton* rbRadialwelle;
    QRadioButton* rbEbeneWellenfront;
    QWidget* panRadialwelle;
    SpinEdit* seDurchmesser;
    QWidget* panWellenfront;
    SpinEdit* seErrBreite;
    SpinEdit* seErrLaenge;
    SpinEdit* seErrWinkel;

  private:
    TErreger* exciter() const { return object_ ? object_->erreger() : nullptr; }
    void buildShapePanels();
    void connectHandlers();
};

} // namespace zb::ui
