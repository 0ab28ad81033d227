// The "Bearbeiten" menu of the free mode: undo and redo of every change of the tank.
#include "main_window/main_window.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace zb::ui {

void TfrmMain::buildEditMenu() {
    QMenu* bearbeiten = MainMenu->addMenu(QStringLiteral("&Bearbeiten"));
    bearbeiten->setObjectName(QStringLiteral("menuBearbeiten"));
    actRueckgaengig =
        bearbeiten->addAction(QStringLiteral("Rückgängig"), &document_, &TankDocument::undo);
    actRueckgaengig->setObjectName(QStringLiteral("actRueckgaengig"));
    actRueckgaengig->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    actWiederholen =
        bearbeiten->addAction(QStringLiteral("Wiederholen"), &document_, &TankDocument::redo);
    actWiederholen->setObjectName(QStringLiteral("actWiederholen"));
    actWiederholen->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    connect(&document_, &TankDocument::historyChanged, this, &TfrmMain::updateEditMenu);
    updateEditMenu();
}

void TfrmMain::updateEditMenu() {
    // A run shows the tank as it was sent; changing it then would discard the run's waves.
    const bool editing = !run_.running;
    actRueckgaengig->setEnabled(editing && document_.canUndo());
    actRueckgaengig->setText(document_.canUndo()
                                 ? QStringLiteral("Rückgängig: %1").arg(document_.undoText())
                                 : QStringLiteral("Rückgängig"));
    actWiederholen->setEnabled(editing && document_.canRedo());
    actWiederholen->setText(document_.canRedo()
                                ? QStringLiteral("Wiederholen: %1").arg(document_.redoText())
                                : QStringLiteral("Wiederholen"));
}

} // namespace zb::ui
