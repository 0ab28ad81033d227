#include "editor/arc_wall_box.h"

#include "base/help_texts.h"
#include "editor/box_rows.h"
#include "widgets/help_label.h"
#include "widgets/spin_edit.h"

#include <QPushButton>

namespace zb::ui {

ArcWallBox::ArcWallBox(TankDocument& document, QWidget* parent) : ObjectBox(document, parent) {
    setObjectName(QStringLiteral("gbKreisbogen"));
    seBogenX = new SpinEdit(0, 0, 0);
    seBogenY = new SpinEdit(0, 0, 0);
    seBogenRadius = new SpinEdit(1, 100000, 1);
    seBogenStartwinkel = new SpinEdit(-360, 360, 0);
    seBogenEndwinkel = new SpinEdit(-360, 360, 0);
    seBogenDicke = new SpinEdit(1, 100, 1);
    // The straight wall's ranges.
    seBogenSpaltAnz = new SpinEdit(0, 1000, 0);
    seBogenSpaltbreite = new SpinEdit(0, 1000, 0);
    seBogenSpaltabstand = new SpinEdit(0, 10000, 0);
    seBogenX->setObjectName(QStringLiteral("seBogenX"));
    seBogenY->setObjectName(QStringLiteral("seBogenY"));
    seBogenRadius->setObjectName(QStringLiteral("seBogenRadius"));
    seBogenStartwinkel->setObjectName(QStringLiteral("seBogenStartwinkel"));
    seBogenEndwinkel->setObjectName(QStringLiteral("seBogenEndwinkel"));
    seBogenDicke->setObjectName(QStringLiteral("seBogenDicke"));
    seBogenSpaltAnz->setObjectName(QStringLiteral("seBogenSpaltAnz"));
    seBogenSpaltbreite->setObjectName(QStringLiteral("seBogenSpaltbreite"));
    seBogenSpaltabstand->setObjectName(QStringLiteral("seBogenSpaltabstand"));

    grid_->addWidget(new HelpLabel(QStringLiteral("Mittelpunkt des Kreises:"),
                                   help::BogenMittelpunkt, help::kGebogeneWaendePage),
                     grid_->rowCount(), 0, 1, 2);
    addXYRow(grid_, seBogenX, seBogenY);
    addCaptionedRow(grid_, new HelpLabel(QStringLiteral("Radius:"), help::BogenRadius),
                    seBogenRadius);
    addCaptionedRow(grid_,
                    new HelpLabel(QStringLiteral("Anfangswinkel (in °):"), help::BogenWinkel),
                    seBogenStartwinkel);
    addCaptionedRow(grid_, new HelpLabel(QStringLiteral("Endwinkel (in °):"), help::BogenWinkel),
                    seBogenEndwinkel);
    addCaptionedRow(grid_, new HelpLabel(QStringLiteral("Dicke:"), help::WandDicke), seBogenDicke);
    addCaptionedRow(grid_, new HelpLabel(QStringLiteral("Anzahl Spalte n:"), help::Label8),
                    seBogenSpaltAnz);
    addCaptionedRow(grid_, new HelpLabel(QStringLiteral("Breite b der Spalte:"), help::Label9),
                    seBogenSpaltbreite);
    addCaptionedRow(grid_, new HelpLabel(QStringLiteral("Spaltabstand g:"), help::Label10),
                    seBogenSpaltabstand);
    btnWasIstBogen = addHelpButton(QStringLiteral("Was ist eine gebogene Wand?"),
                                   help::kGebogeneWaendePage.title, help::kGebogeneWaendePage.file);
    btnWasIstBogen->setObjectName(QStringLiteral("btnWasIstBogen"));
    grid_->addWidget(makeOutsideHint(QStringLiteral("Der Mittelpunkt"), {seBogenX, seBogenY}),
                     grid_->rowCount(), 0, 1, 2);

    bind(seBogenX, &TKreisbogen::X, QStringLiteral("Wand verschieben"));
    bind(seBogenY, &TKreisbogen::Y, QStringLiteral("Wand verschieben"));
    bind(seBogenRadius, &TKreisbogen::Radius, QStringLiteral("Radius ändern"));
    bind(seBogenStartwinkel, &TKreisbogen::Startwinkel, QStringLiteral("Winkel ändern"));
    bind(seBogenEndwinkel, &TKreisbogen::Endwinkel, QStringLiteral("Winkel ändern"));
    bind(seBogenDicke, &TKreisbogen::Dicke, QStringLiteral("Wanddicke ändern"));
    bind(seBogenSpaltAnz, &TKreisbogen::SpaltAnz, QStringLiteral("Spalte ändern"));
    bind(seBogenSpaltbreite, &TKreisbogen::Spaltbreite, QStringLiteral("Spalte ändern"));
    bind(seBogenSpaltabstand, &TKreisbogen::Spaltabstand, QStringLiteral("Spalte ändern"));
}

void ArcWallBox::bind(SpinEdit* control, int32_t TKreisbogen::*field, const QString& what) {
    connect(control, &SpinEdit::valueChanged, this, [this, field, what](int value) {
        editRecord<TKreisbogen>(what, [&](TKreisbogen& arc) { arc.*field = value; });
    });
}

void ArcWallBox::showObject(const TObjekt& arc) {
    takeObject(arc, QStringLiteral("Kreisbogen"));
    const TKreisbogen a = *arc.kreisbogen();
    seBogenX->setValue(a.X);
    seBogenY->setValue(a.Y);
    seBogenRadius->setValue(a.Radius);
    seBogenStartwinkel->setValue(a.Startwinkel);
    seBogenEndwinkel->setValue(a.Endwinkel);
    seBogenDicke->setValue(a.Dicke);
    seBogenSpaltAnz->setValue(a.SpaltAnz);
    seBogenSpaltbreite->setValue(a.Spaltbreite);
    seBogenSpaltabstand->setValue(a.Spaltabstand);
}

} // namespace zb::ui
