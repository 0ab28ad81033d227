// Draws the start screen picture, startbg.bmp, to the given path. Runs at build time, so it needs
// no display; the wave field behind the buttons is computed by the engine.
#include "bmp_file.h"
#include "start_picture.h"
#include "wave_field.h"

#include <QFontInfo>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output file>\n", argv[0]);
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const QFontInfo font(QFont(QStringLiteral("DejaVu Sans")));
    if (font.family() != QLatin1String("DejaVu Sans"))
        std::fprintf(stderr, "warning: DejaVu Sans not found, the texts use %s\n",
                     qPrintable(font.family()));

    const zb::start::WaveField field = zb::start::computeDoubleSlitField();
    if (field.width == 0) {
        std::fprintf(stderr, "the engine refused the wave tank\n");
        return 1;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    QString error;
    if (!zb::writeBmp24(path, zb::start::drawStartPicture(field), error)) {
        std::fprintf(stderr, "cannot write %s: %s\n", qPrintable(path), qPrintable(error));
        return 1;
    }
    return 0;
}
