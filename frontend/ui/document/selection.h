// The object selected in the editor's tree, shared with the flat view so that neither needs the
// other: both show the selection, and the view asks for changes of it that the tree carries out
// (the tree decides which node a request ends on, and it lists every object).
#pragma once

#include "document/tank_document.h"

#include <QObject>

#include <cstdint>
#include <functional>

namespace zb::ui {

class Selection : public QObject {
    Q_OBJECT

  public:
    explicit Selection(const TankDocument& document, QObject* parent = nullptr);

    // The selected node's object; 0 and nullptr for a group node or no tank (entry 0 is the tank).
    uint64_t serial() const { return serial_; }
    const TObjekt* object() const;

    // Requests to whoever shows the tree.
    // Selects the object with this serial, the tank when no object has it.
    void select(uint64_t serial) { emit selectRequested(serial); }
    // Deletes the selected object (not the tank).
    void removeSelected() { emit removeRequested(); }
    // The selected object was changed elsewhere: its values are shown again.
    void showAgain() { emit showAgainRequested(); }
    // Inserts a new object of this kind, named and coloured as the tree names new objects, after
    // place has put it where it belongs, and selects it; nothing when the tank has no room for it.
    void insert(int32_t art, const std::function<void(TObjekt&)>& place) {
        emit insertRequested(art, place);
    }

    // For the tree: this node's object is selected now, or shown again.
    void setCurrent(uint64_t serial);

  signals:
    // Another node is selected, or the selected object was shown again.
    void changed();

    void selectRequested(uint64_t serial);
    void removeRequested();
    void showAgainRequested();
    void insertRequested(int32_t art, const std::function<void(TObjekt&)>& place);

  private:
    const TankDocument& document_;
    uint64_t serial_ = 0;
};

} // namespace zb::ui
