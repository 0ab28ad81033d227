// The backgrounds of the two halves of the screen panel along the bottom of the 3-D view, over
// which the height profiles measured on the horizontal and the vertical screens are plotted.
#pragma once

#include <QColor>
#include <QImage>
#include <QString>

namespace zb {

// Half the window wide and an eighth of it high, so roughly 5:1 to 8:1; this keeps the caption
// close to its drawn proportions in every window.
constexpr int panelWidth = 512;
constexpr int panelHeight = 80;

struct PanelStyle {
    QString caption;
    QColor paper;
    QColor grid;
    QColor zeroLine;
    QColor text;
};

// The two halves share their layout and differ only in tint, so they read as two panels.
PanelStyle horizontalScreensStyle();
PanelStyle verticalScreensStyle();

QImage drawPanelBackground(const PanelStyle& style);

} // namespace zb
