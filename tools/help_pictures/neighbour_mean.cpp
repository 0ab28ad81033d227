#include "drawing_kit.h"
#include "pictures.h"

#include <QPolygonF>
#include <QRectF>

namespace zb::help {

namespace {

constexpr int pictureHeight = 200;
// The window's vertical scroll bar covers the last pixels of the picture, so nothing is drawn
// there.
constexpr double visibleWidth = 494.0;

// The same oblique projection as the net picture, enlarged to one cell and its neighbours.
constexpr double centreX = 152.0;
constexpr double centreY = 140.0; // rest position of the middle oscillator
constexpr double columnStep = 96.0;
constexpr double rowShiftX = 32.0;
constexpr double rowShiftY = 24.0;
constexpr double heightScale = 80.0;
constexpr double ballRadius = 9.0;

struct Cell {
    int i;
    int j;
    double height;
    const char* name;
};

// Left, right, back, front: their mean is 0.65, well above the middle one.
constexpr Cell left = {-1, 0, 1.0, "h\u2081"};
constexpr Cell right = {1, 0, 0.25, "h\u2082"};
constexpr Cell back = {0, 1, 0.9, "h\u2083"};
constexpr Cell front = {0, -1, 0.45, "h\u2084"};
constexpr Cell middle = {0, 0, 0.08, "h"};

constexpr double meanHeight = (left.height + right.height + back.height + front.height) / 4.0;

QPointF restPoint(const Cell& c) {
    return {centreX + c.i * columnStep + c.j * rowShiftX, centreY - c.j * rowShiftY};
}

QPointF ballPoint(const Cell& c) {
    return restPoint(c) - QPointF(0.0, c.height * heightScale);
}

void drawCell(QPainter& painter, const Cell& c, const QColor& colour) {
    painter.setPen(QPen(palette::faint.darker(130), 1.0, Qt::DashLine));
    painter.drawLine(restPoint(c), ballPoint(c));
    painter.setPen(Qt::NoPen);
    painter.setBrush(palette::faint.darker(130));
    painter.drawEllipse(restPoint(c), 2.0, 2.0);
    drawBall(painter, ballPoint(c), ballRadius, colour);
    drawText(painter, ballPoint(c) + QPointF(ballRadius + 1.0, -ballRadius + 3.0),
             QString::fromUtf8(c.name), pictureFont(13, false, true));
}

// The rest plane under the five cells, with the net's lines between their rest positions.
void drawRestPlane(QPainter& painter) {
    const QPointF c = restPoint(middle);
    const QPointF across(columnStep + 10.0, 0.0);
    const QPointF deep(rowShiftX * 1.35, -rowShiftY * 1.35);
    painter.setPen(QPen(palette::faint, 1.0));
    painter.setBrush(QColor(0xee, 0xf4, 0xfb));
    painter.drawPolygon(
        QPolygonF({c - across - deep, c + across - deep, c + across + deep, c - across + deep}));
    painter.setPen(QPen(palette::faint.darker(110), 1.0));
    painter.drawLine(restPoint(left), restPoint(right));
    painter.drawLine(restPoint(front), restPoint(back));
}

// The update rules beside the sketch, for the reader who wants them as formulas.
void drawRules(QPainter& painter, const QRectF& box) {
    painter.setPen(QPen(palette::faint, 1.0));
    painter.setBrush(QColor(0xf5, 0xf8, 0xfc));
    painter.drawRoundedRect(box, 6, 6);

    const double x = box.left() + 10;
    double y = box.top() + 21;
    drawText(painter, {x, y}, QStringLiteral("Je Zeitschritt \u0394t:"), pictureFont(12, true));
    const QString rules[] = {
        QStringLiteral("a = k \u00b7 (m \u2212 h)"),
        QStringLiteral("v \u2190 (v + a\u00b7\u0394t) \u00b7 (1 \u2212 d)"),
        QStringLiteral("h \u2190 h + v\u00b7\u0394t"),
    };
    const QFont formula = pictureFont(13);
    for (const QString& rule : rules) {
        y += 22;
        drawText(painter, {x + 4, y}, rule, formula);
    }
    const QString legend[] = {
        QStringLiteral("m: Mittel der 4 Nachbarn"),
        QStringLiteral("k: Kopplung, d: Dämpfung"),
        QStringLiteral("v: Geschwindigkeit"),
    };
    const QFont small = pictureFont(11);
    y += 8;
    for (const QString& line : legend) {
        y += 16;
        drawText(painter, {x, y}, line, small, palette::line);
    }
}

} // namespace

QImage drawNeighbourMean() {
    QImage image = blankPicture(neighbourPictureWidth, pictureHeight);
    QPainter painter(&image);
    preparePainter(painter);

    drawRestPlane(painter);
    // Back to front, so nearer balls cover farther ones.
    drawCell(painter, back, palette::ball);
    drawCell(painter, left, palette::ball);
    drawCell(painter, right, palette::ball);

    const double meanY = centreY - meanHeight * heightScale;
    const double lineStart = centreX - columnStep - 30.0;
    painter.setPen(QPen(palette::navy, 1.6, Qt::DashLine));
    painter.drawLine(QPointF(lineStart, meanY), QPointF(centreX + columnStep + 30.0, meanY));
    drawText(painter, {8, 18}, QStringLiteral("mittlere Höhe m der Nachbarn"),
             pictureFont(12, true), palette::navy);
    drawArrow(painter, {lineStart + 6, 24}, {lineStart + 8, meanY - 2}, palette::navy, 1.2, 7.0);

    drawCell(painter, middle, palette::accent);
    const QPointF ballTop = ballPoint(middle) - QPointF(0, ballRadius + 1.0);
    drawArrow(painter, ballTop, {centreX, meanY + 1.0}, palette::accent, 2.4, 10.0);
    // A plate under the label keeps the dashed rod behind it from running through the letters.
    const QFont accelerationFont = pictureFont(11, true);
    const QString acceleration = QStringLiteral("Beschleunigung");
    const QPointF labelStart(centreX + 8, meanY + 16);
    painter.setPen(Qt::NoPen);
    painter.setBrush(palette::paper);
    painter.drawRect(QRectF(labelStart.x() - 2, labelStart.y() - 11,
                            textWidth(accelerationFont, acceleration) + 4, 14));
    drawText(painter, labelStart, acceleration, accelerationFont, palette::accent);

    drawCell(painter, front, palette::ball);

    drawRules(painter, QRectF(visibleWidth - 176.5, 10.5, 176, 162));

    const QFont caption = pictureFont(12, false, true);
    const QString text =
        QStringLiteral("Der Schwinger wird zur mittleren Höhe seiner vier Nachbarn gezogen.");
    drawText(painter, {(visibleWidth - textWidth(caption, text)) / 2, pictureHeight - 9.0}, text,
             caption);
    return image;
}

} // namespace zb::help
