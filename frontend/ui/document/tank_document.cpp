#include "document/tank_document.h"

#include "model/tank_file.h"

#include <QMetaObject>

namespace zb::ui {

TankDocument::TankDocument(QObject* parent) : QObject(parent) {}

TankDocument::~TankDocument() = default;

void TankDocument::replace(std::unique_ptr<TZBecken> tank) {
    tank_ = std::move(tank);
    markSaved();
    emit replaced();
    noteChange();
}

TankReadResult TankDocument::load(const std::string& path) {
    auto fresh = std::make_unique<TZBecken>();
    const TankReadResult result = fresh->read(path);
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

void TankDocument::edit(const std::function<void(TZBecken&)>& change) {
    if (!tank_) {
        return;
    }
    change(*tank_);
    noteChange();
}

bool TankDocument::editObject(uint64_t serial, const std::function<void(TObjekt&)>& change) {
    const int index = indexOf(serial);
    if (index < 0) {
        return false;
    }
    edit([&](TZBecken& t) { change(t.Objekte->at(index)); });
    return true;
}

uint64_t TankDocument::insert(std::unique_ptr<TObjekt> object) {
    const uint64_t serial = object->serial();
    edit([&](TZBecken& t) { t.Objekte->add(std::move(object)); });
    return serial;
}

void TankDocument::remove(uint64_t serial) {
    const int index = indexOf(serial);
    if (index > 0) {
        edit([&](TZBecken& t) { t.Objekte->remove(index); });
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
