#include "simulation/display_group.h"

#include "base/help_texts.h"
#include "model/tank.h"
#include "widgets/help_label.h"
#include "widgets/track_bar.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLocale>
#include <QSettings>
#include <QSignalBlocker>
#include <QSlider>

namespace zb::ui {

namespace {

const QString kColorKey = QStringLiteral("display/colorMode");
const QString kHeightKey = QStringLiteral("display/heightScale");
const QString kIntensityKey = QStringLiteral("display/screenIntensity");

// Heights from 1/8 to 8 times the computed ones, in tenths of a doubling.
constexpr int kLowestHeight = -30;
constexpr int kHighestHeight = 30;
// The designed picture draws the heights unscaled; a user who finds a closed tank's waves
// mountainous lowers them (x0.5 suits a new tank with its default exciter).
constexpr int kDefaultHeight = 0;

} // namespace

DisplayGroup::DisplayGroup(EngineCalls& engine, const RunState& run, QWidget* parent)
    : QGroupBox(QStringLiteral("Darstellung"), parent), engine_(engine), run_(run) {
    setObjectName(QStringLiteral("gbDarstellung"));
    auto* lblFaerbung = new HelpLabel(QStringLiteral("Farben:"), help::Faerbung, this);
    lblFaerbung->setObjectName(QStringLiteral("lblFaerbung"));
    lblFaerbung->setGeometry(8, 19, 46, 15);
    cbFaerbung = new QComboBox(this);
    cbFaerbung->setObjectName(QStringLiteral("cbFaerbung"));
    cbFaerbung->addItems({QStringLiteral("Normale Farben"), QStringLiteral("Auslenkung"),
                          QStringLiteral("Intensität")});
    cbFaerbung->setGeometry(56, 16, 121, 20);
    cbFaerbung->setToolTip(QStringLiteral(
        "Färbt das Wasser nach der Höhe der Wellen oder nach der mittleren Intensität, etwa um "
        "die Streifen eines Interferenzmusters zu sehen."));

    lblHoehenfaktor = new HelpLabel(QString(), help::Hoehenfaktor, this);
    lblHoehenfaktor->setObjectName(QStringLiteral("lblHoehenfaktor"));
    lblHoehenfaktor->setGeometry(8, 40, 172, 15);
    tbHoehenfaktor = makeTrackBar(kLowestHeight, kHighestHeight, kDefaultHeight, 10, this);
    tbHoehenfaktor->setTickInterval(10); // a tick at every doubling
    tbHoehenfaktor->setObjectName(QStringLiteral("tbHoehenfaktor"));
    tbHoehenfaktor->setGeometry(8, 55, 170, 17);
    tbHoehenfaktor->setToolTip(
        QStringLiteral("Zeichnet die Wellen höher oder flacher; die Rechnung bleibt dieselbe."));

    cbSchirmIntensitaet = new QCheckBox(QStringLiteral("Intensität an den Schirmen"), this);
    cbSchirmIntensitaet->setObjectName(QStringLiteral("cbSchirmIntensitaet"));
    cbSchirmIntensitaet->setGeometry(8, 76, 172, 17);
    cbSchirmIntensitaet->setToolTip(
        QStringLiteral("Zeigt in der Schirmanzeige, wie stark es entlang jedes Schirms im Mittel "
                       "schwingt."));

    showStored();

    // Only the control the user moved becomes a remembered choice: the others may show what a
    // tank brought.
    const auto apply = [this](const QString& key, const QVariant& value) {
        showHeightScale();
        if (shownSequence_ == 0) {
            store(key, value);
        }
        applyToEngine();
        emit changed();
    };
    connect(cbFaerbung, &QComboBox::currentIndexChanged, this,
            [apply](int index) { apply(kColorKey, index); });
    connect(tbHoehenfaktor, &QSlider::valueChanged, this,
            [apply](int position) { apply(kHeightKey, position); });
    connect(cbSchirmIntensitaet, &QCheckBox::toggled, this,
            [apply](bool on) { apply(kIntensityKey, on); });
}

float DisplayGroup::heightScaleOf(int position) {
    return float(TAnzeige::heightScaleOf(position));
}

void DisplayGroup::applyToEngine() {
    if (run_.tutorialSequence == 0 && shownSequence_ != 0) {
        shownSequence_ = 0;
        showStored();
    } else if (run_.tutorialSequence != shownSequence_) {
        startSequence();
        return;
    }
    engine_.setColorMode(cbFaerbung->currentIndex());
    engine_.setHeightScale(heightScaleOf(tbHoehenfaktor->value()));
    engine_.setScreenIntensity(cbSchirmIntensitaet->isChecked());
}

void DisplayGroup::startSequence() {
    shownSequence_ = run_.tutorialSequence;
    showChoices(0, kDefaultHeight, false);
    applyToEngine();
}

void DisplayGroup::showTankChoices(int colorMode, int heightPosition, bool screenIntensity) {
    if (run_.tutorialSequence != 0) {
        return;
    }
    shownSequence_ = 0;
    showChoices(colorMode, heightPosition, screenIntensity);
    applyToEngine();
    emit changed();
}

void DisplayGroup::showRemembered() {
    if (run_.tutorialSequence != 0) {
        return;
    }
    shownSequence_ = 0;
    showStored();
    applyToEngine();
    emit changed();
}

void DisplayGroup::showChoices(int colorMode, int heightPosition, bool screenIntensity) {
    // Shown, not chosen: nothing is stored, and the caller sends them to the engine.
    const QSignalBlocker color(cbFaerbung);
    const QSignalBlocker height(tbHoehenfaktor);
    const QSignalBlocker intensity(cbSchirmIntensitaet);
    cbFaerbung->setCurrentIndex(colorMode >= 0 && colorMode < cbFaerbung->count() ? colorMode : 0);
    tbHoehenfaktor->setValue(heightPosition);
    cbSchirmIntensitaet->setChecked(screenIntensity);
    showHeightScale();
}

void DisplayGroup::showStored() {
    const QSettings settings;
    showChoices(settings.value(kColorKey, 0).toInt(),
                settings.value(kHeightKey, kDefaultHeight).toInt(),
                settings.value(kIntensityKey, false).toBool());
}

void DisplayGroup::showHeightScale() {
    const double scale = double(heightScaleOf(tbHoehenfaktor->value()));
    lblHoehenfaktor->setText(
        QStringLiteral("Höhe ×%1")
            .arg(QLocale(QLocale::German).toString(scale, 'f', scale < 1.0 ? 2 : 1)));
}

void DisplayGroup::store(const QString& key, const QVariant& value) const {
    QSettings().setValue(key, value);
}

} // namespace zb::ui
