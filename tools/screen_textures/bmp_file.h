// Writes pictures as 24-bit Windows bitmaps in exactly one layout: file header, 40-byte
// BITMAPINFOHEADER, no compression, bottom-up rows padded to 4 bytes in blue, green, red order.
// Written by hand so the engine's bitmap reader gets exactly this, not whatever an image plugin
// happens to choose.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace zb {

QByteArray encodeBmp24(const QImage& image);

// Writes through a temporary file that replaces path only when complete, so a failed run never
// leaves a half-written picture behind. On failure returns false and sets error.
bool writeBmp24(const QString& path, const QImage& image, QString& error);

} // namespace zb
