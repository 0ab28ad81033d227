#include "editor/medium_box.h"

#include "base/help_texts.h"
#include "editor/box_rows.h"
#include "widgets/help_label.h"
#include "widgets/rounding.h"
#include "widgets/spin_edit.h"
#include "widgets/track_bar.h"

#include <QComboBox>
#include <QPushButton>

namespace zb::ui {

MediumBox::MediumBox(TankDocument& document, QWidget* parent) : ObjectBox(document, parent) {
    setObjectName(QStringLiteral("gbMedium"));
    cbMediumForm = new QComboBox;
    // In the order of the form codes.
    cbMediumForm->addItems(
        {QStringLiteral("Rechteck"), QStringLiteral("Ellipse"), QStringLiteral("Dreieck")});
    seMediumX = new SpinEdit(0, 0, 0);
    seMediumY = new SpinEdit(0, 0, 0);
    seMediumBreite = new SpinEdit(1, 100000, 1);
    seMediumHoehe = new SpinEdit(1, 100000, 1);
    seMediumWinkel = new SpinEdit(-359, 360, 0);
    // The material change's scale, so that a lens and a change can be given the same medium.
    tbMediumKopplung = makeTrackBar(0, 150, 50, 20);
    seMediumDaempfung = new SpinEdit(0, 100, 0);
    cbMediumForm->setObjectName(QStringLiteral("cbMediumForm"));
    seMediumX->setObjectName(QStringLiteral("seMediumX"));
    seMediumY->setObjectName(QStringLiteral("seMediumY"));
    seMediumBreite->setObjectName(QStringLiteral("seMediumBreite"));
    seMediumHoehe->setObjectName(QStringLiteral("seMediumHoehe"));
    seMediumWinkel->setObjectName(QStringLiteral("seMediumWinkel"));
    tbMediumKopplung->setObjectName(QStringLiteral("tbMediumKopplung"));
    seMediumDaempfung->setObjectName(QStringLiteral("seMediumDaempfung"));

    addCaptionedRow(grid_,
                    new HelpLabel(QStringLiteral("Form:"), help::MediumForm, help::kMedienPage),
                    cbMediumForm);
    grid_->addWidget(new HelpLabel(QStringLiteral("Mittelpunkt:"), help::MediumPosition),
                     grid_->rowCount(), 0, 1, 2);
    addXYRow(grid_, seMediumX, seMediumY);
    addCaptionedRow(grid_, new HelpLabel(QStringLiteral("Breite:"), help::MediumGroesse),
                    seMediumBreite);
    addCaptionedRow(grid_, new HelpLabel(QStringLiteral("Höhe:"), help::MediumGroesse),
                    seMediumHoehe);
    addCaptionedRow(grid_, new HelpLabel(QStringLiteral("Winkel (in °):"), help::MediumWinkel),
                    seMediumWinkel);
    addCaptionedRow(grid_, new HelpLabel(QStringLiteral("Kopplung:"), help::MediumKopplung),
                    tbMediumKopplung);
    addCaptionedRow(grid_, new HelpLabel(QStringLiteral("Dämpfung:"), help::MediumDaempfung),
                    seMediumDaempfung, QStringLiteral("%"));
    btnWasIstMedium = addHelpButton(QStringLiteral("Was ist ein Medium?"), help::kMedienPage.title,
                                    help::kMedienPage.file);
    btnWasIstMedium->setObjectName(QStringLiteral("btnWasIstMedium"));
    grid_->addWidget(makeOutsideHint(QStringLiteral("Der Mittelpunkt"), {seMediumX, seMediumY}),
                     grid_->rowCount(), 0, 1, 2);

    connect(cbMediumForm, &QComboBox::activated, this, [this](int form) {
        editRecord<TMedium>(QStringLiteral("Form ändern"), [&](TMedium& m) { m.Form = form; });
    });
    bind(seMediumX, &TMedium::X, QStringLiteral("Medium verschieben"));
    bind(seMediumY, &TMedium::Y, QStringLiteral("Medium verschieben"));
    bind(seMediumBreite, &TMedium::Breite, QStringLiteral("Mediumgröße ändern"));
    bind(seMediumHoehe, &TMedium::Hoehe, QStringLiteral("Mediumgröße ändern"));
    bind(seMediumWinkel, &TMedium::Winkel, QStringLiteral("Medium drehen"));
    connect(tbMediumKopplung, &QSlider::valueChanged, this, [this](int position) {
        editRecord<TMedium>(QStringLiteral("Kopplung ändern"),
                            [&](TMedium& m) { m.Kopplung = position / 20.0; });
    });
    connect(seMediumDaempfung, &SpinEdit::valueChanged, this, [this](int value) {
        editRecord<TMedium>(QStringLiteral("Dämpfung ändern"),
                            [&](TMedium& m) { m.Daempfung = value / 100.0; });
    });
}

void MediumBox::bind(SpinEdit* control, int32_t TMedium::*field, const QString& what) {
    connect(control, &SpinEdit::valueChanged, this, [this, field, what](int value) {
        editRecord<TMedium>(what, [&](TMedium& m) { m.*field = value; });
    });
}

void MediumBox::showObject(const TObjekt& medium) {
    takeObject(medium, QStringLiteral("Medium"));
    const TMedium m = *medium.medium();
    // A form code the list does not know stays as it is, and the list shows none.
    cbMediumForm->setCurrentIndex(m.Form >= 0 && m.Form < cbMediumForm->count() ? m.Form : -1);
    seMediumX->setValue(m.X);
    seMediumY->setValue(m.Y);
    seMediumBreite->setValue(m.Breite);
    seMediumHoehe->setValue(m.Hoehe);
    seMediumWinkel->setValue(m.Winkel);
    tbMediumKopplung->setValue(
        roundIntoRange(m.Kopplung * 20, tbMediumKopplung->minimum(), tbMediumKopplung->maximum()));
    seMediumDaempfung->setValueFrom(m.Daempfung * 100);
}

} // namespace zb::ui
