// How the run is drawn beyond the designed view: the colouring of the water, a factor on the
// drawn heights, and the screens' averaged intensity. The choices are the user's, kept from run
// to run and from one start of the program to the next; none of them changes the simulation.
#pragma once

#include "model/engine_calls.h"

#include <QGroupBox>

class QCheckBox;
class QComboBox;
class QSlider;

namespace zb::ui {

class HelpLabel;

class DisplayGroup : public QGroupBox {
    Q_OBJECT

  public:
    DisplayGroup(EngineCalls& engine, QWidget* parent = nullptr);

    QComboBox* cbFaerbung;
    HelpLabel* lblHoehenfaktor;
    QSlider* tbHoehenfaktor;
    QCheckBox* cbSchirmIntensitaet;

    // Sends every choice to the engine, which starts with its own defaults.
    void applyToEngine();

    // The factor on the drawn heights at a position of the track bar: 2^(position/10).
    static float heightScaleOf(int position);

  signals:
    // A choice changed and reached the engine: a paused run must draw a frame.
    void changed();

  private:
    void showHeightScale();
    void store() const;

    EngineCalls& engine_;
};

} // namespace zb::ui
