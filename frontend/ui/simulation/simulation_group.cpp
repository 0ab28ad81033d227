#include "simulation/simulation_group.h"

#include "model/simulation_speed.h"

#include "base/help_texts.h"
#include "base/user_dialogs.h"
#include "model/simulation_time.h"
#include "simulation/display_group.h"
#include "widgets/capped_track_bar.h"
#include "widgets/fit_text.h"
#include "widgets/help_label.h"
#include "widgets/track_bar.h"

#include <QCheckBox>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTimer>

namespace zb::ui {

namespace {

QSlider* viewTrackBar(int minimum, int maximum, int position, QWidget* parent) {
    QSlider* bar = makeTrackBar(minimum, maximum, position, 10, parent);
    bar->setTickInterval(1); // a tick at every unit
    return bar;
}

} // namespace

SimulationGroup::SimulationGroup(EngineCalls& engine, RunState& run, QTimer& stepTimer,
                                 QWidget* parent)
    : CompactGroupBox(QStringLiteral("Eigenschaften der Simulation"), parent), engine_(engine),
      run_(run), stepTimer_(stepTimer) {
    setObjectName(QStringLiteral("gbSimulation"));
    QFont small = font();
    small.setPixelSize(11);
    setFont(small);
    buildErreger();
    buildSpeed();
    buildView();
    buildControl();
    connect(&stepTimer_, &QTimer::timeout, this, [this] {
        setEnginePaused(true);
        stepTimer_.stop();
    });
}

void SimulationGroup::setSpeedCap(double maxTimeStep) {
    int cap = tbSimSpeed->maximum();
    while (cap > tbSimSpeed->minimum() && double(speedOf(cap)) > maxTimeStep) {
        --cap;
    }
    tbSimSpeed->setCap(cap);
    tbSimSpeed->setToolTip(
        cap < tbSimSpeed->maximum()
            ? QStringLiteral(
                  "Schneller geht es mit diesem Zitterbecken nicht: Bei einem größeren Zeitschritt "
                  "würde die Rechnung instabil, und die Wellen wüchsen ohne Grenze. Je größer die "
                  "Kopplung (auch hinter einem Materialübergang), desto kleiner ist der größte "
                  "stabile Zeitschritt. Der rote Teil des Reglers ist deshalb gesperrt.")
            : QString());
}

void SimulationGroup::showView(bool screensTranslucent, bool wireFrame, int angle, int distance,
                               int height) {
    cbScreensTranslucent->setChecked(screensTranslucent);
    cbDrahtAnsicht->setChecked(wireFrame);
    tbWinkel->setValue(angle);
    tbEntfernung->setValue(distance);
    tbHoehe->setValue(height);
    engine_.setViewParameters(screensTranslucent, wireFrame);
    emit runViewChanged();
}

void SimulationGroup::setEnginePaused(bool paused) {
    engine_.setPaused(paused);
    run_.enginePaused = paused;
    emit runViewChanged();
}

// The scale lives in the model, where the exciter box reads it before any run exists.
float SimulationGroup::speedOf(int position) {
    return timeStepOfSpeed(position);
}

float SimulationGroup::startTimeStep(double maxTimeStep) {
    return zb::startTimeStep(maxTimeStep);
}

void SimulationGroup::buildErreger() {
    rgErreger = new QGroupBox(QStringLiteral("Erreger"), this);
    rgErreger->setObjectName(QStringLiteral("rgErreger"));
    rgErreger->setGeometry(8, 16, 185, 73);
    rbErregerAn = new QRadioButton(QStringLiteral("Erreger an"), rgErreger);
    rbErregerAn->setObjectName(QStringLiteral("rbErregerAn"));
    rbErregerAn->setGeometry(8, 20, 96, 20);
    rbErregerAus = new QRadioButton(QStringLiteral("Erreger aus"), rgErreger);
    rbErregerAus->setObjectName(QStringLiteral("rbErregerAus"));
    rbErregerAus->setGeometry(8, 44, 96, 20);
    Button3 = new QPushButton(QStringLiteral("Info"), this);
    Button3->setObjectName(QStringLiteral("Button3"));
    Button3->setGeometry(112, 40, 67, 25);
    connect(rbErregerAn, &QRadioButton::clicked, this, &SimulationGroup::rgErregerClick);
    connect(rbErregerAus, &QRadioButton::clicked, this, &SimulationGroup::rgErregerClick);
    connect(Button3, &QPushButton::clicked, this, [] {
        userDialogs().information(QStringLiteral(
            "Du kannst die Erreger deaktivieren und später wieder aktivieren. Sie werden auch "
            "nach der Deaktivierung noch grün dargestellt, was aber nur dazu dient, dass ihre "
            "Position auch dann noch sichtbar ist. Sie unterscheiden sich nicht von normalen "
            "Schwingern."));
    });
}

void SimulationGroup::buildSpeed() {
    gbSimSpeed = new QGroupBox(QStringLiteral("Simulationsgeschwindigkeit "), this);
    gbSimSpeed->setObjectName(QStringLiteral("gbSimSpeed"));
    gbSimSpeed->setGeometry(8, 96, 185, 105);
    rbKonstGeschw = new QRadioButton(QStringLiteral("Konstante Geschwindigkeit"), gbSimSpeed);
    rbKonstGeschw->setObjectName(QStringLiteral("rbKonstGeschw"));
    rbKonstGeschw->setGeometry(8, 18, 170, 17);
    rbKonstGeschw->setToolTip(
        QStringLiteral("Lässt die Simulation mit einer frei wählbaren Geschwindigkeit ablaufen."));
    RadioButton2 = new QRadioButton(QStringLiteral("Schrittweise Simulation"), gbSimSpeed);
    RadioButton2->setObjectName(QStringLiteral("RadioButton2"));
    RadioButton2->setGeometry(8, 36, 170, 17);
    RadioButton2->setToolTip(QStringLiteral(
        "Lässt die Simulation immer nur für kurze Zeit ablaufen und hält sie dann wieder an. Wie "
        "weit die Simulation in einem Schritt fortschreiten soll kann über die Geschwindigkeit "
        "geregelt werden, die z.B. bei \"Pause\" eingegeben werden kann."));
    rbPaused = new QRadioButton(QStringLiteral("Pause"), gbSimSpeed);
    rbPaused->setObjectName(QStringLiteral("rbPaused"));
    rbPaused->setGeometry(8, 54, 170, 17);
    rbPaused->setToolTip(QStringLiteral("Hält die Simulation an. Während der Pause kann die "
                                        "Geschwindigkeit der Simulation geändert werden."));
    lblSimSpeed = new HelpLabel(QStringLiteral("Simulations- geschwindigkeit"), help::lblSimSpeed,
                                gbSimSpeed);
    lblSimSpeed->setObjectName(QStringLiteral("lblSimSpeed"));
    lblSimSpeed->setGeometry(6, 72, 104, 30);
    tbSimSpeed = new CappedTrackBar(0, 150, 0, gbSimSpeed);
    tbSimSpeed->setObjectName(QStringLiteral("tbSimSpeed"));
    tbSimSpeed->setGeometry(110, 76, 70, 24);
    btnSimWeiter = new QPushButton(QStringLiteral("Weiter"), gbSimSpeed);
    btnSimWeiter->setObjectName(QStringLiteral("btnSimWeiter"));
    btnSimWeiter->setGeometry(24, 72, 137, 25);
    btnSimWeiter->hide();

    connect(rbKonstGeschw, &QRadioButton::clicked, this, &SimulationGroup::rbKonstGeschwClick);
    connect(RadioButton2, &QRadioButton::clicked, this, &SimulationGroup::RadioButton2Click);
    connect(rbPaused, &QRadioButton::clicked, this, &SimulationGroup::rbPausedClick);
    connect(tbSimSpeed, &QSlider::valueChanged, this, &SimulationGroup::tbSimSpeedChange);
    connect(btnSimWeiter, &QPushButton::clicked, this, [this] {
        setEnginePaused(false);
        stepTimer_.start();
    });
}

void SimulationGroup::buildView() {
    GroupBox1 = new QGroupBox(QStringLiteral("Ansicht "), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(8, 208, 185, 153);
    cbScreensTranslucent =
        new QCheckBox(QStringLiteral("Schirmhintergrund transparent"), GroupBox1);
    cbScreensTranslucent->setObjectName(QStringLiteral("cbScreensTranslucent"));
    cbScreensTranslucent->setGeometry(6, 16, 176, 17);
    fitTextToWidth(cbScreensTranslucent, 176);
    cbScreensTranslucent->setToolTip(QStringLiteral(
        "Wenn dies angehakt ist, kannst du durch die Felder für die Schirme \"hindurchschauen\", "
        "was mehr Sicht auf die Wanne bewirkt, aber die Schirme etwas unübersichtlicher macht. "
        "Außerdem kann die Darstellung langsamer werden."));
    cbDrahtAnsicht = new QCheckBox(QStringLiteral("Drahtansicht"), GroupBox1);
    cbDrahtAnsicht->setObjectName(QStringLiteral("cbDrahtAnsicht"));
    cbDrahtAnsicht->setGeometry(8, 34, 172, 17);
    cbDrahtAnsicht->setChecked(true);
    cbDrahtAnsicht->setToolTip(QStringLiteral(
        "Die Drahtansicht stellt die einzelnen Schwinger deutlich dar, jedoch kann in der soliden "
        "Darstellung besser erkannt werden, welche Wellen vorne und welche hinten liegen."));

    struct Row {
        const char* name;
        const char* caption;
        const QString* help;
        QSlider** bar;
        int minimum, maximum, position;
    };
    const Row rows[] = {
        {"Label16", "Drehwinkel:", &help::Label16, &tbWinkel, -90, 270, 90},
        {"Label27", "Entfernung:", &help::Label27, &tbEntfernung, 0, 150, 75},
        {"Label28", "Höhe des Betrachters:", &help::Label28, &tbHoehe, 0, 150, 20},
    };
    const char* barNames[] = {"tbWinkel", "tbEntfernung", "tbHoehe"};
    int y = 54;
    for (int k = 0; k < 3; ++k) {
        const Row& row = rows[k];
        auto* label = new HelpLabel(QString::fromUtf8(row.caption), *row.help, GroupBox1);
        label->setObjectName(QString::fromUtf8(row.name));
        label->setGeometry(8, y, 172, 15);
        *row.bar = viewTrackBar(row.minimum, row.maximum, row.position, GroupBox1);
        (*row.bar)->setObjectName(QString::fromUtf8(barNames[k]));
        (*row.bar)->setGeometry(8, y + 15, 170, 17);
        connect(*row.bar, &QSlider::valueChanged, this, &SimulationGroup::runViewChanged);
        y += 33;
    }

    const auto sendView = [this] {
        engine_.setViewParameters(cbScreensTranslucent->isChecked(), cbDrahtAnsicht->isChecked());
        emit runViewChanged();
    };
    connect(cbScreensTranslucent, &QCheckBox::clicked, this, sendView);
    connect(cbDrahtAnsicht, &QCheckBox::clicked, this, sendView);
}

void SimulationGroup::buildControl() {
    gbSteuerung = new QGroupBox(QStringLiteral("Steuerung der Simulation"), this);
    gbSteuerung->setObjectName(QStringLiteral("gbSteuerung"));
    gbSteuerung->setGeometry(8, 383, 185, 82);
    btnSimReset = new QPushButton(QStringLiteral("Simulation zurücksetzen"), gbSteuerung);
    btnSimReset->setObjectName(QStringLiteral("btnSimReset"));
    btnSimReset->setGeometry(8, 18, 169, 25);
    btnSimReset->setToolTip(
        QStringLiteral("Setzt die Simulation auf den Anfangszustand zurück (keine Wellen, Pause)"));
    btnSimRun = new QPushButton(QStringLiteral("Simulation starten!"), gbSteuerung);
    btnSimRun->setObjectName(QStringLiteral("btnSimRun"));
    btnSimRun->setGeometry(8, 47, 169, 28);
    QFont bold = btnSimRun->font();
    bold.setPixelSize(15);
    bold.setBold(true);
    btnSimRun->setFont(bold);
    QPalette red = btnSimRun->palette();
    red.setColor(QPalette::ButtonText, Qt::red);
    btnSimRun->setPalette(red);
    btnSimRun->setToolTip(QStringLiteral("Startet die Simulation, indem die Geschwindigkeit auf "
                                         "\"Konstante Geschwindigkeit\" gesetzt wird."));
    connect(btnSimRun, &QPushButton::clicked, this, [this] {
        rbKonstGeschw->setChecked(true);
        rbKonstGeschwClick();
        btnSimRun->hide();
    });

    lblBilderProSekunde = new QLabel(this);
    lblBilderProSekunde->setObjectName(QStringLiteral("lblBilderProSekunde"));
    lblBilderProSekunde->setGeometry(8, 472, 185, 16);
    lblBilderProSekunde->setToolTip(
        QStringLiteral("So viele Bilder zeichnet der Rechner in jeder Sekunde. Sind es sehr "
                       "wenige, ist das Zitterbecken für diesen Rechner zu groß."));
    QPalette grey = lblBilderProSekunde->palette();
    grey.setColor(QPalette::WindowText, QColor(90, 90, 90));
    lblBilderProSekunde->setPalette(grey);
    lblBilderProSekunde->resize(96, 16); // the simulated time takes the right half
    lblSimZeit = new QLabel(this);
    lblSimZeit->setObjectName(QStringLiteral("lblSimZeit"));
    lblSimZeit->setGeometry(104, 472, 89, 16);
    lblSimZeit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblSimZeit->setPalette(grey);
    lblSimZeit->setToolTip(QStringLiteral(
        "So viel Simulationszeit ist seit dem Start vergangen, in Sekunden: derselben Zeit, in "
        "der die Schwingungsdauer T eines Erregers angegeben ist und die die Zeitachse der "
        "Messpunkte und die gespeicherten Messwerte zeigen. Jeder Rechenschritt bringt sie um "
        "einen Zeitschritt weiter, bei höherer Simulationsgeschwindigkeit also schneller."));

    gbDarstellung = new DisplayGroup(engine_, run_, this);
    gbDarstellung->setGeometry(8, 492, 185, 98);
    connect(gbDarstellung, &DisplayGroup::changed, this, &SimulationGroup::runViewChanged);

    // In the free band between the display group and the leave button's bar.
    btnPulsAusloesen = new QPushButton(QStringLiteral("Puls auslösen"), this);
    btnPulsAusloesen->setObjectName(QStringLiteral("btnPulsAusloesen"));
    btnPulsAusloesen->setGeometry(8, 591, 185, 22);
    btnPulsAusloesen->setToolTip(QStringLiteral(
        "Startet die Pulse der Puls-Erreger noch einmal, ohne die Simulation zurückzusetzen. Nur "
        "möglich, wenn das Zitterbecken einen Erreger mit \"Puls\" hat."));
    btnPulsAusloesen->setEnabled(false);
    connect(btnPulsAusloesen, &QPushButton::clicked, this, [this] {
        engine_.triggerPulse();
        emit runViewChanged(); // a paused run shows the new start at once
    });

    Button2 = new QPushButton(QStringLiteral("<< Simulation anhalten <<"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
}

void SimulationGroup::resizeEvent(QResizeEvent* event) {
    CompactGroupBox::resizeEvent(event);
    // The leave button sits in a 40-pixel bar along the bottom, whatever the window's height.
    Button2->setGeometry(8, height() - 34, width() - 16, 28);
    lblBilderProSekunde->move(8, qMin(472, height() - 56));
    lblSimZeit->move(104, lblBilderProSekunde->y());
    // In a window too low for it the group would cover the leave button.
    gbDarstellung->setVisible(gbDarstellung->geometry().bottom() < height() - 40);
    btnPulsAusloesen->setVisible(btnPulsAusloesen->geometry().bottom() < height() - 40);
}

void SimulationGroup::setPulseAvailable(bool available) {
    btnPulsAusloesen->setEnabled(available);
}

void SimulationGroup::showSimulationTime(double time) {
    lblSimZeit->setText(
        QStringLiteral("t = %1 s")
            .arg(QLocale(QLocale::German).toString(simulationSeconds(time), 'f', 1)));
}

void SimulationGroup::showSpeedControls(bool speed) {
    btnSimWeiter->setVisible(!speed);
    tbSimSpeed->setVisible(speed);
    lblSimSpeed->setVisible(speed);
}

void SimulationGroup::rbKonstGeschwClick() {
    showSpeedControls(true);
    if (rbKonstGeschw->isChecked()) {
        btnSimRun->hide();
    }
    setEnginePaused(false);
}

void SimulationGroup::RadioButton2Click() {
    showSpeedControls(false);
    if (RadioButton2->isChecked()) {
        btnSimRun->hide();
    }
    setEnginePaused(true);
}

void SimulationGroup::rbPausedClick() {
    showSpeedControls(true);
    setEnginePaused(rbPaused->isChecked());
}

void SimulationGroup::tbSimSpeedChange() {
    engine_.setSimulationSpeed(speedOf(tbSimSpeed->value()));
}

void SimulationGroup::rgErregerClick() {
    engine_.enableExciters(rbErregerAn->isChecked());
}

} // namespace zb::ui
