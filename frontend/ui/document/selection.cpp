#include "document/selection.h"

namespace zb::ui {

Selection::Selection(const TankDocument& document, QObject* parent)
    : QObject(parent), document_(document) {}

const TObjekt* Selection::object() const {
    return document_.find(serial_);
}

void Selection::setCurrent(uint64_t serial) {
    serial_ = serial;
    emit changed();
}

} // namespace zb::ui
