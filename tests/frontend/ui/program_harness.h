// All windows of the program, as a user starts it, on scripted dialogs and a recording engine.
#pragma once

#include "app/program_windows.h"
#include "main_window_parts.h"
#include "ui_harness.h"

#include <QComboBox>
#include <QPushButton>
#include <QSettings>
#include <QTreeWidget>

#include <memory>

namespace zb::ui::test {

struct ProgramHarness {
    ScriptedDialogs dialogs;
    RecordingEngine engine;
    std::unique_ptr<ProgramWindows> w;

    // fresh: as on a new machine; otherwise as the program starts again after an earlier run.
    explicit ProgramHarness(QRect desktop = {}, bool fresh = true) {
        if (fresh) {
            QSettings().clear();
        }
        setUserDialogs(&dialogs);
        w = std::make_unique<ProgramWindows>(engine, desktop);
    }
    ~ProgramHarness() {
        w.reset();
        setUserDialogs(nullptr);
    }
    // Free mode on a new tank, as the start screen's entry leads there.
    void enterFreeMode() { w->startEntry(2); }
    void insert(const QString& kind) {
        editorOf(w->frmMain).cbNeuesObjekt->setCurrentText(kind);
        editorOf(w->frmMain).btnNeuesObjekt->click();
    }
};

} // namespace zb::ui::test
