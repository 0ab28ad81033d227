#include "editor/object_box.h"

#include "view/object_shapes.h"
#include "widgets/fit_text.h"
#include "widgets/help_label.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace zb::ui {

namespace {

// The point the position fields give: for the extended kinds here, for the others as the view
// sees it.
bool positionInTank(const TObjekt& o, const TZBecken& tank) {
    const auto inside = [&](int32_t x, int32_t y) {
        return x >= 0 && x < tank.GroesseX && y >= 0 && y < tank.GroesseY;
    };
    if (const TMedium* m = o.medium()) {
        return inside(m->X, m->Y);
    }
    if (const TKreisbogen* a = o.kreisbogen()) {
        return inside(a->X, a->Y);
    }
    if (const TParabel* p = o.parabel()) {
        return inside(p->X, p->Y);
    }
    return centreInTank(o, tank);
}

} // namespace

ObjectBox::ObjectBox(TankDocument& document, QWidget* parent)
    : CompactGroupBox({}, parent), document_(document), grid_(new QGridLayout(this)) {
    grid_->setContentsMargins(4, 4, 4, 4);
    grid_->setHorizontalSpacing(4);
    grid_->setVerticalSpacing(3);
    // Typed values may lie outside (a file may hold them); the box only says so.
    connect(&document_, &TankDocument::changed, this, &ObjectBox::updateOutsideHint);
}

void ObjectBox::takeObject(const TObjekt& object, const QString& kind) {
    serial_ = object.serial();
    setCaption(QStringLiteral("%1 (\"%2\")").arg(kind, QString::fromStdString(object.Name)));
    updateOutsideHint();
}

QLabel* ObjectBox::makeOutsideHint(const QString& subject,
                                   std::initializer_list<QWidget*> positionFields) {
    positionFields_.assign(positionFields);
    for (QWidget* field : positionFields_) {
        positionToolTips_.push_back(field->toolTip());
    }
    outsideHint_ = new QLabel(subject + QStringLiteral(" liegt außerhalb des Beckens."));
    outsideHint_->setObjectName(QStringLiteral("lblAusserhalb"));
    outsideHint_->setWordWrap(true);
    outsideHint_->hide();
    return outsideHint_;
}

void ObjectBox::updateOutsideHint() {
    if (!outsideHint_) {
        return;
    }
    // The help labels' colour, taken again here so that a changed theme reaches it too.
    const QColor colour = helpLabelColour(outsideHint_->palette());
    if (outsideHint_->palette().color(QPalette::WindowText) != colour) {
        QPalette p = outsideHint_->palette();
        p.setColor(QPalette::WindowText, colour);
        outsideHint_->setPalette(p);
    }
    const TObjekt* object = document_.hasTank() ? document_.find(serial_) : nullptr;
    const bool outside = object && !positionInTank(*object, document_.tank());
    outsideHint_->setVisible(outside);
    for (size_t k = 0; k < positionFields_.size(); ++k) {
        QWidget* field = positionFields_[k];
        field->setToolTip(outside ? outsideHint_->text() : positionToolTips_[k]);
        QPalette p; // nothing set: the field follows its parent's palette again
        if (outside) {
            p = field->palette();
            p.setColor(QPalette::Text, colour);
        }
        field->setPalette(p);
    }
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
