#include "editor/exciter_box.h"

#include "base/help_texts.h"
#include "editor/box_rows.h"
#include "model/dispersion.h"
#include "model/simulation_speed.h"
#include "model/stability.h"
#include "widgets/help_label.h"
#include "widgets/rounding.h"
#include "widgets/spin_edit.h"
#include "widgets/track_bar.h"
#include "widgets/wrap_radio_button.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

namespace zb::ui {

namespace {

const QString kAxisTip = QStringLiteral(
    "Das Koordinatensystem beginnt links oben. Die Einheit ist 1 Schwinger (Knoten im Netz)");

QString percentOf(int position) {
    return QStringLiteral("%1%").arg(roundIntoRange(position * 100.0 / 126.0, 0, 100));
}

} // namespace

ExciterBox::ExciterBox(TankDocument& document, QWidget* parent) : ObjectBox(document, parent) {
    setObjectName(QStringLiteral("gbErreger"));
    seErrXPos = new SpinEdit(0, 0, 0);
    seErrYPos = new SpinEdit(0, 0, 0);
    seErrAmpl = makeTrackBar(0, 126, 0, 20);
    lblAmpli = new QLabel(percentOf(0));
    seErrT = new SpinEdit(1, 1000000, 100);
    cbErregerFest = new QComboBox;
    cbErregerFest->addItems({QStringLiteral("Als zusätzliche Beschleunigung"),
                             QStringLiteral("Sinusförmige Auslenkung vorgeben")});
    seErrXPos->setObjectName(QStringLiteral("seErrXPos"));
    seErrYPos->setObjectName(QStringLiteral("seErrYPos"));
    seErrAmpl->setObjectName(QStringLiteral("seErrAmpl"));
    lblAmpli->setObjectName(QStringLiteral("lblAmpli"));
    seErrT->setObjectName(QStringLiteral("seErrT"));
    cbErregerFest->setObjectName(QStringLiteral("cbErregerFest"));
    cbErregerFest->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    cbErregerFest->setMinimumContentsLength(8);

    auto* Label19 = new HelpLabel(QStringLiteral("Position des Mittelpunkts:"), help::Label19);
    grid_->addWidget(Label19, grid_->rowCount(), 0, 1, 2);
    const auto [xLabel, yLabel] = addXYRow(grid_, seErrXPos, seErrYPos);
    xLabel->setToolTip(kAxisTip);
    yLabel->setToolTip(kAxisTip);

    grid_->addWidget(new HelpLabel(QStringLiteral("Amplitude:"), help::Amplitude),
                     grid_->rowCount(), 0, 1, 2);
    const int amplitudeRow = grid_->rowCount();
    grid_->addWidget(seErrAmpl, amplitudeRow, 0);
    lblAmpli->setToolTip(help::Amplitude);
    lblAmpli->setMinimumWidth(lblAmpli->fontMetrics().horizontalAdvance(QStringLiteral("100%")));
    lblAmpli->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid_->addWidget(lblAmpli, amplitudeRow, 1);

    QHBoxLayout* periodRow =
        addCaptionedRow(grid_,
                        new HelpLabel(QStringLiteral("Schwingungsdauer T (in Simulationszeit ms):"),
                                      help::Frequenz),
                        seErrT);
    // Beside the period, wrapped, so that the box keeps its height.
    lblWellenlaenge = new QLabel;
    lblWellenlaenge->setWordWrap(true);
    lblWellenlaenge->setObjectName(QStringLiteral("lblWellenlaenge"));
    lblWellenlaenge->setToolTip(QStringLiteral(
        "λ ist die Wellenlänge, so lang werden die Wellen dieses Erregers: der Abstand von einem "
        "Wellenberg zum nächsten, "
        "an der Stelle des Erregers und bei der Geschwindigkeit, mit der die Simulation startet. "
        "Bei höherer Simulationsgeschwindigkeit werden die Wellen etwas kürzer."));
    // The speed under it, in the units of T and λ, so that λ = c · T can be checked on screen.
    lblWellengeschwindigkeit = new QLabel;
    lblWellengeschwindigkeit->setObjectName(QStringLiteral("lblWellengeschwindigkeit"));
    lblWellengeschwindigkeit->setToolTip(QStringLiteral(
        "So schnell laufen die Wellenberge dieses Erregers: c = λ / T, in Schwingern pro Sekunde "
        "Simulationszeit. In derselben Zeit zählen die Anzeige „t =“ und die Zeitachse der "
        "Messpunkte."));
    auto* readouts = new QVBoxLayout;
    readouts->setContentsMargins(0, 0, 0, 0);
    readouts->setSpacing(0);
    readouts->addWidget(lblWellenlaenge);
    readouts->addWidget(lblWellengeschwindigkeit);
    periodRow->insertLayout(1, readouts, 1);
    auto* Label29 = new HelpLabel(
        QStringLiteral("Wie soll der Erreger auf die Schwinger einwirken?"), help::Label29);
    Label29->setCursor(Qt::ArrowCursor);
    addCaptionedRow(grid_, Label29, cbErregerFest);

    buildShapePanels();
    auto* help = addHelpButton(QStringLiteral("Was ist ein Erreger?"), QStringLiteral("Erreger"),
                               QStringLiteral("OH\\Erreger.rtf"));
    help->setObjectName(QStringLiteral("btnWasIstErreger"));
    buildMotionControls();
    grid_->addWidget(makeOutsideHint(QStringLiteral("Der Mittelpunkt"), {seErrXPos, seErrYPos}),
                     grid_->rowCount(), 0, 1, 2);
    connectHandlers();
}

void ExciterBox::buildShapePanels() {
    rbRadialwelle = new WrapRadioButton(QStringLiteral("Radialwelle erzeugen"));
    rbRadialwelle->setObjectName(QStringLiteral("rbRadialwelle"));
    rbRadialwelle->setToolTip(QStringLiteral(
        "Der Schwinger bekommt eine quadratische Grundfläche, sodass eine Radialwelle entsteht"));
    rbEbeneWellenfront = new WrapRadioButton(QStringLiteral("Ebene Wellenfront erzeugen"));
    rbEbeneWellenfront->setObjectName(QStringLiteral("rbEbeneWellenfront"));
    rbEbeneWellenfront->setToolTip(
        QStringLiteral("Der Schwinger bekommt eine rechteckige Grundfläche, sodass er auch ebene "
                       "Wellenfronten erzeugen kann."));
    grid_->addWidget(rbRadialwelle, grid_->rowCount(), 0, 1, 2);
    grid_->addWidget(rbEbeneWellenfront, grid_->rowCount(), 0, 1, 2);

    panRadialwelle = new QWidget;
    panRadialwelle->setObjectName(QStringLiteral("panRadialwelle"));
    seDurchmesser = new SpinEdit(1, 100000, 1);
    seDurchmesser->setObjectName(QStringLiteral("seDurchmesser"));
    auto* radial = new QGridLayout(panRadialwelle);
    radial->setContentsMargins(0, 0, 0, 0);
    addCaptionedRow(radial, new QLabel(QStringLiteral("Breite u. Länge (Schwinger):")),
                    seDurchmesser);

    panWellenfront = new QWidget;
    panWellenfront->setObjectName(QStringLiteral("panWellenfront"));
    seErrBreite = new SpinEdit(1, 100000, 1);
    seErrLaenge = new SpinEdit(1, 100000, 1);
    seErrWinkel = new SpinEdit(0, 359, 0);
    seErrBreite->setObjectName(QStringLiteral("seErrBreite"));
    seErrLaenge->setObjectName(QStringLiteral("seErrLaenge"));
    seErrWinkel->setObjectName(QStringLiteral("seErrWinkel"));
    auto* front = new QGridLayout(panWellenfront);
    front->setContentsMargins(0, 0, 0, 0);
    front->setVerticalSpacing(3);
    const QString captions[] = {QStringLiteral("Breite (Schwinger):"),
                                QStringLiteral("Länge (Schwinger):"),
                                QStringLiteral("Winkel (in °):")};
    SpinEdit* fields[] = {seErrBreite, seErrLaenge, seErrWinkel};
    for (int k = 0; k < 3; ++k) {
        front->addWidget(new QLabel(captions[k]), k, 0);
        front->addWidget(fields[k], k, 1);
    }
    grid_->addWidget(panRadialwelle, grid_->rowCount(), 0, 1, 2);
    grid_->addWidget(panWellenfront, grid_->rowCount(), 0, 1, 2);
    panRadialwelle->hide();
    panWellenfront->hide();
}

void ExciterBox::buildMotionControls() {
    // Tenths: the waves of the start speed run at a few oscillators per second.
    const auto speedField = [](const char* name) {
        auto* field = new QDoubleSpinBox;
        field->setObjectName(QString::fromLatin1(name));
        field->setLocale(QLocale(QLocale::German));
        field->setDecimals(1);
        field->setRange(-999.9, 999.9);
        field->setSingleStep(0.5);
        field->setAccelerated(true);
        field->setToolTip(help::Geschwindigkeit);
        return field;
    };
    seErrVx = speedField("seErrVx");
    seErrVy = speedField("seErrVy");
    cbErrPuls = new QCheckBox(QStringLiteral("Puls"));
    cbErrPuls->setObjectName(QStringLiteral("cbErrPuls"));
    cbErrPuls->setToolTip(help::Puls);
    seErrPerioden = new SpinEdit(1, 10, 1);
    seErrPerioden->setObjectName(QStringLiteral("seErrPerioden"));
    seErrPerioden->setToolTip(help::Puls);

    grid_->addWidget(new HelpLabel(QStringLiteral("Geschwindigkeit vx / vy (Schwinger/s):"),
                                   help::Geschwindigkeit, help::kBewegteErregerPage),
                     grid_->rowCount(), 0, 1, 2);
    addXYRow(grid_, seErrVx, seErrVy);
    auto* pulse = new QHBoxLayout;
    pulse->setSpacing(4);
    pulse->addWidget(cbErrPuls);
    pulse->addSpacing(8);
    pulse->addWidget(
        new HelpLabel(QStringLiteral("Perioden:"), help::Puls, help::kBewegteErregerPage));
    pulse->addWidget(seErrPerioden);
    pulse->addStretch(1);
    grid_->addLayout(pulse, grid_->rowCount(), 0, 1, 2);

    connect(seErrVx, &QDoubleSpinBox::valueChanged, this, [this](double v) {
        editExciter(QStringLiteral("Geschwindigkeit ändern"), [&](TErreger& e) { e.Vx = v; });
    });
    connect(seErrVy, &QDoubleSpinBox::valueChanged, this, [this](double v) {
        editExciter(QStringLiteral("Geschwindigkeit ändern"), [&](TErreger& e) { e.Vy = v; });
    });
    connect(cbErrPuls, &QCheckBox::toggled, this, [this](bool on) {
        seErrPerioden->setEnabled(on);
        editExciter(QStringLiteral("Puls ändern"), [&](TErreger& e) { e.Puls = on; });
    });
    connect(seErrPerioden, &SpinEdit::valueChanged, this, [this](int periods) {
        editExciter(QStringLiteral("Perioden ändern"), [&](TErreger& e) { e.Perioden = periods; });
    });
}

void ExciterBox::connectHandlers() {
    connect(seErrXPos, &SpinEdit::valueChanged, this, [this](int value) {
        editExciter(QStringLiteral("Erreger verschieben"), [&](TErreger& e) { e.X = value; });
    });
    connect(seErrYPos, &SpinEdit::valueChanged, this, [this](int value) {
        editExciter(QStringLiteral("Erreger verschieben"), [&](TErreger& e) { e.Y = value; });
    });
    connect(seErrAmpl, &QSlider::valueChanged, this, [this](int position) {
        lblAmpli->setText(percentOf(position));
        editExciter(QStringLiteral("Amplitude ändern"),
                    [&](TErreger& e) { e.Amplitude = position / 50.0; });
    });
    connect(seErrT, &SpinEdit::valueChanged, this, [this](int period) {
        // 0 changes nothing, and neither does an emptied field on the way to a new number:
        // either would read as the minimum, a period of 1 ms.
        bool typed = false;
        if (seErrT->lineEdit()->text().trimmed().toLongLong(&typed) == 0 || !typed) {
            return;
        }
        editExciter(QStringLiteral("Schwingungsdauer ändern"),
                    [&](TErreger& e) { e.Frequenz = (1000.0 / period) * 50.0; });
    });
    // The period, the exciter's row and the couplings of the tank all decide it.
    connect(&document_, &TankDocument::changed, this, &ExciterBox::showWavelength);
    connect(cbErregerFest, &QComboBox::activated, this, [this](int index) {
        editExciter(QStringLiteral("Einwirkung ändern"), [&](TErreger& e) { e.Fest = index == 1; });
    });
    connect(rbRadialwelle, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked) {
            panWellenfront->hide();
            panRadialwelle->show();
        }
    });
    connect(rbEbeneWellenfront, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked) {
            panRadialwelle->hide();
            panWellenfront->show();
        }
    });
    connect(seDurchmesser, &SpinEdit::valueChanged, this, [this](int size) {
        editExciter(QStringLiteral("Erregergröße ändern"), [&](TErreger& e) {
            e.Breite = size;
            e.Laenge = size;
        });
    });
    const auto storeRectangle = [this] {
        editExciter(QStringLiteral("Erregergröße ändern"), [&](TErreger& e) {
            e.Breite = seErrBreite->value();
            e.Laenge = seErrLaenge->value();
        });
    };
    connect(seErrBreite, &SpinEdit::valueChanged, this, storeRectangle);
    connect(seErrLaenge, &SpinEdit::valueChanged, this, storeRectangle);
    connect(seErrWinkel, &SpinEdit::valueChanged, this, [this](int angle) {
        editExciter(QStringLiteral("Erreger drehen"), [&](TErreger& e) { e.Winkel = angle; });
    });
}

