#include "start_picture.h"

#include "start/start_regions.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

namespace zb::start {

using ui::kPictureHeight;
using ui::kPictureWidth;
using ui::kStartRegionCount;
using ui::kStartRegions;
using ui::StartRegion;

namespace {

const QString kFamily = QStringLiteral("DejaVu Sans");

// Background: a light, low-contrast blue, so that dark text stays readable on every part.
constexpr double kTrough[3] = {163, 194, 222};
constexpr double kCrest[3] = {233, 242, 250};
constexpr double kWall[3] = {112, 134, 162};

const QColor kTitleColour(14, 44, 78);
const QColor kSubtitleColour(30, 66, 102);
const QColor kButtonBorder(22, 52, 86);
const QColor kButtonTop(250, 252, 254);
const QColor kButtonBottom(226, 236, 246);
const QColor kButtonText(12, 34, 60);
const QColor kPictogram(38, 104, 160);

// The button's outline lies this far inside its rectangle, so that all of it is clickable.
constexpr int kInset = 2;
constexpr qreal kBorderWidth = 2.0;

// Heights are shown in units of a typical wave in the lower two thirds, behind the slits, not of
// the largest one: the field in front of the wall is far stronger and would leave the fringes
// pale.
double typicalHeight(const WaveField& field) {
    double sum = 0;
    int count = 0;
    for (int j = field.height / 3; j < field.height; ++j)
        for (int i = 0; i < field.width; ++i)
            if (!field.walls[field.index(i, j)]) {
                const double h = field.heights[field.index(i, j)];
                sum += h * h;
                ++count;
            }
    return count > 0 ? std::sqrt(sum / count) : 0.0;
}

// Bilinear, in oscillator coordinates with the centres of the cells at whole numbers.
template <class Value>
double sample(const WaveField& field, double x, double y, Value value) {
    x = std::clamp(x, 0.0, double(field.width - 1));
    y = std::clamp(y, 0.0, double(field.height - 1));
    const int i0 = std::min(int(x), field.width - 2);
    const int j0 = std::min(int(y), field.height - 2);
    const double fx = x - i0;
    const double fy = y - j0;
    const double top = value(i0, j0) * (1 - fx) + value(i0 + 1, j0) * fx;
    const double bottom = value(i0, j0 + 1) * (1 - fx) + value(i0 + 1, j0 + 1) * fx;
    return top * (1 - fy) + bottom * fy;
}

QImage drawWaves(const WaveField& field) {
    QImage image(kPictureWidth, kPictureHeight, QImage::Format_RGB32);
    const double middle[3] = {(kTrough[0] + kCrest[0]) / 2, (kTrough[1] + kCrest[1]) / 2,
                              (kTrough[2] + kCrest[2]) / 2};
    if (field.width < 2 || field.height < 2) {
        image.fill(QColor(int(middle[0]), int(middle[1]), int(middle[2])));
        return image;
    }
    const double unit = typicalHeight(field);
    const auto height = [&](int i, int j) {
        const double h = unit > 0 ? field.heights[field.index(i, j)] / unit : 0.0;
        return std::isfinite(h) ? std::clamp(h, -4.0, 4.0) : 0.0;
    };
    const auto wall = [&](int i, int j) { return field.walls[field.index(i, j)] ? 1.0 : 0.0; };
    const double scaleX = double(field.width) / kPictureWidth;
    const double scaleY = double(field.height) / kPictureHeight;
    for (int y = 0; y < kPictureHeight; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        const double fy = (y + 0.5) * scaleY - 0.5;
        for (int x = 0; x < kPictureWidth; ++x) {
            const double fx = (x + 0.5) * scaleX - 0.5;
            const double h = sample(field, fx, fy, height);
            // Into -1..1 with sign and order kept; gentle, so that crests stay soft.
            const double v = std::tanh(h * 0.6);
            const double t = (v + 1) / 2;
            const double w = sample(field, fx, fy, wall);
            double rgb[3];
            for (int c = 0; c < 3; ++c) {
                const double water = kTrough[c] + (kCrest[c] - kTrough[c]) * t;
                // Sharper than the sampling alone, which smears the wall over a whole cell.
                rgb[c] = water + (kWall[c] - water) * std::clamp(w * 1.5, 0.0, 1.0);
            }
            line[x] =
                qRgb(int(std::lround(rgb[0])), int(std::lround(rgb[1])), int(std::lround(rgb[2])));
        }
    }
    return image;
}

QFont boldFont(int pixelSize, bool condensed = false) {
    QFont font(kFamily);
    font.setPixelSize(pixelSize);
    font.setBold(true);
    if (condensed)
        font.setStretch(QFont::Condensed);
    font.setStyleStrategy(QFont::PreferAntialias);
    // Unhinted outlines keep the line breaks and the picture independent of the machine's
    // hinting settings.
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

// The title with a soft light halo, so that it stands out from the waves behind it.
void drawHaloText(QPainter& painter, const QFont& font, qreal centreX, qreal baseline,
                  const QString& text, const QColor& colour, qreal halo) {
    QPainterPath path;
    const qreal width = QFontMetricsF(font).horizontalAdvance(text);
    path.addText(centreX - width / 2, baseline, font, text);
    painter.save();
    painter.setBrush(Qt::NoBrush);
    const QColor glow(255, 255, 255, 70);
    for (int k = 3; k >= 1; --k) {
        painter.setPen(QPen(glow, halo * k / 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPath(path);
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawPath(path);
    painter.restore();
}

void drawTitle(QPainter& painter) {
    // A light veil towards the top edge keeps the title calm over the plane waves.
    QLinearGradient veil(0, 0, 0, 196);
    veil.setColorAt(0, QColor(255, 255, 255, 170));
    veil.setColorAt(0.7, QColor(255, 255, 255, 110));
    veil.setColorAt(1, QColor(255, 255, 255, 0));
    painter.fillRect(QRectF(0, 0, kPictureWidth, 196), veil);

    drawHaloText(painter, boldFont(72), kPictureWidth / 2.0, 100, QStringLiteral("Zitterbecken"),
                 kTitleColour, 14);
    QFont subtitle = boldFont(24);
    subtitle.setBold(false);
    drawHaloText(painter, subtitle, kPictureWidth / 2.0, 144,
                 QStringLiteral("Simulation einer Zitterbecken – Wellen im Physikunterricht"),
                 kSubtitleColour, 9);
}

// A word-wrapped text laid out for one font: its lines and the height they need.
struct TextBlock {
    std::vector<QTextLine> lines;
    std::shared_ptr<QTextLayout> layout;
    qreal pitch = 0;
    qreal ascent = 0;
    qreal descent = 0;
    qreal widest = 0;

    qreal height() const {
        return lines.empty() ? 0 : (qreal(lines.size()) - 1) * pitch + ascent + descent;
    }
};

TextBlock layOut(const QString& text, const QFont& font, qreal width) {
    TextBlock block;
    block.layout = std::make_shared<QTextLayout>(text, font);
    QTextOption option(Qt::AlignLeft);
    option.setWrapMode(QTextOption::WordWrap);
    block.layout->setTextOption(option);
    const QFontMetricsF metrics(font);
    block.ascent = metrics.ascent();
    block.descent = metrics.descent();
    // The font's own line distance leaves room for stacked accents; German text needs less.
    block.pitch = std::round(font.pixelSize() * 1.12);
    block.layout->beginLayout();
    for (QTextLine line = block.layout->createLine(); line.isValid();
         line = block.layout->createLine()) {
        line.setLineWidth(width);
        line.setPosition(QPointF(0, 0)); // placed one by one when drawn
        block.widest = std::max(block.widest, line.naturalTextWidth());
        block.lines.push_back(line);
    }
    block.layout->endLayout();
    return block;
}

// The largest size that fits the box, or the smallest when none does. The condensed face is
// tried before a size is given up, since narrow buttons would otherwise break words badly.
TextBlock fitText(const QString& text, qreal width, qreal height, int largest, int smallest) {
    TextBlock block;
    for (int size = largest; size >= smallest; --size)
        for (const bool condensed : {false, true}) {
            block = layOut(text, boldFont(size, condensed), width);
            if (block.widest <= width && block.height() <= height)
                return block;
        }
    return block;
}

void drawTextBlock(QPainter& painter, const TextBlock& block, qreal centreX, qreal top) {
    painter.setPen(kButtonText);
    qreal baseline = top + block.ascent;
    for (const QTextLine& line : block.lines) {
        const qreal x = centreX - line.naturalTextWidth() / 2;
        line.draw(&painter, QPointF(x, baseline - line.ascent()));
        baseline += block.pitch;
    }
}

enum class Pictogram { None, Waves, Folder, Exit };

// A drop falling into water and the rings spreading from where it hit: free experimenting.
void drawWavesPictogram(QPainter& painter, QRectF box) {
    const qreal h = box.height();
    const QPointF centre(box.center().x(), box.bottom() - h * 0.3);
    painter.setBrush(Qt::NoBrush);
    for (int k = 3; k >= 1; --k) {
        const qreal rx = h * 0.28 * k;
        const qreal ry = rx * 0.3;
        QColor c = kPictogram;
        c.setAlphaF(float(1.0 - 0.25 * (k - 1)));
        painter.setPen(QPen(c, 4));
        painter.drawEllipse(centre, rx, ry);
    }
    // The drop: a circle drawn out to a point at the top.
    const qreal r = h * 0.13;
    const QPointF bulb(centre.x(), box.top() + h * 0.3);
    QPainterPath drop;
    drop.moveTo(bulb.x(), box.top());
    drop.cubicTo(bulb.x() + r * 0.2, bulb.y() - r * 0.9, bulb.x() + r, bulb.y() - r * 0.6,
                 bulb.x() + r, bulb.y());
    drop.arcTo(QRectF(bulb.x() - r, bulb.y() - r, 2 * r, 2 * r), 0, -180);
    drop.cubicTo(bulb.x() - r, bulb.y() - r * 0.6, bulb.x() - r * 0.2, bulb.y() - r * 0.9, bulb.x(),
                 box.top());
    painter.setPen(Qt::NoPen);
    painter.setBrush(kPictogram);
    painter.drawPath(drop);
}

void drawFolderPictogram(QPainter& painter, QRectF box) {
    const qreal h = box.height();
    const qreal w = h * 1.3;
    const QRectF body(box.center().x() - w / 2, box.top() + h * 0.18, w, h * 0.82);
    QPainterPath tab;
    tab.addRoundedRect(QRectF(body.left(), box.top(), w * 0.42, h * 0.4), 4, 4);
    QPainterPath back;
    back.addRoundedRect(body, 5, 5);
    painter.setPen(QPen(kButtonBorder, 2));
    painter.setBrush(kPictogram.lighter(150));
    painter.drawPath(tab.united(back));
    // The front tilted open, so that it reads as a folder to take something from.
    QPainterPath front;
    front.moveTo(body.left(), body.bottom());
    front.lineTo(body.left() + w * 0.12, body.top() + h * 0.22);
    front.lineTo(body.right() + w * 0.06, body.top() + h * 0.22);
    front.lineTo(body.right(), body.bottom());
    front.closeSubpath();
    painter.setBrush(kPictogram);
    painter.drawPath(front);
}

// A door with an arrow leaving it.
void drawExitPictogram(QPainter& painter, QRectF box) {
    const qreal h = box.height();
    const QRectF door(box.center().x() - h * 0.55, box.top(), h * 0.55, h);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kButtonBorder, 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QPainterPath frame;
    frame.moveTo(door.right(), door.top() + h * 0.28);
    frame.lineTo(door.right(), door.top());
    frame.lineTo(door.left(), door.top());
    frame.lineTo(door.left(), door.bottom());
    frame.lineTo(door.right(), door.bottom());
    frame.lineTo(door.right(), door.bottom() - h * 0.28);
    painter.drawPath(frame);

    const qreal y = door.center().y();
    const qreal tip = door.right() + h * 0.62;
    painter.setPen(QPen(kPictogram, 7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawLine(QPointF(door.left() + h * 0.22, y), QPointF(tip - 4, y));
    QPainterPath head;
    head.moveTo(tip - h * 0.26, y - h * 0.24);
    head.lineTo(tip, y);
    head.lineTo(tip - h * 0.26, y + h * 0.24);
    painter.drawPath(head);
}

// Three pictures of wave tanks side by side, the middle one in front: a collection to choose
// from.
void drawGalleryPictogram(QPainter& painter, QRectF box) {
    // Three cards, each 4:3, overlapping: 2.1 card widths in all.
    const qreal w = std::min(box.height() * 0.7 * 4 / 3, box.width() / 2.2);
    const qreal h = w * 3 / 4;
    const qreal step = w * 0.55;
    for (const int k : {-1, 1, 0}) {
        const QRectF card(box.center().x() - w / 2 + k * step,
                          box.center().y() - h / 2 + (k == 0 ? h * 0.14 : -h * 0.14), w, h);
        painter.setPen(QPen(kButtonBorder, 2));
        painter.setBrush(k == 0 ? kButtonTop : kPictogram.lighter(170));
        painter.drawRoundedRect(card, 3, 3);
        // Rings around a source at the card's left edge.
        painter.save();
        painter.setClipRect(card.adjusted(2, 2, -2, -2));
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(kPictogram, k == 0 ? 2.5 : 2));
        const QPointF source(card.left() + w * 0.15, card.center().y());
        for (int r = 1; r <= 4; ++r) {
            painter.drawEllipse(source, w * 0.2 * r, w * 0.2 * r);
        }
        painter.restore();
    }
}

void drawPictogram(QPainter& painter, Pictogram kind, QRectF box) {
    painter.save();
    switch (kind) {
    case Pictogram::Waves:
        drawWavesPictogram(painter, box);
        break;
    case Pictogram::Folder:
        drawFolderPictogram(painter, box);
        break;
    case Pictogram::Exit:
        drawExitPictogram(painter, box);
        break;
    case Pictogram::None:
        break;
    }
    painter.restore();
}

// The rounded, lightly shaded body of a button; returns the room inside its border.
QRectF drawButtonBody(QPainter& painter, const StartRegion& region, bool small) {
    // Pixel k covers [k, k + 1): the outline runs through pixels left + kInset to
    // right - kInset, so that every pixel of it lies strictly inside the region.
    const QRectF outer(region.left + kInset, region.top + kInset,
                       region.right - region.left - 2 * kInset + 1,
                       region.bottom - region.top - 2 * kInset + 1);
    const QRectF body =
        outer.adjusted(kBorderWidth / 2, kBorderWidth / 2, -kBorderWidth / 2, -kBorderWidth / 2);
    const qreal radius = small ? 8 : 16;

    QLinearGradient fill(0, outer.top(), 0, outer.bottom());
    fill.setColorAt(0, kButtonTop);
    fill.setColorAt(1, kButtonBottom);
    painter.setPen(QPen(kButtonBorder, kBorderWidth));
    painter.setBrush(fill);
    painter.drawRoundedRect(body, radius, radius);
    return body.adjusted(kBorderWidth / 2, kBorderWidth / 2, -kBorderWidth / 2, -kBorderWidth / 2);
}

void drawButton(QPainter& painter, const StartRegion& region, Pictogram pictogram) {
    const bool small = region.bottom - region.top < 100;
    const QRectF inner = drawButtonBody(painter, region, small);
    const QString text = QString::fromUtf8(region.text);
    if (small) {
        const QRectF room = inner.adjusted(6, 1, -6, -1);
        const TextBlock block = fitText(text, room.width(), room.height(), 13, 11);
        drawTextBlock(painter, block, room.center().x(), room.center().y() - block.height() / 2);
        return;
    }
    const QRectF room = inner.adjusted(14, 12, -14, -12);
    const qreal pictogramHeight = std::min(room.height() * 0.42, 88.0);
    const qreal gap = pictogramHeight * 0.22;
    const TextBlock block =
        fitText(text, room.width(), room.height() - pictogramHeight - gap, 22, 14);
    const qreal top = room.center().y() - (pictogramHeight + gap + block.height()) / 2;
    drawPictogram(painter, pictogram, QRectF(room.left(), top, room.width(), pictogramHeight));
    drawTextBlock(painter, block, room.center().x(), top + pictogramHeight + gap);
}

// A low button with the pictogram beside its text, to keep the text large.
void drawGalleryButton(QPainter& painter, const StartRegion& region) {
    const QRectF inner = drawButtonBody(painter, region, true);
    const QRectF room = inner.adjusted(12, 6, -12, -6);
    const qreal pictogramWidth = room.height() * 1.9;
    painter.save();
    drawGalleryPictogram(painter, QRectF(room.left(), room.top(), pictogramWidth, room.height()));
    painter.restore();
    const QRectF words = room.adjusted(pictogramWidth + 12, 0, 0, 0);
    const TextBlock block =
        fitText(QString::fromUtf8(region.text), words.width(), words.height(), 22, 14);
    drawTextBlock(painter, block, words.center().x(), words.center().y() - block.height() / 2);
}

constexpr Pictogram kPictograms[kStartRegionCount] = {
    Pictogram::None, Pictogram::None, Pictogram::Waves, Pictogram::Folder,
    Pictogram::None, Pictogram::None, Pictogram::Exit,
};

} // namespace

QImage drawStartPicture(const WaveField& field) {
    QImage image = drawWaves(field);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    drawTitle(painter);
    for (int k = 0; k < kStartRegionCount; ++k)
        drawButton(painter, kStartRegions[k], kPictograms[k]);
    drawGalleryButton(painter, ui::kGalleryRegion);
    painter.end();
    return image;
}

} // namespace zb::start
