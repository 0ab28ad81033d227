// Draws the icons of the desktop integration into an icon theme folder (hicolor layout): the
// program's, rings spreading on water as seen from above, in every size a desktop asks for and
// as a scalable SVG of the same shapes, and the tank files', the same water on a sheet of
// paper, under the name the file type's icon is looked up by.
// Usage: app_icon <icon-theme-folder>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QXmlStreamWriter>

#include <algorithm>
#include <cstdio>
#include <utility>

namespace {

constexpr int kProgramSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};
constexpr int kDocumentSizes[] = {16, 32, 48, 64, 128, 256};

const QColor kWaterCentre(120, 190, 240);
const QColor kWaterEdge(20, 80, 160);
const QColor kExciter(40, 200, 90);
const QColor kTankEdge(10, 40, 90);

// Small icons get fewer, bolder crests so that they stay rings rather than a grey blur.
int ringCount(double tankWidth) {
    return tankWidth < 24 ? 2 : tankWidth < 40 ? 4 : 6;
}

// Crests fade as they spread from the exciter in the middle.
int crestAlpha(int ring, int rings) {
    return 230 - ring * 180 / rings;
}

// The program's icon fills this part of its square.
QRectF programTank(double size) {
    return {size * 0.06, size * 0.06, size * 0.88, size * 0.88};
}

