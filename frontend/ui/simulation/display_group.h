// How the run is drawn beyond the designed view: the colouring of the water, a factor on the
// drawn heights, and the screens' averaged intensity. In free mode the choices are the user's,
// kept from run to run and from one start of the program to the next; a guided sequence starts
// with the designed view, and what is chosen there lasts for that sequence only. None of them
// changes the simulation.
#pragma once

#include "base/run_state.h"
#include "model/engine_calls.h"

#include <QGroupBox>
#include <QVariant>

class QCheckBox;
class QComboBox;
class QSlider;

namespace zb::ui {

class HelpLabel;

class DisplayGroup : public QGroupBox {
    Q_OBJECT

  public:
    DisplayGroup(EngineCalls& engine, const RunState& run, QWidget* parent = nullptr);

    QComboBox* cbFaerbung;
    HelpLabel* lblHoehenfaktor;
    QSlider* tbHoehenfaktor;
    QCheckBox* cbSchirmIntensitaet;

    // Sends every choice to the engine, which starts with its own defaults. Free mode's own
    // choices come back first when a sequence has been left.
    void applyToEngine();
    // A guided sequence (re)starts: the designed view, which free mode's choices do not reach.
    void startSequence();
    // In free mode: choices a tank brought, shown but not remembered, or the remembered ones
    // again. A guided sequence keeps its designed view.
    void showTankChoices(int colorMode, int heightPosition, bool screenIntensity);
    void showRemembered();

    // The factor on the drawn heights at a position of the track bar: 2^(position/10).
    static float heightScaleOf(int position);

  signals:
    // A choice changed and reached the engine: a paused run must draw a frame.
    void changed();

  private:
    void showChoices(int colorMode, int heightPosition, bool screenIntensity);
    void showStored();
    void showHeightScale();
    void store(const QString& key, const QVariant& value) const;

    EngineCalls& engine_;
    const RunState& run_;
    int32_t shownSequence_ = 0; // whose choices the controls show: 0 free mode's
};

} // namespace zb::ui