void ExciterBox::showObject(const TObjekt& exciter) {
    serial_ = exciter.serial();
    // A copy: every control set below writes back through the document.
    const TErreger e = *exciter.erreger();
    seErrXPos->setValue(e.X);
    seErrYPos->setValue(e.Y);
    seErrAmpl->setValue(
        roundIntoRange(e.Amplitude * 50, seErrAmpl->minimum(), seErrAmpl->maximum()));
    seErrT->setValueFrom((1000.0 / e.Frequenz) * 50.0);
    cbErregerFest->setCurrentIndex(e.Fest ? 1 : 0);
    const int32_t breite = e.Breite;
    const int32_t laenge = e.Laenge;
    const int32_t winkel = e.Winkel;
    if (breite == laenge) {
        rbRadialwelle->setChecked(true);
        seDurchmesser->setValue(breite);
    } else {
        rbEbeneWellenfront->setChecked(true);
        seErrBreite->setValue(breite);
        seErrLaenge->setValue(laenge);
        seErrWinkel->setValue(winkel);
    }
    // Shown as they are: a value the fields would round must survive a look at the box.
    {
        const QSignalBlocker blocks[] = {QSignalBlocker(seErrVx), QSignalBlocker(seErrVy),
                                         QSignalBlocker(cbErrPuls), QSignalBlocker(seErrPerioden)};
        seErrVx->setValue(e.Vx);
        seErrVy->setValue(e.Vy);
        cbErrPuls->setChecked(e.Puls);
        seErrPerioden->setValue(e.Perioden);
        seErrPerioden->setEnabled(e.Puls);
    }
    takeObject(exciter, QStringLiteral("Erreger"));
    showWavelength();
}