// The water of both icons inside `tank`.
void paintWater(QPainter& p, const QRectF& tank, double corner, int size) {
    QPainterPath rounded;
    rounded.addRoundedRect(tank, corner, corner);
    QRadialGradient water(tank.center(), tank.width() * 0.7);
    water.setColorAt(0.0, kWaterCentre);
    water.setColorAt(1.0, kWaterEdge);
    p.save();
    p.fillPath(rounded, water);
    p.setClipPath(rounded);
    p.setBrush(Qt::NoBrush);
    const int rings = ringCount(tank.width());
    const double spacing = tank.width() * 0.51 / rings;
    for (int ring = 1; ring <= rings; ++ring) {
        const double r = spacing * ring;
        QColor crest(255, 255, 255, crestAlpha(ring, rings));
        p.setPen(QPen(crest, std::max(1.0, tank.width() * 0.035)));
        p.drawEllipse(tank.center(), r, r);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(kExciter);
    const double exciter = std::max(1.0, tank.width() * 0.068);
    p.drawEllipse(tank.center(), exciter, exciter);
    p.restore();
    p.setPen(QPen(kTankEdge, std::max(1.0, size * 0.025)));
    p.setBrush(Qt::NoBrush);
    p.drawPath(rounded);
}

QImage blank(int size) {
    QImage icon(size, size, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    return icon;
}

QImage programIcon(int size) {
    QImage icon = blank(size);
    QPainter p(&icon);
    p.setRenderHint(QPainter::Antialiasing);
    paintWater(p, programTank(size), size * 0.16, size);
    return icon;
}

// The program's icon as SVG: the shapes paintWater draws at the largest size, which a scalable
// icon is shown at rather than at 16 pixels.
QByteArray programSvg() {
    constexpr double size = 256;
    const QRectF tank = programTank(size);
    const QPointF c = tank.center();
    const auto num = [](double v) { return QString::number(v, 'g', 6); };
    QByteArray svg;
    QXmlStreamWriter w(&svg);
    w.setAutoFormatting(true);
    w.writeStartDocument();
    w.writeDefaultNamespace(QStringLiteral("http://www.w3.org/2000/svg"));
    w.writeStartElement(QStringLiteral("svg"));
    w.writeAttribute(QStringLiteral("width"), num(size));
    w.writeAttribute(QStringLiteral("height"), num(size));
    w.writeAttribute(QStringLiteral("viewBox"), QStringLiteral("0 0 %1 %1").arg(size));
    const auto tankRect = [&] {
        w.writeStartElement(QStringLiteral("rect"));
        w.writeAttribute(QStringLiteral("x"), num(tank.x()));
        w.writeAttribute(QStringLiteral("y"), num(tank.y()));
        w.writeAttribute(QStringLiteral("width"), num(tank.width()));
        w.writeAttribute(QStringLiteral("height"), num(tank.height()));
        w.writeAttribute(QStringLiteral("rx"), num(size * 0.16));
    };
    const auto circle = [&](double r) {
        w.writeStartElement(QStringLiteral("circle"));
        w.writeAttribute(QStringLiteral("cx"), num(c.x()));
        w.writeAttribute(QStringLiteral("cy"), num(c.y()));
        w.writeAttribute(QStringLiteral("r"), num(r));
    };

    w.writeStartElement(QStringLiteral("defs"));
    w.writeStartElement(QStringLiteral("radialGradient"));
    w.writeAttribute(QStringLiteral("id"), QStringLiteral("water"));
    w.writeAttribute(QStringLiteral("gradientUnits"), QStringLiteral("userSpaceOnUse"));
    w.writeAttribute(QStringLiteral("cx"), num(c.x()));
    w.writeAttribute(QStringLiteral("cy"), num(c.y()));
    w.writeAttribute(QStringLiteral("r"), num(tank.width() * 0.7));
    for (const auto& [offset, colour] : {std::pair{0, kWaterCentre}, {1, kWaterEdge}}) {
        w.writeEmptyElement(QStringLiteral("stop"));
        w.writeAttribute(QStringLiteral("offset"), num(offset));
        w.writeAttribute(QStringLiteral("stop-color"), colour.name());
    }
    w.writeEndElement(); // radialGradient
    w.writeStartElement(QStringLiteral("clipPath"));
    w.writeAttribute(QStringLiteral("id"), QStringLiteral("tank"));
    tankRect();
    w.writeEndElement();
    w.writeEndElement(); // clipPath
    w.writeEndElement(); // defs

    tankRect();
    w.writeAttribute(QStringLiteral("fill"), QStringLiteral("url(#water)"));
    w.writeEndElement();
    w.writeStartElement(QStringLiteral("g"));
    w.writeAttribute(QStringLiteral("clip-path"), QStringLiteral("url(#tank)"));
    w.writeAttribute(QStringLiteral("fill"), QStringLiteral("none"));
    w.writeAttribute(QStringLiteral("stroke"), QStringLiteral("#ffffff"));
    w.writeAttribute(QStringLiteral("stroke-width"), num(tank.width() * 0.035));
    const int rings = ringCount(tank.width());
    const double spacing = tank.width() * 0.51 / rings;
    for (int ring = 1; ring <= rings; ++ring) {
        circle(spacing * ring);
        w.writeAttribute(QStringLiteral("stroke-opacity"), num(crestAlpha(ring, rings) / 255.0));
        w.writeEndElement();
    }
    w.writeEndElement(); // g
    circle(tank.width() * 0.068);
    w.writeAttribute(QStringLiteral("fill"), kExciter.name());
    w.writeEndElement();
    tankRect();
    w.writeAttribute(QStringLiteral("fill"), QStringLiteral("none"));
    w.writeAttribute(QStringLiteral("stroke"), kTankEdge.name());
    w.writeAttribute(QStringLiteral("stroke-width"), num(size * 0.025));
    w.writeEndElement();
    w.writeEndDocument();
    return svg;
}

// A portrait sheet with its top right corner folded over, the water filling its lower part.
QImage documentIcon(int size) {
    QImage icon = blank(size);
    QPainter p(&icon);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size;
    const QRectF sheet(s * 0.14, s * 0.04, s * 0.72, s * 0.92);
    const double fold = s * 0.22;
    QPainterPath outline;
    outline.moveTo(sheet.topLeft());
    outline.lineTo(sheet.right() - fold, sheet.top());
    outline.lineTo(sheet.right(), sheet.top() + fold);
    outline.lineTo(sheet.bottomRight());
    outline.lineTo(sheet.bottomLeft());
    outline.closeSubpath();
    const double line = std::max(1.0, s * 0.02);
    p.setPen(QPen(QColor(90, 100, 115), line));
    p.setBrush(QColor(250, 250, 247));
    p.drawPath(outline);
    QPainterPath corner;
    corner.moveTo(sheet.right() - fold, sheet.top());
    corner.lineTo(sheet.right() - fold, sheet.top() + fold);
    corner.lineTo(sheet.right(), sheet.top() + fold);
    corner.closeSubpath();
    p.setBrush(QColor(215, 220, 228));
    p.drawPath(corner);
    const double margin = s * 0.08;
    const double side = sheet.width() - 2 * margin;
    const QRectF tank(sheet.left() + margin, sheet.bottom() - margin - side, side, side);
    paintWater(p, tank, side * 0.12, size);
    return icon;
}

bool save(const QImage& image, const QString& folder, const QString& file) {
    if (!QDir().mkpath(folder) || !image.save(folder + '/' + file, "PNG")) {
        std::fprintf(stderr, "app_icon: cannot write %s/%s\n", qPrintable(folder),
                     qPrintable(file));
        return false;
    }
    return true;
}

bool saveText(const QByteArray& text, const QString& folder, const QString& file) {
    QFile out(folder + '/' + file);
    if (!QDir().mkpath(folder) || !out.open(QIODevice::WriteOnly) ||
        out.write(text) != text.size() || !out.flush()) {
        std::fprintf(stderr, "app_icon: cannot write %s/%s\n", qPrintable(folder),
                     qPrintable(file));
        return false;
    }
    return true;
}

QString sizeFolder(const QString& theme, int size, const char* context) {
    return QStringLiteral("%1/hicolor/%2x%2/%3").arg(theme).arg(size).arg(context);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: app_icon <icon-theme-folder>\n");
        return 2;
    }
    const QString theme = QString::fromLocal8Bit(argv[1]);
    bool ok = true;
    for (int size : kProgramSizes)
        ok = save(programIcon(size), sizeFolder(theme, size, "apps"), "zitterbecken.png") && ok;
    ok = saveText(programSvg(), theme + QStringLiteral("/hicolor/scalable/apps"),
                  QStringLiteral("zitterbecken.svg")) &&
         ok;
    // The icon name follows from the file type's name (application/x-zitterbecken).
    for (int size : kDocumentSizes)
        ok = save(documentIcon(size), sizeFolder(theme, size, "mimetypes"),
                  "application-x-zitterbecken.png") &&
             ok;
    return ok ? 0 : 1;
}
