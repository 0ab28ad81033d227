// Zitterbecken: a ripple tank for the physics classroom.
#include "app/application.h"
#include "app/program_windows.h"

int main(int argc, char** argv) {
    zb::ui::ZbApplication::choosePlatform();
    zb::ui::ZbApplication app(argc, argv);
    zb::ui::ProgramWindows windows;
    windows.frmStart.show();
    return app.exec();
}
