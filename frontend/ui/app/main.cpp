// Zitterbecken: a ripple tank for the physics classroom.
#include "app/application.h"
#include "app/program_windows.h"

int main(int argc, char** argv) {
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
