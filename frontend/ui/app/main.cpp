// Zitterbecken: a ripple tank for the physics classroom.
#include "app/program_windows.h"
#include "base/application.h"

#include "zb_version.h"

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    // Answered before Qt starts, so that it works without a display.
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("Zitterbecken %s\n", ZB_VERSION);
        return 0;
    }
    zb::ui::ZbApplication::choosePlatform();
    zb::ui::ZbApplication app(argc, argv);
    zb::ui::ProgramWindows windows;
    // A tank file named on the command line (a double click in the file manager) opens at once.
    const QStringList files = QCoreApplication::arguments().mid(1);
    if (!files.isEmpty()) {
        windows.openOnStart(files.constFirst());
    } else {
        windows.frmStart.show();
    }
    return app.exec();
}
