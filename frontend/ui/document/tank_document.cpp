#include "document/tank_document.h"

#include "model/tank_file.h"

#include <QMetaObject>

namespace zb::ui {

namespace {

// A long afternoon of editing; each step holds a copy of a small tank description.
constexpr int kMaxSteps = 500;

} // namespace

// One step of the history. It holds the tank on the other side of the step: the state before it
// while it is done, the state after it while it is undone, so that undo and redo trade places with
// the current tank and keep whatever the editor wrote quietly meanwhile.
class TankStep : public QUndoCommand {
  public:
    TankStep(TankDocument& document, const QString& what, uint64_t target,
             std::unique_ptr<TZBecken> before, bool continuesGesture)
        : QUndoCommand(what), document_(document), what_(what), target_(target),
          other_(std::move(before)), continuesGesture_(continuesGesture) {}

    // Any step may take in the next one; mergeWith decides which.
    int id() const override { return 1; }

    // The next edit of the same gesture, of the same kind, to the same object. The step keeps its
    // state before, even when the gesture ends where it began: it stays a step, as it always was.
    bool mergeWith(const QUndoCommand* other) override {
        const auto& next = static_cast<const TankStep&>(*other);
        return next.continuesGesture_ && next.what_ == what_ && next.target_ == target_;
    }

    void undo() override { document_.exchange(other_); }
    void redo() override {
        if (pushed_) {
            document_.exchange(other_);
        }
        pushed_ = true; // the edit itself made the change before it became a step
    }

  private:
    TankDocument& document_;
    QString what_;
    uint64_t target_; // the object changed, 0 for the tank itself
    std::unique_ptr<TZBecken> other_;
    bool continuesGesture_;
    bool pushed_ = false;
};

TankDocument::TankDocument(QObject* parent) : QObject(parent) {
    history_.setUndoLimit(kMaxSteps);
    connect(&history_, &QUndoStack::indexChanged, this, &TankDocument::historyMoved);
    connect(&history_, &QUndoStack::cleanChanged, this, &TankDocument::noteModified);
}

// The stack empties itself on destruction; nobody is left to hear of it.
TankDocument::~TankDocument() {
    history_.blockSignals(true);
}

void TankDocument::replace(std::unique_ptr<TZBecken> tank) {
    tank_ = std::move(tank);
    markSaved();
    clearHistory();
    emit replaced();
    noteChange();
}

TankReadResult TankDocument::load(const std::string& path, TankReadDetail* detail) {
    auto fresh = std::make_unique<TZBecken>();
    const TankReadResult result = fresh->read(path, detail);
    if (result == TankReadResult::Ok) {
        replace(std::move(fresh));
    }
    return result;
}

TankSaveResult TankDocument::save(const std::string& path) {
    if (!tank_) {
        return {false, {}};
    }
    const TankSaveResult result = tank_->SaveToFile(path);
    if (result.ok) {
        markSaved();
    }
    return result;
}

bool TankDocument::apply(const QString& what, uint64_t target,
                         const std::function<void(TZBecken&)>& change) {
    if (!tank_) {
        return false;
    }
    auto before = std::make_unique<TZBecken>(*tank_);
    change(*tank_);
    if (serializeTank(*tank_) == serializeTank(*before)) {
        return false; // a control that showed the value it already had
    }
    if (quiet_ == 0) {
        // The stack merges nothing into its clean state; a gesture that passes through the saved
        // state stays one step all the same.
        if (merging_ && history_.isClean()) {
            history_.resetClean();
        }
        history_.push(new TankStep(*this, what, target, std::move(before), merging_));
        merging_ = true;
    }
    settleClean();
    noteChange();
    return true;
}

void TankDocument::edit(const QString& what, const std::function<void(TZBecken&)>& change) {
    apply(what, 0, change);
}

bool TankDocument::editObject(uint64_t serial, const QString& what,
                              const std::function<void(TObjekt&)>& change) {
    const int index = indexOf(serial);
    if (index < 0) {
        return false;
    }
    apply(what, serial, [&](TZBecken& t) { change(t.Objekte->at(index)); });
    return true;
}

uint64_t TankDocument::insert(std::unique_ptr<TObjekt> object, const QString& what) {
    const uint64_t serial = object->serial();
    endGesture();
    apply(what, serial, [&](TZBecken& t) { t.Objekte->add(std::move(object)); });
    endGesture();
    return serial;
}

void TankDocument::remove(uint64_t serial, const QString& what) {
    const int index = indexOf(serial);
    if (index > 0) {
        endGesture();
        apply(what, serial, [&](TZBecken& t) { t.Objekte->remove(index); });
        endGesture();
    }
}

const TObjekt* TankDocument::find(uint64_t serial) const {
    const int index = indexOf(serial);
    return index < 0 ? nullptr : &tank_->Objekte->at(index);
}

int TankDocument::indexOf(uint64_t serial) const {
    if (!tank_) {
        return -1;
    }
    const TObjektListe& list = *tank_->Objekte;
    for (int k = 0; k < list.Count(); ++k) {
        if (list.at(k).serial() == serial) {
            return k;
        }
    }
    return -1;
}

bool TankDocument::isModified() const {
    return tank_ && !history_.isClean();
}

void TankDocument::markSaved() {
    saved_ = tank_ ? serializeTank(*tank_) : std::vector<uint8_t>{};
    history_.setClean();
}

// The clean state is wherever the tank has the saved bytes: a value typed and typed back, or
// undone to by a longer way, is no change, and what the editor writes quietly can be one.
void TankDocument::settleClean() {
    const bool saved = !tank_ || serializeTank(*tank_) == saved_;
    if (saved != history_.isClean()) {
        if (saved) {
            history_.setClean();
        } else {
            history_.resetClean();
        }
    }
}

void TankDocument::noteModified() {
    // Asked again rather than taken from the signal: the stack announces its own clearing after
    // the clean state was already settled.
    const bool modified = isModified();
    if (modified != modified_) {
        modified_ = modified;
        emit modifiedChanged(modified);
    }
}

void TankDocument::exchange(std::unique_ptr<TZBecken>& state) {
    // The edge choice is not in the file, so a pick that ticked nothing made no step: a step
    // that left the edges alone keeps the choice the user sees.
    if (state->sameEdges(*tank_)) {
        state->RandWahl = tank_->RandWahl;
    }
    std::swap(tank_, state);
    restored_ = true;
}

// Announced once the stack stands at its new index, so that listeners see the history as it is.
void TankDocument::historyMoved() {
    if (restored_) {
        restored_ = false;
        merging_ = false;
        emit reverted();
        noteChange();
    }
    settleClean();
}

void TankDocument::clearHistory() {
    history_.clear();
    merging_ = false;
}

void TankDocument::flush() {
    if (changePending_) {
        changePending_ = false;
        emit changed();
    }
}

void TankDocument::noteChange() {
    if (changePending_) {
        return;
    }
    changePending_ = true;
    QMetaObject::invokeMethod(this, &TankDocument::flush, Qt::QueuedConnection);
}

} // namespace zb::ui
