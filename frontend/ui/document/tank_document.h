// The one current tank of the program, and the only way to change it. Whoever shows the tank
// listens: `replaced` at once when another tank takes its place, `reverted` when undo or redo
// put an earlier state back, `changed` once per turn of the event loop however many edits that
// turn made, so the engine receives each change once; `modifiedChanged` at once when the tank
// starts or stops differing from its saved state. The history is the document's undo stack,
// whose clean state is the saved state.
#pragma once

#include "model/tank.h"

#include <QObject>
#include <QString>
#include <QUndoStack>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace zb::ui {

class TankStep;

class TankDocument : public QObject {
    Q_OBJECT

  public:
    explicit TankDocument(QObject* parent = nullptr);
    ~TankDocument() override;

    bool hasTank() const { return tank_ != nullptr; }
    // Only while hasTank().
    const TZBecken& tank() const { return *tank_; }

    // A new tank takes the place of the current one; it counts as unchanged and starts a fresh
    // history.
    void replace(std::unique_ptr<TZBecken> tank);
    // Reads a tank file into a new tank that replaces the current one; on any failure the
    // current tank stays as it was.
    TankReadResult load(const std::string& path, TankReadDetail* detail = nullptr);
    // Writes the tank; afterwards it counts as unchanged.
    TankSaveResult save(const std::string& path);

    // The door every change passes through. `what` names the change for "Rückgängig: ...";
    // changes that leave the tank as it was are not changes at all.
    void edit(const QString& what, const std::function<void(TZBecken&)>& change);
    // Changes the object with this serial; false (and nothing happens) when it is not in the
    // current tank, for instance because the tank was replaced meanwhile.
    bool editObject(uint64_t serial, const QString& what,
                    const std::function<void(TObjekt&)>& change);
    // Appends an object; returns its serial.
    uint64_t insert(std::unique_ptr<TObjekt> object, const QString& what);
    // Removes the object with this serial, if it is in the tank.
    void remove(uint64_t serial, const QString& what);

    const TObjekt* find(uint64_t serial) const;
    // The object's index in the list, -1 when it is not there.
    int indexOf(uint64_t serial) const;

    // Whether the tank differs from how it was last created, read or saved.
    bool isModified() const;
    void markSaved();

    // Undo and redo, step by step. Edits of one gesture (a slider dragged, a number typed, an
    // object moved) make one step: successive edits of the same kind to the same object merge
    // until endGesture().
    QUndoStack& undoStack() { return history_; }
    bool canUndo() const { return history_.canUndo(); }
    bool canRedo() const { return history_.canRedo(); }
    QString undoText() const { return history_.undoText(); } // empty when nothing
    void undo() { history_.undo(); }
    void redo() { history_.redo(); }
    void endGesture() { merging_ = false; }
    void clearHistory();

    // While one lives, edits change the tank without becoming steps of their own: the editor
    // showing an object writes back the values its controls can represent.
    class Quiet {
      public:
        explicit Quiet(TankDocument& document) : document_(document) { ++document_.quiet_; }
        ~Quiet() { --document_.quiet_; }
        Quiet(const Quiet&) = delete;
        Quiet& operator=(const Quiet&) = delete;

      private:
        TankDocument& document_;
    };

    // Delivers a pending `changed` at once instead of at the end of the turn.
    void flush();

  signals:
    void replaced();
    void reverted();
    void changed();
    void modifiedChanged(bool modified);

  private:
    friend class TankStep;

    bool apply(const QString& what, uint64_t target, const std::function<void(TZBecken&)>& change);
    void exchange(std::unique_ptr<TZBecken>& state);
    void historyMoved();
    void settleClean();
    void noteChange();
    void noteModified();

    std::unique_ptr<TZBecken> tank_;
    std::vector<uint8_t> saved_; // the tank's bytes when it was last created, read or saved
    QUndoStack history_;
    bool merging_ = false;
    bool restored_ = false; // a step put its state back; the stack has yet to move its index
    int quiet_ = 0;
    bool changePending_ = false;
    bool modified_ = false; // as last announced
};

} // namespace zb::ui
