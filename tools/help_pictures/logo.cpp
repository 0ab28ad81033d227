#include "drawing_kit.h"
#include "pictures.h"

#include <QFontMetricsF>
#include <QPainterPath>

#include <cmath>
#include <numbers>

namespace zb::help {

namespace {

constexpr double ringCentreX = 58.0;
constexpr double ringCentreY = logoHeight / 2.0;
constexpr double ringReach = 56.0;      // where the ripples have faded into the paper
constexpr double ringWavelength = 13.0; // pixels from crest to crest
constexpr int textLeft = 128;
constexpr int textRight = logoWidth - 10;

QColor mix(const QColor& a, const QColor& b, double t) {
    const auto channel = [t](int x, int y) { return int(std::lround(x + (y - x) * t)); };
    return QColor(channel(a.red(), b.red()), channel(a.green(), b.green()),
                  channel(a.blue(), b.blue()));
}

// Rings as the light of a ripple tank shows them: bright crests, dark troughs, fading outwards.
// Computed per pixel from the distance, so the rings need no antialiasing of their own.
void drawRipples(QImage& image) {
    const QColor trough(0x15, 0x4a, 0x8c);
    const QColor crest(0xc4, 0xe2, 0xff);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < int(ringCentreX + ringReach) + 2; ++x) {
            const double r = std::hypot(x + 0.5 - ringCentreX, y + 0.5 - ringCentreY);
            if (r >= ringReach)
                continue;
            const double fade = std::pow(1.0 - r / ringReach, 0.7);
            const double phase = std::cos(2.0 * std::numbers::pi * r / ringWavelength);
            const QColor water = mix(trough, crest, 0.5 + 0.5 * phase);
            image.setPixelColor(x, y, mix(palette::paper, water, fade));
        }
    }
}

// The largest bold size at which the word fits beside the rings.
QFont wordFont(const QString& word) {
    for (int size = 64; size > 8; --size) {
        const QFont font = pictureFont(size, true);
        const QFontMetricsF metrics(font);
        if (metrics.horizontalAdvance(word) <= textRight - textLeft &&
            metrics.capHeight() <= 0.42 * logoHeight)
            return font;
    }
    return pictureFont(8, true);
}

} // namespace

QImage drawLogo() {
    QImage image = blankPicture(logoWidth, logoHeight);
    drawRipples(image);

    QPainter painter(&image);
    preparePainter(painter);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x0b, 0x2a, 0x55));
    painter.drawEllipse(QPointF(ringCentreX, ringCentreY), 4.0, 4.0);

    const QString word = QStringLiteral("Zitterbecken");
    const QFont font = wordFont(word);
    const QFontMetricsF metrics(font);
    const double baseline = ringCentreY + metrics.capHeight() / 2 - 6;
    drawText(painter, {double(textLeft), baseline}, word, font, QColor(0x0f, 0x2c, 0x5a));

    // A ripple under the word, the same blue as the rings.
    QPainterPath ripple;
    const double rippleY = baseline + 17;
    const double span = metrics.horizontalAdvance(word);
    for (double x = 0; x <= span; x += 1.0) {
        const double fade = 1.0 - x / span;
        const QPointF p(textLeft + x,
                        rippleY - 4.5 * fade * std::sin(2.0 * std::numbers::pi * x / 26.0));
        if (x == 0)
            ripple.moveTo(p);
        else
            ripple.lineTo(p);
    }
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(0x2f, 0x6d, 0xb5), 3.0, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(ripple);
    return image;
}

} // namespace zb::help
