// What the property boxes of the editor share: the object being edited and the way back to the
// main window.
#pragma once

#include "model/objects.h"

#include "widgets/compact_group_box.h"

class QGridLayout;
class QPushButton;

namespace zb::ui {

class ObjectBox : public CompactGroupBox {
    Q_OBJECT

  public:
    explicit ObjectBox(QWidget* parent = nullptr);

    // The box stops editing its object (it is about to be deleted or replaced).
    void forgetObject() { object_ = nullptr; }

  signals:
    void refreshRequested();
    void helpTextRequested(const QString& title, const QString& file);

  protected:
    // Caption "<kind> ("<name>")", and the object the handlers write to from now on.
    void takeObject(TObjekt& object, const QString& kind);
    // A "Was ist ...?" button at the bottom of the box; a long caption gets a smaller font
    // rather than being cut.
    QPushButton* addHelpButton(const QString& caption, const QString& title, const QString& file);

    TObjekt* object_ = nullptr;
    QGridLayout* grid_;
};

} // namespace zb::ui
