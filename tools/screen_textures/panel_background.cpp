#include "panel_background.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

namespace zb {

namespace {

// Curves start at the left edge with height 0 on the middle line, so the grid is anchored there
// and symmetric about that line.
constexpr int gridColumns = 16;
constexpr int upperGridLine = panelHeight / 4 - 1;
constexpr int lowerGridLine = panelHeight - 1 - upperGridLine;
constexpr int zeroLineWidth = 2; // even, so it sits exactly on the middle of an even height
constexpr int captionPixelSize = 12;
constexpr int captionMargin = 4;
constexpr int captionPlateTop = 3;
constexpr int captionPadding = 5;

void drawHorizontalLine(QPainter& painter, int y) {
    painter.drawLine(0, y, panelWidth - 1, y);
}

} // namespace

PanelStyle horizontalScreensStyle() {
    return {.caption = QStringLiteral("horizontale Schirme"),
            .paper = QColor(0xf1, 0xf5, 0xfa),
            .grid = QColor(0xd4, 0xdd, 0xe8),
            .zeroLine = QColor(0x7d, 0x92, 0xab),
            .text = QColor(0x2c, 0x3e, 0x55)};
}

PanelStyle verticalScreensStyle() {
    return {.caption = QStringLiteral("vertikale Schirme"),
            .paper = QColor(0xf8, 0xf5, 0xee),
            .grid = QColor(0xe3, 0xdb, 0xcc),
            .zeroLine = QColor(0xa6, 0x94, 0x78),
            .text = QColor(0x4e, 0x3f, 0x2a)};
}

QImage drawPanelBackground(const PanelStyle& style) {
    QImage image(panelWidth, panelHeight, QImage::Format_RGB32);
    image.fill(style.paper);

    QPainter painter(&image);
    // Grid lines stay one sharp pixel wide; only the caption is antialiased.
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(style.grid, 0));

    for (int i = 1; i < gridColumns; ++i) {
        const int x = i * panelWidth / gridColumns;
        painter.drawLine(x, 0, x, panelHeight - 1);
    }
    drawHorizontalLine(painter, upperGridLine);
    drawHorizontalLine(painter, lowerGridLine);
    // A frame, so the two halves stay apart from each other and from the scene behind.
    painter.drawRect(0, 0, panelWidth - 1, panelHeight - 1);

    painter.fillRect(0, panelHeight / 2 - zeroLineWidth / 2, panelWidth, zeroLineWidth,
                     style.zeroLine);

    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(captionPixelSize);
    font.setBold(true);
    font.setStyleStrategy(QFont::PreferAntialias);
    painter.setFont(font);
    painter.setRenderHint(QPainter::TextAntialiasing, true);

    // A framed plate keeps grid lines out of the letters; it ends above the first grid line,
    // which stays unbroken.
    const QFontMetrics metrics = painter.fontMetrics();
    const QRectF plate(captionMargin - 0.5, captionPlateTop - 0.5,
                       metrics.horizontalAdvance(style.caption) + 2 * captionPadding,
                       upperGridLine - 2 * captionPlateTop);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(style.grid, 1));
    painter.setBrush(style.paper);
    painter.drawRoundedRect(plate, 3, 3);
    painter.setPen(style.text);
    painter.drawText(plate, Qt::AlignCenter, style.caption);
    return image;
}

} // namespace zb
