// Draws the pictures of the window "Funktionsweise der Simulation" into <folder>/RTFs and the
// logo of the info box into <folder>. Runs at build time, so it needs no display.
#include "bmp_file.h"
#include "pictures.h"

#include <QDir>
#include <QFontInfo>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <data folder>\n", argv[0]);
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const QDir data(QString::fromLocal8Bit(argv[1]));
    if (!data.mkpath(QStringLiteral("RTFs"))) {
        std::fprintf(stderr, "cannot create folder %s/RTFs\n", qPrintable(data.path()));
        return 1;
    }

    const QFontInfo font(QFont(QStringLiteral("DejaVu Sans")));
    if (font.family() != QLatin1String("DejaVu Sans"))
        std::fprintf(stderr, "warning: DejaVu Sans not found, labels use %s\n",
                     qPrintable(font.family()));

    const struct {
        const char* fileName;
        QImage (*draw)();
    } pictures[] = {
        {"RTFs/Funktionsweise_Bild1.bmp", zb::help::drawOscillatorNet},
        {"RTFs/Funktionsweise_Bild2.bmp", zb::help::drawNeighbourMean},
        {"RTFs/Funktionsweise_Bild3.bmp", zb::help::drawAbsorbingEdge},
        {"Logo.bmp", zb::help::drawLogo},
    };
    for (const auto& picture : pictures) {
        const QString path = data.filePath(QLatin1String(picture.fileName));
        QString error;
        if (!zb::writeBmp24(path, picture.draw(), error)) {
            std::fprintf(stderr, "cannot write %s: %s\n", qPrintable(path), qPrintable(error));
            return 1;
        }
    }
    return 0;
}
