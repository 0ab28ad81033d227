// New, Save and Open of the main window.
#include "app/user_dialogs.h"
#include "editor/object_editor.h"
#include "editor/tank_box.h"
#include "main_window/main_window.h"

#include <QFile>
#include <QFileInfo>

namespace zb::ui {

void TfrmMain::NewCommand() {
    if (userDialogs().askYesNo(
            QStringLiteral("Speichern?"),
            QStringLiteral("Möchten Sie die gerade geöffnete Zitterbecken speichern?"))) {
        // A save that went wrong keeps the tank; a cancelled one still leads to the new tank.
        if (SaveCommand() == SaveOutcome::Failed) {
            return;
        }
    }
    NewTank(100, 50);
}

TfrmMain::SaveOutcome TfrmMain::SaveCommand() {
    const QString name = userDialogs().saveTankFileName(lastFileName_);
    if (name.isEmpty()) {
        return SaveOutcome::Cancelled;
    }
    return saveTankAs(name) ? SaveOutcome::Saved : SaveOutcome::Failed;
}

bool TfrmMain::saveTankAs(const QString& fileName) {
    if (!tank) {
        return false;
    }
    const TankSaveResult result = tank->SaveToFile(QFile::encodeName(fileName).toStdString());
    if (!result.ok) {
        userDialogs().error(
            QStringLiteral("Speichern fehlgeschlagen"),
            QStringLiteral("Die Zitterbecken konnte nicht als %1 gespeichert werden:\n%2\n\n"
                           "Eine schon vorhandene Datei dieses Namens ist unverändert.")
                .arg(QFileInfo(fileName).absoluteFilePath(),
                     QString::fromLocal8Bit(result.reason.c_str())));
        return false;
    }
    lastFileName_ = fileName;
    return true;
}

void TfrmMain::OpenCommand() {
    const QString name = userDialogs().openTankFileName();
    if (!name.isEmpty()) {
        openTankFile(name);
    }
}

bool TfrmMain::openTankFile(const QString& fileName) {
    if (!tank) {
        return false;
    }
    const QString shown = QFileInfo(fileName).absoluteFilePath();
    QString problem;
    switch (tank->read(QFile::encodeName(fileName).toStdString())) {
    case TankReadResult::Ok:
        break;
    case TankReadResult::Missing:
        problem = QStringLiteral("Die Datei %1 gibt es nicht.").arg(shown);
        break;
    case TankReadResult::CannotOpen:
        problem = QStringLiteral("Datei %1 kann nicht geöffnet werden").arg(shown);
        break;
    case TankReadResult::WrongVersion:
        problem = QStringLiteral("Die Datei %1 ist keine Zitterbecken-Datei, die dieses Programm "
                                 "lesen kann.")
                      .arg(shown);
        break;
    case TankReadResult::Truncated:
        problem = QStringLiteral("Die Datei %1 ist unvollständig oder beschädigt.").arg(shown);
        break;
    }
    if (!problem.isEmpty()) {
        userDialogs().error(QStringLiteral("Öffnen fehlgeschlagen"),
                            problem + QStringLiteral("\n\nDie geöffnete Zitterbecken bleibt, "
                                                     "wie sie ist."));
        return false;
    }
    lastFileName_ = fileName;
    editor->FillTree(-1);
    editor->gbWannenWerte->showLoadedTank();
    editor->FillTree(0);
    RefreshEngine();
    return true;
}

} // namespace zb::ui
