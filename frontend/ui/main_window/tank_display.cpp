#include "main_window/tank_display.h"

#include "main_window/run_panels.h"
#include "simulation/display_group.h"
#include "simulation/simulation_group.h"
#include "widgets/capped_track_bar.h"

#include <QCheckBox>
#include <QComboBox>
#include <QSlider>

namespace zb::ui {

TankDisplay::TankDisplay(SimulationGroup& group, RunPanels& panels, const RunState& run,
                         QObject* parent)
    : QObject(parent), group_(group), panels_(panels), run_(run),
      speed_(SimulationGroup::kStartPosition) {
    remembered_.screensTranslucent = group_.cbScreensTranslucent->isChecked();
    remembered_.wireFrame = group_.cbDrahtAnsicht->isChecked();
    remembered_.angle = group_.tbWinkel->value();
    remembered_.distance = group_.tbEntfernung->value();
    remembered_.height = group_.tbHoehe->value();

    // Only the user's own moves are remembered: a slider announces them as actions, with the
    // position they lead to, before its value follows; a check box as clicks.
    const auto follow = [this](QSlider* bar, int View::*field) {
        connect(bar, &QAbstractSlider::actionTriggered, this,
                [this, bar, field] { remembered_.*field = bar->sliderPosition(); });
    };
    follow(group_.tbWinkel, &View::angle);
    follow(group_.tbEntfernung, &View::distance);
    follow(group_.tbHoehe, &View::height);
    connect(group_.cbScreensTranslucent, &QCheckBox::clicked, this,
            [this](bool on) { remembered_.screensTranslucent = on; });
    connect(group_.cbDrahtAnsicht, &QCheckBox::clicked, this,
            [this](bool on) { remembered_.wireFrame = on; });
    connect(group_.tbSimSpeed, &QAbstractSlider::actionTriggered, this,
            [this] { speed_ = group_.tbSimSpeed->sliderPosition(); });
}

void TankDisplay::show(const std::optional<TAnzeige>& display) {
    if (!display || run_.tutorialSequence != 0) {
        showView(remembered_);
        group_.gbDarstellung->showRemembered(); // a sequence keeps its designed choices
        speed_ = SimulationGroup::kStartPosition;
        panels_.setStartSpeed(speed_);
        return;
    }
    TAnzeige d = *display;
    d.clamp();
    showView({d.SchirmeTransparent, d.DrahtAnsicht, d.Drehwinkel, d.Entfernung, d.Hoehe});
    group_.gbDarstellung->showTankChoices(d.Faerbung, d.Hoehenfaktor, d.SchirmIntensitaet);
    speed_ = d.Geschwindigkeit;
    panels_.setStartSpeed(speed_);
}

void TankDisplay::showView(const View& view) {
    group_.showView(view.screensTranslucent, view.wireFrame, view.angle, view.distance,
                    view.height);
}

std::optional<TAnzeige> TankDisplay::toSave() const {
    TAnzeige d;
    d.Faerbung = group_.gbDarstellung->cbFaerbung->currentIndex();
    d.Hoehenfaktor = group_.gbDarstellung->tbHoehenfaktor->value();
    d.SchirmIntensitaet = group_.gbDarstellung->cbSchirmIntensitaet->isChecked();
    d.DrahtAnsicht = group_.cbDrahtAnsicht->isChecked();
    d.SchirmeTransparent = group_.cbScreensTranslucent->isChecked();
    d.Drehwinkel = group_.tbWinkel->value();
    d.Entfernung = group_.tbEntfernung->value();
    d.Hoehe = group_.tbHoehe->value();
    d.Geschwindigkeit = speed_;
    if (d == TAnzeige{}) {
        return std::nullopt;
    }
    return d;
}

} // namespace zb::ui
