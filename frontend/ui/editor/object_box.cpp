#include "editor/object_box.h"

#include "widgets/fit_text.h"

#include <QGridLayout>
#include <QPushButton>

namespace zb::ui {

ObjectBox::ObjectBox(TankDocument& document, QWidget* parent)
    : CompactGroupBox({}, parent), document_(document), grid_(new QGridLayout(this)) {
    grid_->setContentsMargins(4, 4, 4, 4);
    grid_->setHorizontalSpacing(4);
    grid_->setVerticalSpacing(3);
}

void ObjectBox::takeObject(const TObjekt& object, const QString& kind) {
    serial_ = object.serial();
    setCaption(QStringLiteral("%1 (\"%2\")").arg(kind, QString::fromStdString(object.Name)));
}

QPushButton* ObjectBox::addHelpButton(const QString& caption, const QString& title,
                                      const QString& file) {
    auto* button = new QPushButton(caption);
    fitTextToWidth(button, 168); // what the strip leaves inside a box
    grid_->addWidget(button, grid_->rowCount(), 0, 1, 2);
    connect(button, &QPushButton::clicked, this,
            [this, title, file] { emit helpTextRequested(title, file); });
    return button;
}

} // namespace zb::ui
