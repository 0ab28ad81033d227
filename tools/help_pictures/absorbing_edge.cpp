#include "drawing_kit.h"
#include "pictures.h"

#include <QLinearGradient>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace zb::help {

namespace {

constexpr int pictureHeight = 200;

constexpr double axisX = 44.0;     // where the vertical axis stands
constexpr double zeroY = 94.0;     // rest line
constexpr double axisEndX = 474.0; // tip of the horizontal axis
constexpr double zoneStart = 300.0;
constexpr double edgeX = 418.0; // the tank's border
constexpr double amplitude = 52.0;
constexpr double wavelength = 64.0;

// Inside the zone the damping grows from nothing to full, so the wave fades out before it
// reaches the border and little comes back.
double envelope(double x) {
    if (x <= zoneStart)
        return amplitude;
    const double s = std::min(1.0, (x - zoneStart) / (edgeX - zoneStart));
    return amplitude * std::pow(1.0 - s, 1.7);
}

double wave(double x) {
    return envelope(x) * std::sin(2.0 * std::numbers::pi * (x - axisX) / wavelength);
}

void drawZone(QPainter& painter) {
    const QRectF zone(zoneStart, 30, edgeX - zoneStart, 136);
    QLinearGradient ramp(zone.topLeft(), zone.topRight());
    ramp.setColorAt(0.0, QColor(0xfd, 0xf2, 0xe6));
    ramp.setColorAt(1.0, QColor(0xf6, 0xc8, 0x9a));
    painter.setPen(Qt::NoPen);
    painter.setBrush(ramp);
    painter.drawRect(zone);

    painter.setPen(QPen(palette::damping.darker(115), 1.0, Qt::DashLine));
    painter.drawLine(QPointF(zoneStart, zone.top()), QPointF(zoneStart, zone.bottom()));

    const QFont label = pictureFont(12, true);
    const QString title = QStringLiteral("dämpfender Rand");
    drawText(painter, {zone.center().x() - textWidth(label, title) / 2, 22}, title, label,
             palette::damping.darker(160));

    const QFont small = pictureFont(11);
    const QString growth = QStringLiteral("Dämpfung wächst");
    const double growthY = zone.bottom() - 12;
    drawText(painter, {zoneStart + 6, growthY}, growth, small, palette::damping.darker(170));
    drawArrow(painter, {zoneStart + 8, growthY + 6}, {edgeX - 8, growthY + 6},
              palette::damping.darker(140), 1.3, 6.0);

    const QString width = QStringLiteral("Breite des Randes");
    const double widthY = zone.bottom() + 10;
    drawArrow(painter, {zone.center().x(), widthY}, {zoneStart + 1, widthY}, palette::line, 1.0,
              6.0);
    drawArrow(painter, {zone.center().x(), widthY}, {edgeX - 1, widthY}, palette::line, 1.0, 6.0);
    drawText(painter, {zone.center().x() - textWidth(small, width) / 2, widthY + 14}, width, small,
             palette::line);
}

void drawAxes(QPainter& painter) {
    drawArrow(painter, {axisX, 166}, {axisX, 12}, palette::line, 1.3, 8.0);
    drawArrow(painter, {axisX, zeroY}, {axisEndX, zeroY}, palette::line, 1.3, 8.0);
    const QFont label = pictureFont(12, true);
    drawText(painter, {axisX + 8, 22}, QStringLiteral("Auslenkung"), label);
    const QString place = QStringLiteral("Ort x");
    drawText(painter, {axisEndX - textWidth(label, place), zeroY + 18}, place, label);
}

} // namespace

QImage drawAbsorbingEdge() {
    QImage image = blankPicture(edgePictureWidth, pictureHeight);
    QPainter painter(&image);
    preparePainter(painter);

    drawZone(painter);
    drawAxes(painter);

    // The border itself: oscillators beyond it do not exist.
    painter.setPen(Qt::NoPen);
    painter.setBrush(palette::line);
    painter.drawRect(QRectF(edgeX, 30, 5, 136));

    QPainterPath curve(QPointF(axisX, zeroY - wave(axisX)));
    for (double x = axisX + 1.0; x <= edgeX; x += 1.0)
        curve.lineTo(x, zeroY - wave(x));
    QPainterPath upper(QPointF(zoneStart, zeroY - envelope(zoneStart)));
    QPainterPath lower(QPointF(zoneStart, zeroY + envelope(zoneStart)));
    for (double x = zoneStart + 1.0; x <= edgeX; x += 1.0) {
        upper.lineTo(x, zeroY - envelope(x));
        lower.lineTo(x, zeroY + envelope(x));
    }
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(palette::damping.darker(150), 1.0, Qt::DashLine));
    painter.drawPath(upper);
    painter.drawPath(lower);
    painter.setPen(QPen(palette::ball, 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(curve);

    const QFont note = pictureFont(11, false, true);
    const QString running = QStringLiteral("Welle läuft nach rechts");
    const double runningX = 60;
    drawText(painter, {runningX, 188}, running, note, palette::ball.darker(130));
    const double arrowX = runningX + textWidth(note, running) + 6;
    drawArrow(painter, {arrowX, 184}, {arrowX + 26, 184}, palette::ball.darker(130), 1.4, 6.0);
    return image;
}

} // namespace zb::help
