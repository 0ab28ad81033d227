// Draws the program's icon for the desktop menu: rings spreading on water, as seen from above.
// Usage: app_icon <output.png>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>
#include <cstdio>

namespace {

QImage drawIcon(int size) {
    QImage icon(size, size, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    QPainter p(&icon);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF tank(size * 0.06, size * 0.06, size * 0.88, size * 0.88);
    QPainterPath rounded;
    rounded.addRoundedRect(tank, size * 0.16, size * 0.16);
    QRadialGradient water(tank.center(), tank.width() * 0.7);
    water.setColorAt(0.0, QColor(120, 190, 240));
    water.setColorAt(1.0, QColor(20, 80, 160));
    p.fillPath(rounded, water);
    p.setClipPath(rounded);
    // Crests fade as they spread from the exciter in the middle.
    for (int ring = 1; ring <= 6; ++ring) {
        const double r = tank.width() * 0.085 * ring;
        QColor crest(255, 255, 255, int(230 - ring * 30));
        p.setPen(QPen(crest, size * 0.035));
        p.drawEllipse(tank.center(), r, r);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 200, 90));
    p.drawEllipse(tank.center(), size * 0.06, size * 0.06);
    p.setClipping(false);
    p.setPen(QPen(QColor(10, 40, 90), size * 0.025));
    p.setBrush(Qt::NoBrush);
    p.drawPath(rounded);
    return icon;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: app_icon <output.png>\n");
        return 2;
    }
    if (!drawIcon(128).save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::fprintf(stderr, "app_icon: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
