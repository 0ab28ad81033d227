// New, Save and Open, the question before a tank is discarded, and the list of recent files.
// The tank's file names the window's title.
#pragma once

#include "model/tank.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <string>

class QMenu;

namespace zb::ui {

class ObjectEditor;
class TankDocument;
struct RunState;

class FileCommands : public QObject {
    Q_OBJECT

  public:
    FileCommands(TankDocument& document, ObjectEditor& editor, const RunState& run,
                 QObject* parent = nullptr);

    void NewCommand();
    enum class SaveOutcome { Saved, Cancelled, Failed };
    SaveOutcome SaveCommand();
    void OpenCommand();
    // The halves after the dialogs.
    bool saveTankAs(const QString& fileName);
    bool openTankFile(const QString& fileName);
    // An experiment of the gallery: read like a file, but the tank stays untitled, so that
    // saving asks for a name, and neither the recent files nor the dialogs' folder learn of it.
    // Nothing is saved into the gallery's folder.
    bool openExperiment(const QString& fileName, const QString& title);
    // The experiment's title while its tank is untitled; empty otherwise.
    const QString& experimentTitle() const { return experimentTitle_; }
    // A folder a tank is never saved into.
    void protectFolder(const QString& folder);
    // The display a saved tank carries (empty: none); the tank in the document keeps its own,
    // so that display choices never count as changes of the tank.
    void setDisplayToSave(std::function<std::optional<TAnzeige>()> display) {
        displayToSave_ = std::move(display);
    }
    // Asks "Speichern?" (always, or only when the tank has unsaved changes); false when the
    // user cancels or the save he asked for did not happen.
    bool mayDiscardTank(bool askEvenUnchanged);
    // Fills "Zuletzt geöffnet" as it opens.
    void fillRecentMenu(QMenu* recentMenu);

    // The file the tank was read from or last saved to; empty for a new tank and in the guided
    // sequences.
    const QString& tankFile() const { return tankFile_; }
    void setTankFile(const QString& fileName);
    // The file last opened or saved, where the next dialogs start.
    const QString& lastFileName() const { return lastFileName_; }

    // "Speichern fehlgeschlagen", naming what (e.g. "Das Bild"), the file and the reason.
    static void reportSaveFailure(const QString& what, const QString& fileName,
                                  const std::string& reason);

  signals:
    void tankFileChanged();
    // "Neu" after the question: a new tank of the designed size.
    void newTankRequested();

  private:
    // Where "Speichern unter" starts: the last file, or an opened experiment's title.
    QString saveSuggestion() const;
    // An opened or saved tank goes to the front of "Zuletzt geöffnet".
    void rememberFile(const QString& fileName);
    // Reads the file into the document; on failure says why and leaves the tank alone.
    bool readTank(const QString& fileName);
    bool isProtected(const QString& fileName) const;

    TankDocument& document_;
    ObjectEditor& editor_;
    const RunState& run_;
    QString lastFileName_;
    QString tankFile_;
    QString experimentTitle_;
    QStringList protectedFolders_;
    std::function<std::optional<TAnzeige>()> displayToSave_;
};

} // namespace zb::ui
