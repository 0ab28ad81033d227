#include "editor/wall_box.h"

#include "base/help_texts.h"
#include "editor/box_rows.h"
#include "widgets/help_label.h"
#include "widgets/spin_edit.h"

#include <QPushButton>

namespace zb::ui {

WallBox::WallBox(TankDocument& document, QWidget* parent) : ObjectBox(document, parent) {
    setObjectName(QStringLiteral("gbWand"));
    seWandPosX = new SpinEdit(0, 0, 0);
    seWandPosY = new SpinEdit(0, 0, 0);
    seWandWinkel = new SpinEdit(-179, 180, 0);
    seWandLaenge = new SpinEdit(0, 10000, 0);
    seWandSpaltAnz = new SpinEdit(0, 1000, 1);
    seWandSpaltbreite = new SpinEdit(0, 1000, 0);
    seWandSpaltabstand = new SpinEdit(0, 10000, 0);
    seWandPosX->setObjectName(QStringLiteral("seWandPosX"));
    seWandPosY->setObjectName(QStringLiteral("seWandPosY"));
    seWandWinkel->setObjectName(QStringLiteral("seWandWinkel"));
    seWandLaenge->setObjectName(QStringLiteral("seWandLaenge"));
    seWandSpaltAnz->setObjectName(QStringLiteral("seWandSpaltAnz"));
    seWandSpaltbreite->setObjectName(QStringLiteral("seWandSpaltbreite"));
    seWandSpaltabstand->setObjectName(QStringLiteral("seWandSpaltabstand"));

    auto* Label18 = new HelpLabel(QStringLiteral("Position des Mittelpunkts:"), help::Label18);
    Label18->setObjectName(QStringLiteral("Label18"));
    grid_->addWidget(Label18, grid_->rowCount(), 0, 1, 2);
    addXYRow(grid_, seWandPosX, seWandPosY);
    addCaptionedRow(grid_, new HelpLabel(QStringLiteral("Winkel (in °):"), help::Label6),
                    seWandWinkel);
    addCaptionedRow(grid_, new HelpLabel(QStringLiteral("Länge:"), help::Label7), seWandLaenge);
    addCaptionedRow(grid_, new HelpLabel(QStringLiteral("Anzahl Spalte n:"), help::Label8),
                    seWandSpaltAnz);
    addCaptionedRow(grid_, new HelpLabel(QStringLiteral("Breite b der Spalte:"), help::Label9),
                    seWandSpaltbreite);
    addCaptionedRow(grid_, new HelpLabel(QStringLiteral("Spaltabstand g:"), help::Label10),
                    seWandSpaltabstand);
    Button6 = addHelpButton(QStringLiteral("Was ist eine Wand?"), QStringLiteral("Wände"),
                            QStringLiteral("OH\\Waende.rtf"));
    Button6->setObjectName(QStringLiteral("Button6"));
    // Under everything else, so that no control moves when it shows.
    grid_->addWidget(makeOutsideHint(QStringLiteral("Der Mittelpunkt"), {seWandPosX, seWandPosY}),
                     grid_->rowCount(), 0, 1, 2);

    bind(seWandPosX, &TWand::X, QStringLiteral("Wand verschieben"));
    bind(seWandPosY, &TWand::Y, QStringLiteral("Wand verschieben"));
    bind(seWandWinkel, &TWand::Winkel, QStringLiteral("Wand drehen"));
    bind(seWandLaenge, &TWand::Laenge, QStringLiteral("Wandlänge ändern"));
    bind(seWandSpaltAnz, &TWand::SpaltAnz, QStringLiteral("Spalte ändern"));
    bind(seWandSpaltbreite, &TWand::Spaltbreite, QStringLiteral("Spalte ändern"));
    bind(seWandSpaltabstand, &TWand::Spaltabstand, QStringLiteral("Spalte ändern"));
}

void WallBox::bind(SpinEdit* control, int32_t TWand::*field, const QString& what) {
    connect(control, &SpinEdit::valueChanged, this, [this, field, what](int value) {
        editRecord<TWand>(what, [&](TWand& wall) { wall.*field = value; });
    });
}

void WallBox::showObject(const TObjekt& wall) {
    takeObject(wall, QStringLiteral("Wand"));
    const TWand w = *wall.wand();
    seWandPosX->setValue(w.X);
    seWandPosY->setValue(w.Y);
    seWandWinkel->setValue(w.Winkel);
    seWandLaenge->setValue(w.Laenge);
    seWandSpaltAnz->setValue(w.SpaltAnz);
    seWandSpaltbreite->setValue(w.Spaltbreite);
    seWandSpaltabstand->setValue(w.Spaltabstand);
}

} // namespace zb::ui
