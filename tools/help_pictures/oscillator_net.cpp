#include "drawing_kit.h"
#include "pictures.h"

#include <QPointF>
#include <QPolygonF>

#include <cmath>

namespace zb::help {

namespace {

constexpr int pictureHeight = 212;
constexpr int columns = 5;
constexpr int rows = 4;

// Oblique projection: columns go to the right, rows recede up and to the right, heights go
// straight up, so an oscillator's only freedom shows as a vertical line.
constexpr double columnStep = 50.0;
constexpr double rowShiftX = 30.0;
constexpr double rowShiftY = 30.0;
constexpr double originX = 18.0;
constexpr double originY = 172.0; // rest position of the front left ball
constexpr double ballRadius = 7.5;

// One ball lifted high; its four neighbours, pulled along by their springs, follow a little.
double lift(int i, int j) {
    const double di = i - 2.0;
    const double dj = j - 1.0;
    const double h = 25.0 * std::exp(-(di * di + dj * dj) / 0.9);
    return h < 3.0 ? 0.0 : h;
}

QPointF restPoint(int i, int j) {
    return {originX + i * columnStep + j * rowShiftX, originY - j * rowShiftY};
}

QPointF ballPoint(int i, int j) {
    return restPoint(i, j) - QPointF(0.0, lift(i, j));
}

void drawRestPlane(QPainter& painter) {
    const QPolygonF plane({restPoint(0, 0) + QPointF(-12, 8),
                           restPoint(columns - 1, 0) + QPointF(4, 8),
                           restPoint(columns - 1, rows - 1) + QPointF(14, -8),
                           restPoint(0, rows - 1) + QPointF(-2, -8)});
    painter.setPen(QPen(palette::faint, 1.0));
    painter.setBrush(QColor(0xee, 0xf4, 0xfb));
    painter.drawPolygon(plane);
}

} // namespace

QImage drawOscillatorNet() {
    QImage image = blankPicture(netPictureWidth, pictureHeight);
    QPainter painter(&image);
    preparePainter(painter);
    drawRestPlane(painter);

    const QColor spring = palette::line;
    // Back to front, so nearer springs and balls cover farther ones.
    for (int j = rows - 1; j >= 0; --j) {
        for (int i = 0; i < columns; ++i) {
            if (lift(i, j) > 0.0) {
                painter.setPen(QPen(palette::faint.darker(125), 1.0, Qt::DashLine));
                painter.drawLine(restPoint(i, j), ballPoint(i, j));
                painter.setPen(Qt::NoPen);
                painter.setBrush(palette::faint.darker(125));
                painter.drawEllipse(restPoint(i, j), 1.8, 1.8);
            }
            if (j + 1 < rows)
                drawSpring(painter, ballPoint(i, j), ballPoint(i, j + 1), ballRadius, 4, 3.0,
                           spring);
        }
        for (int i = 0; i + 1 < columns; ++i)
            drawSpring(painter, ballPoint(i, j), ballPoint(i + 1, j), ballRadius, 5, 3.5, spring);
        for (int i = 0; i < columns; ++i)
            drawBall(painter, ballPoint(i, j), ballRadius, palette::ball);
    }

    const QFont label = pictureFont(13, true);
    const QPointF ballTarget = ballPoint(0, rows - 1);
    drawText(painter, {10, 20}, QStringLiteral("Schwinger"), label);
    drawArrow(painter, {44, 26}, ballTarget + QPointF(-2.5, -ballRadius - 2.0), palette::ink, 1.3,
              7.0);

    const QString springText = QStringLiteral("Feder (Kopplung)");
    const double springTextX = netPictureWidth - 10 - textWidth(label, springText);
    drawText(painter, {springTextX, 20}, springText, label);
    const QPointF springTarget = (ballPoint(3, rows - 1) + ballPoint(4, rows - 1)) / 2.0;
    drawArrow(painter, {springTextX + 60, 26}, springTarget + QPointF(0, -5.0), palette::ink, 1.3,
              7.0);

    // Each ball moves only up and down: a double arrow beside the highest one says so.
    const QPointF top = ballPoint(2, 1) + QPointF(-15, 2);
    drawArrow(painter, top, top + QPointF(0, -13), palette::accent, 1.5, 6.0);
    drawArrow(painter, top, top + QPointF(0, 13), palette::accent, 1.5, 6.0);

    drawText(painter, {10, pictureHeight - 8.0},
             QStringLiteral("Jeder Schwinger bewegt sich nur auf und ab."),
             pictureFont(12, false, true));
    return image;
}

} // namespace zb::help
