#include "main_window/file_commands.h"

#include "base/recent_files.h"
#include "base/run_state.h"
#include "base/user_dialogs.h"
#include "document/tank_document.h"
#include "editor/object_editor.h"
#include "editor/tank_box.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>

namespace zb::ui {

FileCommands::FileCommands(TankDocument& document, ObjectEditor& editor, const RunState& run,
                           QObject* parent)
    : QObject(parent), document_(document), editor_(editor), run_(run) {}

void FileCommands::NewCommand() {
    // Asked even without changes; a save that was asked for and did not happen keeps the tank.
    if (mayDiscardTank(true)) {
        emit newTankRequested();
    }
}

bool FileCommands::mayDiscardTank(bool askEvenUnchanged) {
    // A size typed but not yet confirmed is part of the tank the user means.
    if (run_.tutorialSequence == 0) {
        editor_.gbWannenWerte->commitTypedSize();
    }
    if (!document_.hasTank() || (!askEvenUnchanged && !document_.isModified())) {
        return true;
    }
    switch (userDialogs().askYesNoCancel(
        QStringLiteral("Speichern?"),
        QStringLiteral("Möchten Sie die gerade geöffnete Zitterbecken speichern?"))) {
    case UserDialogs::Answer::Yes:
        return SaveCommand() == SaveOutcome::Saved;
    case UserDialogs::Answer::No:
        return true;
    case UserDialogs::Answer::Cancel:
        break;
    }
    return false;
}

void FileCommands::setTankFile(const QString& fileName) {
    tankFile_ = fileName;
    experimentTitle_.clear();
    emit tankFileChanged();
}

FileCommands::SaveOutcome FileCommands::SaveCommand() {
    const QString name = userDialogs().saveTankFileName(saveSuggestion());
    if (name.isEmpty()) {
        return SaveOutcome::Cancelled;
    }
    return saveTankAs(name) ? SaveOutcome::Saved : SaveOutcome::Failed;
}

QString FileCommands::saveSuggestion() const {
    // An opened experiment is named after its title: the last file's name offered instead
    // would let a quick Enter replace that other tank.
    if (tankFile_.isEmpty() && !experimentTitle_.isEmpty()) {
        QString name = experimentTitle_;
        for (QChar& c : name) {
            if (c == u'/' || c == u'\\' || c == u':' || c.category() == QChar::Other_Control) {
                c = u'-';
            }
        }
        return QDir(lastFolder()).filePath(name + QStringLiteral(".zb"));
    }
    return lastFileName_.isEmpty() ? lastFolder() : lastFileName_;
}

void FileCommands::reportSaveFailure(const QString& what, const QString& fileName,
                                     const std::string& reason) {
    // The reasons are German texts of our own, in UTF-8.
    userDialogs().error(
        QStringLiteral("Speichern fehlgeschlagen"),
        QStringLiteral("%1 konnte nicht als %2 gespeichert werden:\n%3\n\n"
                       "Eine schon vorhandene Datei dieses Namens ist unverändert.")
            .arg(what, QFileInfo(fileName).absoluteFilePath(), QString::fromStdString(reason)));
}

void FileCommands::protectFolder(const QString& folder) {
    const QString path = QFileInfo(folder).absoluteFilePath();
    if (!protectedFolders_.contains(path)) {
        protectedFolders_ << path;
    }
}

bool FileCommands::isProtected(const QString& fileName) const {
    const QFileInfo target(QFileInfo(fileName).absolutePath());
    for (const QString& folder : protectedFolders_) {
        const QFileInfo info(folder);
        if (target.absoluteFilePath() == info.absoluteFilePath() ||
            (info.exists() && target.canonicalFilePath() == info.canonicalFilePath())) {
            return true;
        }
    }
    return false;
}

bool FileCommands::saveTankAs(const QString& fileName) {
    if (!document_.hasTank()) {
        return false;
    }
    if (isProtected(fileName)) {
        reportSaveFailure(QStringLiteral("Das Zitterbecken"), fileName,
                          "Dieser Ordner hält die Sammlung der Versuche, die unverändert bleibt. "
                          "Bitte einen anderen Ordner wählen.");
        return false;
    }
    // The display goes into a copy: in the document it would count as a change of the tank.
    TZBecken written(document_.tank());
    if (displayToSave_ && run_.tutorialSequence == 0) {
        written.Anzeige = displayToSave_();
    }
    const TankSaveResult result = written.SaveToFile(QFile::encodeName(fileName).toStdString());
    if (!result.ok) {
        reportSaveFailure(QStringLiteral("Das Zitterbecken"), fileName, result.reason);
        return false;
    }
    document_.markSaved();
    lastFileName_ = fileName;
    setTankFile(fileName);
    rememberFile(fileName);
    return true;
}

void FileCommands::OpenCommand() {
    if (!mayDiscardTank(false)) {
        return;
    }
    const QString name = userDialogs().openTankFileName(lastFolder());
    if (!name.isEmpty()) {
        openTankFile(name);
    }
}

bool FileCommands::openTankFile(const QString& fileName) {
    if (!readTank(fileName)) {
        return false;
    }
    lastFileName_ = fileName;
    setTankFile(fileName);
    rememberFile(fileName);
    return true;
}

bool FileCommands::openExperiment(const QString& fileName, const QString& title) {
    protectFolder(QFileInfo(fileName).absolutePath());
    if (!readTank(fileName)) {
        return false;
    }
    setTankFile({});
    experimentTitle_ = title;
    emit tankFileChanged();
    return true;
}

bool FileCommands::readTank(const QString& fileName) {
    if (!document_.hasTank()) {
        return false;
    }
    const QString shown = QFileInfo(fileName).absoluteFilePath();
    QString problem;
    TankReadDetail detail;
    switch (document_.load(QFile::encodeName(fileName).toStdString(), &detail)) {
    case TankReadResult::Ok:
        break;
    case TankReadResult::Missing:
        problem = QStringLiteral("Die Datei %1 gibt es nicht.").arg(shown);
        break;
    case TankReadResult::CannotOpen:
        problem = QStringLiteral("Datei %1 kann nicht geöffnet werden").arg(shown);
        if (!detail.reason.empty()) {
            problem += QStringLiteral(" (%1)").arg(QString::fromStdString(detail.reason));
        }
        break;
    case TankReadResult::WrongVersion:
        problem = QStringLiteral("Die Datei %1 ist keine Zitterbecken-Datei, die dieses Programm "
                                 "lesen kann (sie beginnt mit der Versionsnummer %2, dieses "
                                 "Programm kennt 1 bis 4).")
                      .arg(shown)
                      .arg(detail.version);
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
    editor_.gbWannenWerte->showLoadedTank();
    editor_.FillTree(0); // the document's change sends the tank to the engine, once
    return true;
}

void FileCommands::rememberFile(const QString& fileName) {
    RecentFiles recent = RecentFiles::load();
    recent.add(fileName);
    recent.save();
    setLastFolder(fileName);
}

void FileCommands::fillRecentMenu(QMenu* recentMenu) {
    recentMenu->clear();
    RecentFiles recent = RecentFiles::load();
    for (const QString& path : recent.entries()) {
        const QFileInfo info(path);
        QAction* entry = recentMenu->addAction(info.fileName());
        entry->setToolTip(QDir::toNativeSeparators(path));
        entry->setStatusTip(entry->toolTip());
        if (!info.isFile()) {
            entry->setText(QStringLiteral("%1 (nicht mehr vorhanden)").arg(info.fileName()));
            entry->setEnabled(false);
            continue;
        }
        connect(entry, &QAction::triggered, this, [this, path] {
            if (mayDiscardTank(false)) {
                openTankFile(path);
            }
        });
    }
    if (recent.entries().isEmpty()) {
        recentMenu->addAction(QStringLiteral("(noch keine)"))->setEnabled(false);
        return;
    }
    recentMenu->addSeparator();
    recentMenu->addAction(QStringLiteral("Liste leeren"), this, [] { RecentFiles().save(); });
}

} // namespace zb::ui
