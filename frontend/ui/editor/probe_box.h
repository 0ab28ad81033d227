// Property box of a probe: where it measures, the colour of its marker and curve, its name.
#pragma once

#include "editor/object_box.h"

#include <cstdint>

class QComboBox;
class QLineEdit;

namespace zb::ui {

class SpinEdit;

// The colours the box offers a probe, distinct on the water and in the plot.
struct ProbeColour {
    const char* name;
    uint32_t rgb;
};
extern const ProbeColour kProbeColours[8];
// The colour for a new probe of the tank: one that none of its probes has yet, while there is one.
uint32_t nextProbeColour(const TZBecken& tank);

class ProbeBox : public ObjectBox {
    Q_OBJECT

  public:
    explicit ProbeBox(TankDocument& document, QWidget* parent = nullptr);

    void showObject(const TObjekt& probe);

    SpinEdit* seMessX;
    SpinEdit* seMessY;
    QComboBox* cbMessFarbe;
    QLineEdit* edMessName;

  signals:
    // The probe's name changed: the tree shows it.
    void renamed();

  private:
    void rename();
};

} // namespace zb::ui
