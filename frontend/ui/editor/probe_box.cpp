#include "editor/probe_box.h"

#include "base/help_texts.h"
#include "editor/box_rows.h"
#include "widgets/help_label.h"
#include "widgets/spin_edit.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPixmap>

#include <algorithm>
#include <iterator>

namespace zb::ui {

// Told apart also by readers with a red-green or blue-yellow weakness (Okabe and Ito's set), in
// the order new probes take them: the first ones read well on the water and on the white plot.
// Black is lifted a little so that the marker's colour still shows inside its black rim.
const ProbeColour kProbeColours[8] = {
    {"Orange", 0xe69f00u},     {"Blau", 0x0072b2u},        {"Blaugrün", 0x009e73u},
    {"Rotviolett", 0xcc79a7u}, {"Zinnoberrot", 0xd55e00u}, {"Himmelblau", 0x56b4e9u},
    {"Gelb", 0xf0e442u},       {"Schwarz", 0x202020u},
};

uint32_t nextProbeColour(const TZBecken& tank) {
    // The first colour no probe has; once all are taken, the one taken least often.
    int uses[std::size(kProbeColours)] = {};
    const TObjektListe& list = *tank.Objekte;
    for (int k = 1; k < list.Count(); ++k) {
        if (const TMesspunkt* m = list.at(k).messpunkt()) {
            for (size_t c = 0; c < std::size(kProbeColours); ++c) {
                uses[c] += kProbeColours[c].rgb == m->Farbe ? 1 : 0;
            }
        }
    }
    const int* fewest = std::min_element(std::begin(uses), std::end(uses));
    return kProbeColours[fewest - std::begin(uses)].rgb;
}

ProbeBox::ProbeBox(TankDocument& document, QWidget* parent) : ObjectBox(document, parent) {
    setObjectName(QStringLiteral("gbMesspunkt"));
    seMessX = new SpinEdit(0, 0, 0);
    seMessY = new SpinEdit(0, 0, 0);
    seMessX->setObjectName(QStringLiteral("seMessX"));
    seMessY->setObjectName(QStringLiteral("seMessY"));
    grid_->addWidget(
        new HelpLabel(QStringLiteral("Position:"), help::MesspunktPosition, help::kMesspunktePage),
        grid_->rowCount(), 0, 1, 2);
    addXYRow(grid_, seMessX, seMessY);

    cbMessFarbe = new QComboBox;
    cbMessFarbe->setObjectName(QStringLiteral("cbMessFarbe"));
    for (const ProbeColour& colour : kProbeColours) {
        QPixmap swatch(12, 12);
        swatch.fill(QColor::fromRgb(colour.rgb));
        cbMessFarbe->addItem(QIcon(swatch), QString::fromUtf8(colour.name), colour.rgb);
    }
    addCaptionedRow(grid_, new QLabel(QStringLiteral("Farbe:")), cbMessFarbe);

    edMessName = new QLineEdit;
    edMessName->setObjectName(QStringLiteral("edMessName"));
    edMessName->setMaxLength(40);
    addCaptionedRow(grid_, new HelpLabel(QStringLiteral("Name:"), help::MesspunktName), edMessName);
    grid_->addWidget(makeOutsideHint(QStringLiteral("Der Messpunkt"), {seMessX, seMessY}),
                     grid_->rowCount(), 0, 1, 2);

    connect(seMessX, &SpinEdit::valueChanged, this, [this](int value) {
        editRecord<TMesspunkt>(QStringLiteral("Messpunkt verschieben"),
                               [&](TMesspunkt& m) { m.X = value; });
    });
    connect(seMessY, &SpinEdit::valueChanged, this, [this](int value) {
        editRecord<TMesspunkt>(QStringLiteral("Messpunkt verschieben"),
                               [&](TMesspunkt& m) { m.Y = value; });
    });
    connect(cbMessFarbe, &QComboBox::activated, this, [this](int index) {
        const uint32_t rgb = cbMessFarbe->itemData(index).toUInt();
        editRecord<TMesspunkt>(QStringLiteral("Farbe ändern"),
                               [&](TMesspunkt& m) { m.Farbe = rgb; });
    });
    connect(edMessName, &QLineEdit::editingFinished, this, &ProbeBox::rename);
}

void ProbeBox::rename() {
    const QString name = edMessName->text().trimmed();
    const TObjekt* probe = document_.find(serial_);
    if (!probe) {
        return;
    }
    if (name.isEmpty()) { // a probe without a name could not be told apart in the plot
        edMessName->setText(QString::fromStdString(probe->Name));
        return;
    }
    if (name.toStdString() == probe->Name) {
        return;
    }
    document_.editObject(serial_, QStringLiteral("Messpunkt umbenennen"),
                         [&](TObjekt& object) { object.Name = name.toStdString(); });
    document_.endGesture();
    emit renamed();
}

void ProbeBox::showObject(const TObjekt& probe) {
    // A copy: every control set below writes back through the document.
    const TMesspunkt m = *probe.messpunkt();
    serial_ = probe.serial();
    seMessX->setValue(m.X);
    seMessY->setValue(m.Y);
    const int colour = cbMessFarbe->findData(m.Farbe);
    if (colour < 0) { // a colour from a file that is not among ours: shown, kept, not offered
        cbMessFarbe->setCurrentIndex(-1);
    } else {
        cbMessFarbe->setCurrentIndex(colour);
    }
    edMessName->setText(QString::fromStdString(probe.Name));
    takeObject(probe, QStringLiteral("Messpunkt"));
}

} // namespace zb::ui
