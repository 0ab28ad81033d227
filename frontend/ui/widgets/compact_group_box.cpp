#include "widgets/compact_group_box.h"

#include <QLayout>

namespace zb::ui {

CompactGroupBox::CompactGroupBox(const QString& caption, QWidget* parent) : QGroupBox(parent) {
    setCaption(caption);
}

void CompactGroupBox::setCaption(const QString& caption) {
    caption_ = caption;
    fitCaption();
}

QSize CompactGroupBox::minimumSizeHint() const {
    QSize size = QGroupBox::minimumSizeHint();
    if (layout()) {
        const QMargins m = contentsMargins();
        size.setWidth(layout()->totalMinimumSize().width() + m.left() + m.right());
    }
    return size;
}

void CompactGroupBox::resizeEvent(QResizeEvent* event) {
    QGroupBox::resizeEvent(event);
    fitCaption();
}

void CompactGroupBox::fitCaption() {
    const int room = qMax(0, width() - 16);
    const QString shown = fontMetrics().elidedText(caption_, Qt::ElideRight, room);
    if (title() != shown) {
        setTitle(shown);
    }
    setToolTip(shown == caption_ ? QString() : caption_);
}

} // namespace zb::ui
