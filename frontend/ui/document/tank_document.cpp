#include "document/tank_document.h"

#include "model/tank_file.h"

#include <QMetaObject>

namespace zb::ui {

namespace {

// A long afternoon of editing; each step holds a copy of a small tank description.
constexpr size_t kMaxSteps = 500;

} // namespace

TankDocument::TankDocument(QObject* parent) : QObject(parent) {}

TankDocument::~TankDocument() = default;

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
        const bool sameGesture = merging_ && !undo_.empty() && undo_.back().what == what &&
                                 undo_.back().target == target;
        if (!sameGesture) {
            undo_.push_back({what, target, std::move(before)});
            if (undo_.size() > kMaxSteps) {
                undo_.erase(undo_.begin());
            }
        }
        redo_.clear();
        merging_ = true;
        emit historyChanged();
    }
    noteModified();
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
    return tank_ && serializeTank(*tank_) != saved_;
}

void TankDocument::markSaved() {
    saved_ = tank_ ? serializeTank(*tank_) : std::vector<uint8_t>{};
    noteModified();
}

void TankDocument::noteModified() {
    const bool modified = isModified();
    if (modified != modified_) {
        modified_ = modified;
        emit modifiedChanged(modified);
    }
}

QString TankDocument::undoText() const {
    return undo_.empty() ? QString() : undo_.back().what;
}

QString TankDocument::redoText() const {
    return redo_.empty() ? QString() : redo_.back().what;
}

void TankDocument::travel(std::vector<Step>& from, std::vector<Step>& to) {
    if (from.empty() || !tank_) {
        return;
    }
    Step step = std::move(from.back());
    from.pop_back();
    // The edge choice is not in the file, so a pick that ticked nothing made no step: a step
    // that left the edges alone keeps the choice the user sees.
    if (step.state->sameEdges(*tank_)) {
        step.state->RandWahl = tank_->RandWahl;
    }
    to.push_back({step.what, step.target, std::move(tank_)});
    tank_ = std::move(step.state);
    merging_ = false;
    emit historyChanged();
    emit reverted();
    noteModified();
    noteChange();
}

void TankDocument::undo() {
    travel(undo_, redo_);
}

void TankDocument::redo() {
    travel(redo_, undo_);
}

void TankDocument::clearHistory() {
    undo_.clear();
    redo_.clear();
    merging_ = false;
    emit historyChanged();
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
