// The "Bearbeiten" menu of the free mode: undo and redo of every change of the tank.
#include "main_window/main_window.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QUndoStack>

namespace zb::ui {

void TfrmMain::buildEditMenu() {
    QMenu* bearbeiten = MainMenu->addMenu(QStringLiteral("&Bearbeiten"));
    bearbeiten->setObjectName(QStringLiteral("menuBearbeiten"));
    QUndoStack& history = document_.undoStack();
    actRueckgaengig = history.createUndoAction(bearbeiten, QStringLiteral("Rückgängig:"));
    actRueckgaengig->setObjectName(QStringLiteral("actRueckgaengig"));
    actRueckgaengig->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    bearbeiten->addAction(actRueckgaengig);
    actWiederholen = history.createRedoAction(bearbeiten, QStringLiteral("Wiederholen:"));
    actWiederholen->setObjectName(QStringLiteral("actWiederholen"));
    actWiederholen->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    bearbeiten->addAction(actWiederholen);
    // After the stack's own connections, so that these have the last word.
    for (const auto signal : {&QUndoStack::undoTextChanged, &QUndoStack::redoTextChanged}) {
        connect(&history, signal, this, &TfrmMain::updateEditMenu);
    }
    for (const auto signal : {&QUndoStack::canUndoChanged, &QUndoStack::canRedoChanged}) {
        connect(&history, signal, this, &TfrmMain::updateEditMenu);
    }
    updateEditMenu();
}

void TfrmMain::updateEditMenu() {
    const QUndoStack& history = document_.undoStack();
    // A run shows the tank as it was sent; changing it then would discard the run's waves.
    const bool editing = !run_.running;
    actRueckgaengig->setEnabled(editing && history.canUndo());
    actWiederholen->setEnabled(editing && history.canRedo());
    // With nothing to name, the command reads without its colon.
    if (!history.canUndo()) {
        actRueckgaengig->setText(QStringLiteral("Rückgängig"));
    }
    if (!history.canRedo()) {
        actWiederholen->setText(QStringLiteral("Wiederholen"));
    }
}

} // namespace zb::ui
