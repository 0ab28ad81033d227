// Draws the backgrounds of the screen panel into the given folder as SchirmBgHor.bmp and
// SchirmBgVert.bmp. Runs at build time, so it needs no display.
#include "bmp_file.h"
#include "panel_background.h"

#include <QDir>
#include <QFontInfo>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "cannot create folder %s\n", qPrintable(folder.path()));
        return 1;
    }

    const QFontInfo font(QFont(QStringLiteral("DejaVu Sans")));
    if (font.family() != QLatin1String("DejaVu Sans"))
        std::fprintf(stderr, "warning: DejaVu Sans not found, captions use %s\n",
                     qPrintable(font.family()));

    const struct {
        const char* fileName;
        zb::PanelStyle style;
    } panels[] = {
        {"SchirmBgHor.bmp", zb::horizontalScreensStyle()},
        {"SchirmBgVert.bmp", zb::verticalScreensStyle()},
    };
    for (const auto& panel : panels) {
        const QString path = folder.filePath(QLatin1String(panel.fileName));
        QString error;
        if (!zb::writeBmp24(path, zb::drawPanelBackground(panel.style), error)) {
            std::fprintf(stderr, "cannot write %s: %s\n", qPrintable(path), qPrintable(error));
            return 1;
        }
    }
    return 0;
}
