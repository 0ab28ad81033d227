// The program's windows, created once in a fixed order and connected; they live until the
// program ends and are only shown and hidden. The start screen is the principal window.
#pragma once

#include "gallery/gallery_window.h"
#include "help/about_box.h"
#include "help/funktionsweise_window.h"
#include "help/text_window.h"
#include "main_window/main_window.h"
#include "start/start_screen.h"

namespace zb::ui {

struct ProgramWindows {
    explicit ProgramWindows(EngineCalls& engine = theEngine(), QRect desktop = {});

    TfrmStart frmStart;
    TAboutBox AboutBox;
    TfrmMain frmMain;
    TfrmText frmText;
    TfrmFunktionsweise frmFunktionsweise;
    GalleryWindow frmVersuche;

    // What the start screen's entries do.
    void startEntry(int index);
    // The gallery's choice: free mode on it, in place of the start screen.
    void openExperiment(const QString& tankPath, const QString& title);
    // The program started with a tank file: free mode on it, or, when it cannot be opened, the
    // reason and the start screen.
    void openOnStart(const QString& path);
    // The help windows that are open, in front of the start screen and the main window.
    void raiseOpenHelp();
};

} // namespace zb::ui
