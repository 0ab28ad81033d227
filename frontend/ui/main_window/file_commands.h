// New, Save and Open, the question before a tank is discarded, and the list of recent files.
// The tank's file names the window's title.
#pragma once

#include <QObject>
#include <QString>

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
    // An opened or saved tank goes to the front of "Zuletzt geöffnet".
    void rememberFile(const QString& fileName);

    TankDocument& document_;
    ObjectEditor& editor_;
    const RunState& run_;
    QString lastFileName_;
    QString tankFile_;
};

} // namespace zb::ui
