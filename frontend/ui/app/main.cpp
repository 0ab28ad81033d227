// Zitterbecken: a ripple tank for the physics classroom.
#include "app/application.h"
#include "main_window/main_window.h"

int main(int argc, char** argv) {
    zb::ui::ZbApplication::choosePlatform();
    zb::ui::ZbApplication app(argc, argv);
    zb::ui::TfrmMain frmMain;
    frmMain.enterFreeMode();
    frmMain.show();
    return app.exec();
}
