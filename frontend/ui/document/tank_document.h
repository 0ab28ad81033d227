// The one current tank of the program, and the only way to change it. Whoever shows the tank
// listens: `replaced` at once when another tank takes its place, `changed` once per turn of the
// event loop however many edits that turn made, so the engine receives each change once.
#pragma once

#include "model/tank.h"

#include <QObject>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace zb::ui {

class TankDocument : public QObject {
    Q_OBJECT

  public:
    explicit TankDocument(QObject* parent = nullptr);
    ~TankDocument() override;

    bool hasTank() const { return tank_ != nullptr; }
    // Only while hasTank().
    const TZBecken& tank() const { return *tank_; }

    // A new tank takes the place of the current one; it counts as unchanged.
    void replace(std::unique_ptr<TZBecken> tank);
    // Reads a tank file into a new tank that replaces the current one; on any failure the
    // current tank stays as it was.
    TankReadResult load(const std::string& path);
    // Writes the tank; afterwards it counts as unchanged.
    TankSaveResult save(const std::string& path);

    // The door every change passes through.
    void edit(const std::function<void(TZBecken&)>& change);
    // Changes the object with this serial; false (and nothing happens) when it is not in the
    // current tank, for instance because the tank was replaced meanwhile.
    bool editObject(uint64_t serial, const std::function<void(TObjekt&)>& change);
    // Appends an object; returns its serial.
    uint64_t insert(std::unique_ptr<TObjekt> object);
    // Removes the object with this serial, if it is in the tank.
    void remove(uint64_t serial);

    const TObjekt* find(uint64_t serial) const;
    // The object's index in the list, -1 when it is not there.
    int indexOf(uint64_t serial) const;

    // Whether the tank differs from how it was last created, read or saved.
    bool isModified() const;
    void markSaved();

    // Delivers a pending `changed` at once instead of at the end of the turn.
    void flush();

  signals:
    void replaced();
    void changed();

  private:
    void noteChange();

    std::unique_ptr<TZBecken> tank_;
    std::vector<uint8_t> saved_; // the tank's bytes when it was last created, read or saved
    bool changePending_ = false;
};

} // namespace zb::ui
