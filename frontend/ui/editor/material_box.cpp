#include "editor/material_box.h"

#include "base/help_texts.h"
#include "editor/box_rows.h"
#include "widgets/help_label.h"
#include "widgets/rounding.h"
#include "widgets/spin_edit.h"
#include "widgets/track_bar.h"

#include <QPushButton>

namespace zb::ui {

MaterialBox::MaterialBox(TankDocument& document, QWidget* parent) : ObjectBox(document, parent) {
    setObjectName(QStringLiteral("gbMatUebergang"));
    seUeY = new SpinEdit(0, 100000, 100);
    seUeY->setObjectName(QStringLiteral("seUeY"));
    tbMatUeKopplung = makeTrackBar(0, 150, 50, 20);
    tbMatUeKopplung->setObjectName(QStringLiteral("tbMatUeKopplung"));
    seUeDaempfung = new SpinEdit(0, 100, 100);
    seUeDaempfung->setObjectName(QStringLiteral("seUeDaempfung"));

    addCaptionedRow(
        grid_, new HelpLabel(QStringLiteral("y-Wert der Übergangsstelle:"), help::Label11), seUeY);
    addCaptionedRow(grid_, new HelpLabel(QStringLiteral("Neue Kopplung: "), help::Label12),
                    tbMatUeKopplung);
    addCaptionedRow(grid_, new HelpLabel(QStringLiteral("Neue Dämpfung:"), help::Label13),
                    seUeDaempfung, QStringLiteral("%"));
    Button4 = addHelpButton(QStringLiteral("Was ist ein Materialübergang?"),
                            QStringLiteral("Materialübergänge"),
                            QStringLiteral("OH\\Materialuebergaenge.rtf"));
    Button4->setObjectName(QStringLiteral("Button4"));
    grid_->addWidget(makeOutsideHint(QStringLiteral("Die Übergangsstelle"), {seUeY}),
                     grid_->rowCount(), 0, 1, 2);

    connect(seUeY, &SpinEdit::valueChanged, this, [this](int value) {
        editRecord<TMatUebergang>(QStringLiteral("Materialübergang verschieben"),
                                  [&](TMatUebergang& m) { m.Y = value; });
    });
    connect(tbMatUeKopplung, &QSlider::valueChanged, this, [this](int position) {
        editRecord<TMatUebergang>(QStringLiteral("Neue Kopplung ändern"),
                                  [&](TMatUebergang& m) { m.Kopplung = position / 20.0; });
    });
    connect(seUeDaempfung, &SpinEdit::valueChanged, this, [this](int value) {
        editRecord<TMatUebergang>(QStringLiteral("Neue Dämpfung ändern"),
                                  [&](TMatUebergang& m) { m.Daempfung = value / 100.0; });
    });
}

void MaterialBox::showObject(const TObjekt& change) {
    takeObject(change, QStringLiteral("Materialübergang"));
    const TMatUebergang m = *change.matUebergang();
    seUeY->setValue(m.Y);
    tbMatUeKopplung->setValue(
        roundIntoRange(m.Kopplung * 20, tbMatUeKopplung->minimum(), tbMatUeKopplung->maximum()));
    seUeDaempfung->setValueFrom(m.Daempfung * 100);
}

} // namespace zb::ui
