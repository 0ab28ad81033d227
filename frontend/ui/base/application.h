// The program's application object: picks the X11 platform the engine draws on, shows engine
// messages, and turns any exception that escapes a handler into a message box.
#pragma once

#include <QApplication>

namespace zb::ui {

class ZbApplication : public QApplication {
    Q_OBJECT

  public:
    // Call before constructing: the engine needs real X11 windows.
    static void choosePlatform();

    ZbApplication(int& argc, char** argv);
    ~ZbApplication() override;

    bool notify(QObject* receiver, QEvent* event) override;

    // The program's directory with a trailing separator.
    static std::string programDir();
    // True when window ids are real X11 windows the engine can draw into.
    static bool engineCanDraw();
};

} // namespace zb::ui
