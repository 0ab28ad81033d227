// Property box of an exciter.
#pragma once

#include "editor/object_box.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QRadioButton;
class QSlider;
class QWidget;

namespace zb::ui {

class SpinEdit;

class ExciterBox : public ObjectBox {
    Q_OBJECT

  public:
    explicit ExciterBox(TankDocument& document, QWidget* parent = nullptr);

    void showObject(const TObjekt& exciter);

    SpinEdit* seErrXPos;
    SpinEdit* seErrYPos;
    QSlider* seErrAmpl;
    QLabel* lblAmpli;
    SpinEdit* seErrT;
    QLabel* lblWellenlaenge;
    QLabel* lblWellengeschwindigkeit;
    QComboBox* cbErregerFest;
    QRadioButton* rbRadialwelle;
    QRadioButton* rbEbeneWellenfront;
    QWidget* panRadialwelle;
    SpinEdit* seDurchmesser;
    QWidget* panWellenfront;
    SpinEdit* seErrBreite;
    SpinEdit* seErrLaenge;
    SpinEdit* seErrWinkel;
    // Motion and pulse, under the designed controls.
    QDoubleSpinBox* seErrVx;
    QDoubleSpinBox* seErrVy;
    QCheckBox* cbErrPuls;
    SpinEdit* seErrPerioden;

  private:
    template <class Change>
    void editExciter(const QString& what, Change change) {
        editRecord<TErreger>(what, change);
    }
    void buildShapePanels();
    void buildMotionControls();
    void connectHandlers();
    // The wavelength and speed of the exciter's waves, at the time step a run starts with.
    void showWavelength();
};

} // namespace zb::ui
