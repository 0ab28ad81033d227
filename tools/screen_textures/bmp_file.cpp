#include "bmp_file.h"

#include <QSaveFile>

namespace zb {

namespace {

constexpr int fileHeaderSize = 14;
constexpr int infoHeaderSize = 40;
constexpr quint32 pixelsPerMetre = 2835; // 72 dpi, what most programs write

void appendLe16(QByteArray& out, quint16 value) {
    out.append(char(value & 0xff));
    out.append(char(value >> 8));
}

void appendLe32(QByteArray& out, quint32 value) {
    for (int shift = 0; shift < 32; shift += 8)
        out.append(char((value >> shift) & 0xff));
}

} // namespace

QByteArray encodeBmp24(const QImage& image) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    const int width = rgb.width();
    const int height = rgb.height();
    const int stride = (width * 3 + 3) & ~3;
    const auto pixelBytes = quint32(stride) * quint32(height);

    QByteArray out;
    out.reserve(fileHeaderSize + infoHeaderSize + int(pixelBytes));

    out.append("BM");
    appendLe32(out, fileHeaderSize + infoHeaderSize + pixelBytes);
    appendLe32(out, 0); // two reserved words
    appendLe32(out, fileHeaderSize + infoHeaderSize);

    appendLe32(out, infoHeaderSize);
    appendLe32(out, quint32(width));
    appendLe32(out, quint32(height)); // positive: bottom row first
    appendLe16(out, 1);               // planes
    appendLe16(out, 24);
    appendLe32(out, 0); // BI_RGB
    appendLe32(out, pixelBytes);
    appendLe32(out, pixelsPerMetre);
    appendLe32(out, pixelsPerMetre);
    appendLe32(out, 0); // colours used
    appendLe32(out, 0); // colours important

    for (int y = height - 1; y >= 0; --y) {
        const uchar* row = rgb.constScanLine(y);
        for (int x = 0; x < width; ++x) {
            const uchar* rgbPixel = row + 3 * x;
            out.append(char(rgbPixel[2]));
            out.append(char(rgbPixel[1]));
            out.append(char(rgbPixel[0]));
        }
        out.append(stride - width * 3, '\0');
    }
    return out;
}

bool writeBmp24(const QString& path, const QImage& image, QString& error) {
    const QByteArray bytes = encodeBmp24(image);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        error = file.errorString();
        return false;
    }
    return true;
}

} // namespace zb
