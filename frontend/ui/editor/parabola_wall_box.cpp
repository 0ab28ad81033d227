#include "editor/parabola_wall_box.h"

#include "base/help_texts.h"
#include "editor/box_rows.h"
#include "widgets/help_label.h"
#include "widgets/spin_edit.h"

#include <QPushButton>

namespace zb::ui {

ParabolaWallBox::ParabolaWallBox(TankDocument& document, QWidget* parent)
    : ObjectBox(document, parent) {
    setObjectName(QStringLiteral("gbParabel"));
    seParabelX = new SpinEdit(0, 0, 0);
    seParabelY = new SpinEdit(0, 0, 0);
    seParabelBrennweite = new SpinEdit(1, 100000, 1);
    seParabelWinkel = new SpinEdit(-359, 360, 0);
    seParabelBreite = new SpinEdit(1, 100000, 1);
    seParabelDicke = new SpinEdit(1, 100, 1);
    seParabelSpaltAnz = new SpinEdit(0, 1000, 0);
    seParabelSpaltbreite = new SpinEdit(0, 1000, 0);
    seParabelSpaltabstand = new SpinEdit(0, 10000, 0);
    seParabelX->setObjectName(QStringLiteral("seParabelX"));
    seParabelY->setObjectName(QStringLiteral("seParabelY"));
    seParabelBrennweite->setObjectName(QStringLiteral("seParabelBrennweite"));
    seParabelWinkel->setObjectName(QStringLiteral("seParabelWinkel"));
    seParabelBreite->setObjectName(QStringLiteral("seParabelBreite"));
    seParabelDicke->setObjectName(QStringLiteral("seParabelDicke"));
    seParabelSpaltAnz->setObjectName(QStringLiteral("seParabelSpaltAnz"));
    seParabelSpaltbreite->setObjectName(QStringLiteral("seParabelSpaltbreite"));
    seParabelSpaltabstand->setObjectName(QStringLiteral("seParabelSpaltabstand"));

    grid_->addWidget(
        new HelpLabel(QStringLiteral("Brennpunkt:"), help::Brennpunkt, help::kGebogeneWaendePage),
        grid_->rowCount(), 0, 1, 2);
    addXYRow(grid_, seParabelX, seParabelY);
    addCaptionedRow(grid_, new HelpLabel(QStringLiteral("Brennweite:"), help::Brennweite),
                    seParabelBrennweite);
    addCaptionedRow(grid_, new HelpLabel(QStringLiteral("Öffnung nach (in °):"), help::Oeffnung),
                    seParabelWinkel);
    addCaptionedRow(grid_, new HelpLabel(QStringLiteral("Breite:"), help::ParabelBreite),
                    seParabelBreite);
    addCaptionedRow(grid_, new HelpLabel(QStringLiteral("Dicke:"), help::WandDicke),
                    seParabelDicke);
    addCaptionedRow(grid_, new HelpLabel(QStringLiteral("Anzahl Spalte n:"), help::Label8),
                    seParabelSpaltAnz);
    addCaptionedRow(grid_, new HelpLabel(QStringLiteral("Breite b der Spalte:"), help::Label9),
                    seParabelSpaltbreite);
    addCaptionedRow(grid_, new HelpLabel(QStringLiteral("Spaltabstand g:"), help::Label10),
                    seParabelSpaltabstand);
    btnWasIstParabel =
        addHelpButton(QStringLiteral("Was ist ein Parabolspiegel?"),
                      help::kGebogeneWaendePage.title, help::kGebogeneWaendePage.file);
    btnWasIstParabel->setObjectName(QStringLiteral("btnWasIstParabel"));
    grid_->addWidget(makeOutsideHint(QStringLiteral("Der Brennpunkt"), {seParabelX, seParabelY}),
                     grid_->rowCount(), 0, 1, 2);

    bind(seParabelX, &TParabel::X, QStringLiteral("Wand verschieben"));
    bind(seParabelY, &TParabel::Y, QStringLiteral("Wand verschieben"));
    bind(seParabelBrennweite, &TParabel::Brennweite, QStringLiteral("Brennweite ändern"));
    bind(seParabelWinkel, &TParabel::Winkel, QStringLiteral("Wand drehen"));
    bind(seParabelBreite, &TParabel::Breite, QStringLiteral("Breite ändern"));
    bind(seParabelDicke, &TParabel::Dicke, QStringLiteral("Wanddicke ändern"));
    bind(seParabelSpaltAnz, &TParabel::SpaltAnz, QStringLiteral("Spalte ändern"));
    bind(seParabelSpaltbreite, &TParabel::Spaltbreite, QStringLiteral("Spalte ändern"));
    bind(seParabelSpaltabstand, &TParabel::Spaltabstand, QStringLiteral("Spalte ändern"));
}

void ParabolaWallBox::bind(SpinEdit* control, int32_t TParabel::*field, const QString& what) {
    connect(control, &SpinEdit::valueChanged, this, [this, field, what](int value) {
        editRecord<TParabel>(what, [&](TParabel& p) { p.*field = value; });
    });
}

void ParabolaWallBox::showObject(const TObjekt& parabola) {
    takeObject(parabola, QStringLiteral("Parabel"));
    const TParabel p = *parabola.parabel();
    seParabelX->setValue(p.X);
    seParabelY->setValue(p.Y);
    seParabelBrennweite->setValue(p.Brennweite);
    seParabelWinkel->setValue(p.Winkel);
    seParabelBreite->setValue(p.Breite);
    seParabelDicke->setValue(p.Dicke);
    seParabelSpaltAnz->setValue(p.SpaltAnz);
    seParabelSpaltbreite->setValue(p.Spaltbreite);
    seParabelSpaltabstand->setValue(p.Spaltabstand);
}

} // namespace zb::ui
