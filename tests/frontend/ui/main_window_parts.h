// The main window's parts, found by their object names as a user's tools would find them.
#pragma once

#include "editor/object_editor.h"
#include "main_window/file_commands.h"
#include "main_window/main_window.h"
#include "run/run_controller.h"
#include "simulation/simulation_group.h"
#include "tutorial/tutorial_panel.h"
#include "view/view_frame.h"
#include "widgets/capped_track_bar.h"

#include <QAction>
#include <QMenuBar>
#include <QPushButton>
#include <QSlider>
#include <QTimer>

#include <stdexcept>
#include <string>

namespace zb::ui::test {

// The one child of this type and name; a missing part fails the test that asked for it.
template <class W>
W& part(const QObject& root, const char* name) {
    W* found = root.findChild<W*>(QString::fromLatin1(name));
    if (!found) {
        throw std::logic_error(std::string("the window has no part named ") + name);
    }
    return *found;
}

inline ObjectEditor& editorOf(const TfrmMain& w) {
    return part<ObjectEditor>(w, "editor");
}
inline TFrame2& frameOf(const TfrmMain& w) {
    return part<TFrame2>(w, "GLFrame");
}
inline SimulationGroup& simulationOf(const TfrmMain& w) {
    return part<SimulationGroup>(w, "gbSimulation");
}
inline TutorialPanel& tutorialOf(const TfrmMain& w) {
    return part<TutorialPanel>(w, "panTutorial");
}
inline QWidget& editPanelOf(const TfrmMain& w) {
    return part<QWidget>(w, "panEdit");
}
inline QSlider& zoomOf(const TfrmMain& w) {
    return part<QSlider>(w, "tbZoom");
}
inline QTimer& timerOf(const TfrmMain& w, const char* name) {
    return part<QTimer>(w, name);
}
inline QAction& actionOf(const TfrmMain& w, const char* name) {
    return part<QAction>(w, name);
}
inline QMenuBar& menuBarOf(const TfrmMain& w, const char* name) {
    return part<QMenuBar>(w, name);
}

} // namespace zb::ui::test
