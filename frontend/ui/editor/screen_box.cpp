#include "editor/screen_box.h"

#include "base/help_texts.h"
#include "editor/box_rows.h"
#include "widgets/help_label.h"
#include "widgets/spin_edit.h"

#include <QButtonGroup>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zb::ui {

ScreenBox::ScreenBox(TankDocument& document, QWidget* parent) : ObjectBox(document, parent) {
    setObjectName(QStringLiteral("gbSchirm"));
    seSchirmPos = new SpinEdit(1, 100000, 100);
    seSchirmPos->setObjectName(QStringLiteral("seSchirmPos"));
    addCaptionedRow(grid_, new HelpLabel(QStringLiteral("Position:"), help::Label14), seSchirmPos);

    rgSchirmAnordnung = new QGroupBox(QStringLiteral("Anordnung"));
    rgSchirmAnordnung->setObjectName(QStringLiteral("rgSchirmAnordnung"));
    rbHorizontal = new QRadioButton(QStringLiteral("Horizontal"));
    rbVertikal = new QRadioButton(QStringLiteral("Vertikal"));
    rbHorizontal->setChecked(true);
    auto* items = new QVBoxLayout(rgSchirmAnordnung);
    items->addWidget(rbHorizontal);
    items->addWidget(rbVertikal);
    anordnung_ = new QButtonGroup(this);
    anordnung_->addButton(rbHorizontal, 0);
    anordnung_->addButton(rbVertikal, 1);
    grid_->addWidget(rgSchirmAnordnung, grid_->rowCount(), 0, 1, 2);

    Button7 = addHelpButton(QStringLiteral("Was ist ein Schirm?"), QStringLiteral("Schirme"),
                            QStringLiteral("OH\\Schirme.rtf"));
    Button7->setObjectName(QStringLiteral("Button7"));
    grid_->addWidget(makeOutsideHint(QStringLiteral("Der Schirm"), {seSchirmPos}),
                     grid_->rowCount(), 0, 1, 2);

    connect(seSchirmPos, &SpinEdit::valueChanged, this, [this](int value) {
        editRecord<TSchirm>(QStringLiteral("Schirm verschieben"),
                            [&](TSchirm& s) { s.Position = value; });
    });
    connect(anordnung_, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked) {
            editRecord<TSchirm>(QStringLiteral("Schirm drehen"),
                                [&](TSchirm& s) { s.Horizontal = id == 0; });
        }
    });
}

void ScreenBox::showObject(const TObjekt& screen) {
    takeObject(screen, QStringLiteral("Schirm"));
    const TSchirm s = *screen.schirm();
    seSchirmPos->setValue(s.Position);
    (s.Horizontal ? rbHorizontal : rbVertikal)->setChecked(true);
}

} // namespace zb::ui
