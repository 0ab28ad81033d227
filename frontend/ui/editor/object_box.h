// What the property boxes of the editor share: the object being edited, which they change only
// through the tank document.
#pragma once

#include "document/tank_document.h"
#include "model/objects.h"

#include "widgets/compact_group_box.h"

#include <cstdint>
#include <initializer_list>
#include <vector>

class QGridLayout;
class QLabel;
class QPushButton;

namespace zb::ui {

class ObjectBox : public CompactGroupBox {
    Q_OBJECT

  public:
    explicit ObjectBox(TankDocument& document, QWidget* parent = nullptr);

    // "... liegt außerhalb des Beckens", shown while the object's centre is outside the tank.
    QLabel* outsideHint() const { return outsideHint_; }

  signals:
    void helpTextRequested(const QString& title, const QString& file);

  protected:
    // From now on the handlers change this object (by its serial, so that an object that is
    // deleted or replaced meanwhile is simply no longer found); the caption names it.
    void takeObject(const TObjekt& object, const QString& kind);
    // Changes the shown object's record of type R; nothing happens once it is gone. `what`
    // names the change for undo.
    template <class R, class Change>
    void editRecord(const QString& what, Change change) {
        document_.editObject(serial_, what, [&](TObjekt& object) {
            if (R* record = object.record<R>()) {
                change(*record);
            }
        });
    }
    // A "Was ist ...?" button at the bottom of the box; a long caption gets a smaller font
    // rather than being cut.
    QPushButton* addHelpButton(const QString& caption, const QString& title, const QString& file);

    // The hint names what lies outside ("Der Mittelpunkt"); the box places it. The hint sits at
    // the bottom, which a tall box may have scrolled away: the position fields themselves also
    // say it, in the hint's colour and as their tooltip.
    QLabel* makeOutsideHint(const QString& subject, std::initializer_list<QWidget*> positionFields);

    TankDocument& document_;
    uint64_t serial_ = 0;
    QGridLayout* grid_;

  private:
    void updateOutsideHint();

    QLabel* outsideHint_ = nullptr;
    std::vector<QWidget*> positionFields_;
    std::vector<QString> positionToolTips_; // the fields' own tooltips, given back inside
};

} // namespace zb::ui