void ExciterBox::showWavelength() {
    const TObjekt* object = document_.hasTank() ? document_.find(serial_) : nullptr;
    if (!object || !object->erreger()) {
        return;
    }
    const TZBecken& tank = document_.tank();
    const TErreger& e = *object->erreger();
    const double coupling = couplingOfRow(tank, e.Y);
    const GridWave wave = gridWave(e.Frequenz, startTimeStep(maxStableTimeStep(tank)), coupling);
    const QLocale german(QLocale::German);
    const QString length = german.toString(wave.wavelength, 'f', wave.wavelength < 20 ? 1 : 0);
    // Without a wave its line goes, and the box keeps the height it had before it showed c.
    lblWellengeschwindigkeit->hide();
    if (!(coupling > 0.0)) {
        lblWellenlaenge->setText(QStringLiteral("keine Welle: ohne Kopplung"));
        return;
    }
    switch (wave.reach) {
    case WaveReach::None:
        lblWellenlaenge->setText(QStringLiteral("keine Welle: Schwingungsdauer zu kurz"));
        return;
    case WaveReach::DiagonalOnly:
        // Beyond the axes' cut-off the waves still run at a slant to the grid.
        lblWellenlaenge->setText(
            QStringLiteral("nur schräg zum Gitter: λ ≈ %1 Schwinger").arg(length));
        break;
    case WaveReach::AllDirections:
        // "λ", not "Wellenlänge": with it λ and c take the two lines beside T.
        lblWellenlaenge->setText(QStringLiteral("λ ≈ %1 Schwinger").arg(length));
        break;
    }
    lblWellengeschwindigkeit->setText(
        QStringLiteral("c ≈ %1 Schwinger/s")
            .arg(german.toString(phaseSpeed(wave.wavelength, e.Frequenz), 'f', 1)));
    lblWellengeschwindigkeit->show();
}

} // namespace zb::ui
