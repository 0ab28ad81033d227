// Property box of the tank itself: damping, coupling, size and the behaviour of the edges.
#pragma once

#include "document/tank_document.h"

#include <functional>

#include "widgets/compact_group_box.h"

class QCheckBox;
class QGridLayout;
class QLabel;
class QRadioButton;
class QSlider;

namespace zb::ui {

class SpinEdit;

class TankBox : public CompactGroupBox {
    Q_OBJECT

  public:
    explicit TankBox(TankDocument& document, QWidget* parent = nullptr);

    // The controls a new tank starts from; every handler runs, so the tank follows them.
    void startNewTank(int32_t x, int32_t y);
    // Shows a tank read from a file without writing anything back into it.
    void showLoadedTank();
    // Asked before a new size is stored; a size it refuses is taken back in the fields.
    void setSizeCheck(std::function<bool(int32_t, int32_t)> check) {
        sizeCheck_ = std::move(check);
    }

    SpinEdit* seStandardDaempf;
    QSlider* tbStandardKoppl;
    SpinEdit* seXGr;
    SpinEdit* seYGr;
    QRadioButton* rbReflOhnePhS;
    QRadioButton* rbReflMitPhS;
    QRadioButton* rbDaempf;
    QWidget* panDaempf;
    QCheckBox* cbZBDaempfLinks;
    QCheckBox* cbZBDaempfRechts;
    QCheckBox* cbZBDaempfVorne;  // captioned "Hinten": the edge at y = 0
    QCheckBox* cbZBDaempfHinten; // captioned "Vorne": the edge at y = max
    QSlider* tbDaempfRand;
    QLabel* lblRandBreite;          // "Breite der Ränder: 10", following the slider
    QCheckBox* cbKaumReflektierend; // the damped edges as quiet ones, under the designed controls

    // Commits a size typed into the fields but not yet confirmed (Enter or leaving the field).
    void commitTypedSize();

  private:
    void buildEdgeControls(QGridLayout* grid);
    void edgesChanged();
    void edgeBehaviourChosen();
    EdgeChoice shownEdgeChoice() const;
    // The kind of the damped edges; only the choosable edges can be quiet ones (the phase jump
    // is made of damped edges too, and must stay as it is).
    int32_t shownEdgeKind() const;
    void showEdgeWidth();
    void sizeChanged();

    TankDocument& document_;
    std::function<bool(int32_t, int32_t)> sizeCheck_;
    bool sizeTyped_ = false; // the size fields hold text not yet stored in the tank
};

} // namespace zb::ui
