// Row helpers for the editor's boxes: a caption over its control, or a pair of "x:"/"y:" fields.
#pragma once

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>

#include "widgets/spin_edit.h"

namespace zb::ui {

// The caption spans the box; the control follows on the next row, with an optional unit. Returns
// the control's row, for a widget beside it.
inline QHBoxLayout* addCaptionedRow(QGridLayout* grid, QWidget* caption, QWidget* control,
                                    const QString& unit = {}) {
    const int row = grid->rowCount();
    grid->addWidget(caption, row, 0, 1, 2);
    auto* line = new QHBoxLayout;
    line->setSpacing(4);
    // Number fields keep their own width; sliders and lists take the row.
    const bool field = qobject_cast<SpinEdit*>(control) != nullptr;
    line->addWidget(control, field ? 0 : 1);
    if (!unit.isEmpty()) {
        line->addWidget(new QLabel(unit));
    }
    if (field) {
        line->addStretch(1);
    }
    grid->addLayout(line, row + 1, 0, 1, 2);
    return line;
}

// "x:" field "y:" field on one row; returns the two small labels for tooltips.
inline std::pair<QLabel*, QLabel*> addXYRow(QGridLayout* grid, QWidget* x, QWidget* y) {
    const int row = grid->rowCount();
    auto* line = new QHBoxLayout;
    line->setSpacing(4);
    auto* xLabel = new QLabel(QStringLiteral("x:"));
    auto* yLabel = new QLabel(QStringLiteral("y:"));
    line->addWidget(xLabel);
    line->addWidget(x, 1);
    line->addSpacing(4);
    line->addWidget(yLabel);
    line->addWidget(y, 1);
    grid->addLayout(line, row, 0, 1, 2);
    return {xLabel, yLabel};
}

} // namespace zb::ui
