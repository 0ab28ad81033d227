// Zitterbecken: a ripple tank for the physics classroom.
#include "app/program_windows.h"
#include "base/application.h"

#include "zb_version.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr const char* kUsage = "Aufruf: zitterbecken [BECKEN.zb]\n"
                               "       zitterbecken --help | --version\n";

constexpr const char* kHelp =
    "Zitterbecken zeigt Wellen in einem Becken: Radial- und ebene Wellen, Beugung,\n"
    "Interferenz, Brechung und stehende Wellen, von oben und als räumliches Bild.\n"
    "Eine angegebene Beckendatei wird gleich geöffnet, sonst erscheint das Startbild.\n"
    "\n"
    "Optionen:\n"
    "  -h, --help     zeigt diese Hilfe und endet\n"
    "      --version  zeigt die Version und endet\n"
    "  --             was folgt, ist ein Dateiname, auch wenn er mit - beginnt\n"
    "\n"
    "Becken ohne Bildschirm beschreibt und berechnet zbtool; mehr in zitterbecken(1).\n";

bool is(const char* arg, const char* option) {
    return std::strcmp(arg, option) == 0;
}

} // namespace

int main(int argc, char** argv) {
    // Answered before Qt starts, so that they work without a display. A file named like an
    // option opens after "--".
    for (int i = 1; i < argc && !is(argv[i], "--"); ++i) {
        if (is(argv[i], "--help") || is(argv[i], "-h")) {
            std::printf("%s\n%s", kUsage, kHelp);
            return 0;
        }
        if (is(argv[i], "--version")) {
            std::printf("Zitterbecken %s\n", ZB_VERSION);
            return 0;
        }
    }
    zb::ui::ZbApplication::choosePlatform();
    zb::ui::ZbApplication app(argc, argv);
    // Qt has taken its own options (-platform, -style, ...); what is left is a tank file, or an
    // option nobody knows, which is no file to look for.
    QStringList files = QCoreApplication::arguments().mid(1);
    if (!files.isEmpty() && files.constFirst() == QLatin1String("--")) {
        files.removeFirst();
    } else if (!files.isEmpty() && files.constFirst().startsWith(QLatin1Char('-'))) {
        std::fprintf(stderr, "zitterbecken: unbekannte Option %s\n\n%s",
                     qPrintable(files.constFirst()), kUsage);
        return 2;
    }
    zb::ui::ProgramWindows windows;
    // A tank file named on the command line (a double click in the file manager) opens at once.
    if (!files.isEmpty()) {
        windows.openOnStart(files.constFirst());
    } else {
        windows.frmStart.show();
    }
    return app.exec();
}
