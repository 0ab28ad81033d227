#include "drawing_kit.h"

#include <QFontMetricsF>
#include <QLineF>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>

#include <algorithm>

namespace zb::help {

QImage blankPicture(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(palette::paper);
    return image;
}

void preparePainter(QPainter& painter) {
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
}

QFont pictureFont(int pixelSize, bool bold, bool italic) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setItalic(italic);
    // Hinting would move glyphs by whole pixels, which differs between FreeType builds.
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

void drawBall(QPainter& painter, QPointF centre, double radius, const QColor& base) {
    QRadialGradient shade(centre + QPointF(-0.35 * radius, -0.4 * radius), 1.3 * radius);
    shade.setColorAt(0.0, base.lighter(210));
    shade.setColorAt(0.45, base);
    shade.setColorAt(1.0, base.darker(170));
    painter.setPen(QPen(base.darker(220), 0.8));
    painter.setBrush(shade);
    painter.drawEllipse(centre, radius, radius);
}

void drawSpring(QPainter& painter, QPointF from, QPointF to, double ballRadius, int coils,
                double coilWidth, const QColor& colour) {
    const QLineF axis(from, to);
    const double length = axis.length();
    if (length <= 2 * ballRadius)
        return;
    const QPointF along = (to - from) / length;
    const QPointF across(-along.y(), along.x());
    const QPointF start = from + along * ballRadius;
    const QPointF end = to - along * ballRadius;
    const double free = length - 2 * ballRadius;
    const double lead = 0.15 * free;

    QPainterPath path(start);
    const QPointF coilStart = start + along * lead;
    path.lineTo(coilStart);
    const int corners = 2 * coils;
    const double step = (free - 2 * lead) / corners;
    for (int k = 0; k < corners; ++k) {
        const double side = k % 2 == 0 ? 1.0 : -1.0;
        path.lineTo(coilStart + along * (step * (k + 0.5)) + across * (side * coilWidth));
    }
    path.lineTo(end - along * lead);
    path.lineTo(end);
    painter.setPen(QPen(colour, 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
}

void drawArrow(QPainter& painter, QPointF tail, QPointF tip, const QColor& colour, double width,
               double headLength) {
    const QLineF shaft(tail, tip);
    const double length = shaft.length();
    if (length <= 0)
        return;
    const QPointF along = (tip - tail) / length;
    const QPointF across(-along.y(), along.x());
    const double head = std::min(headLength, 0.6 * length);
    const QPointF base = tip - along * head;
    // The shaft stops inside the head so its square end never shows beside the point.
    painter.setPen(QPen(colour, width, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(tail, base + along * (0.3 * head));
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    const double halfHead = 0.42 * head + 0.5 * width;
    painter.drawPolygon(QPolygonF({tip, base + across * halfHead, base - across * halfHead}));
}

void drawText(QPainter& painter, QPointF baselineStart, const QString& text, const QFont& font,
              const QColor& colour) {
    painter.setFont(font);
    painter.setPen(colour);
    painter.drawText(baselineStart, text);
}

double textWidth(const QFont& font, const QString& text) {
    return QFontMetricsF(font).horizontalAdvance(text);
}

} // namespace zb::help
