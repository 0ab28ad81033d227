// What the explanation pictures share: one palette, one font and the few shapes they are drawn
// from, so the pictures read as one set beside the texts.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPointF>
#include <QString>

namespace zb::help {

namespace palette {
inline const QColor paper(0xff, 0xff, 0xff);
inline const QColor ink(0x1a, 0x24, 0x33);    // text
inline const QColor navy(0x00, 0x00, 0x80);   // headings of the texts, drawn emphasis
inline const QColor line(0x3b, 0x47, 0x57);   // axes, springs
inline const QColor faint(0xb8, 0xc2, 0xce);  // rest positions, guides
inline const QColor ball(0x2f, 0x6d, 0xb5);   // oscillators
inline const QColor accent(0xc0, 0x39, 0x2b); // the one thing a picture is about
inline const QColor damping(0xe6, 0x7e, 0x22);
} // namespace palette

// A white picture with a painter that antialiases shapes and text.
QImage blankPicture(int width, int height);
void preparePainter(QPainter& painter);

QFont pictureFont(int pixelSize, bool bold = false, bool italic = false);

// A shaded ball lit from the upper left, so it reads as a body rather than a dot.
void drawBall(QPainter& painter, QPointF centre, double radius, const QColor& base);

// A zigzag spring between two balls of the given radius: short straight ends, coils between.
void drawSpring(QPainter& painter, QPointF from, QPointF to, double ballRadius, int coils,
                double coilWidth, const QColor& colour);

// A straight arrow whose filled head ends exactly at tip.
void drawArrow(QPainter& painter, QPointF tail, QPointF tip, const QColor& colour,
               double width = 1.6, double headLength = 8.0);

// Text with its baseline's left end at the point.
void drawText(QPainter& painter, QPointF baselineStart, const QString& text, const QFont& font,
              const QColor& colour = palette::ink);

// The width the text takes in the font.
double textWidth(const QFont& font, const QString& text);

} // namespace zb::help
