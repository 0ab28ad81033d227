#include "simulation/strip_scroll_area.h"

#include <QEvent>
#include <QResizeEvent>
#include <QScrollBar>

namespace zb::ui {

StripScrollArea::StripScrollArea(QWidget* strip, int designedWidth, int designedHeight,
                                 QWidget* parent)
    : QScrollArea(parent), designedWidth_(designedWidth) {
    setObjectName(strip->objectName() + QStringLiteral("Scroller"));
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setWidgetResizable(true);
    setFixedWidth(designedWidth);
    const bool hidden = strip->isHidden();
    strip->setMinimumHeight(designedHeight);
    setWidget(strip);
    strip->setVisible(!hidden); // setWidget shows it
    setVisible(!hidden);
    strip->installEventFilter(this);
}

bool StripScrollArea::eventFilter(QObject* watched, QEvent* event) {
    if (watched == widget()) {
        if (event->type() == QEvent::ShowToParent) {
            show();
        } else if (event->type() == QEvent::HideToParent) {
            hide();
        }
    }
    return QScrollArea::eventFilter(watched, event);
}

void StripScrollArea::resizeEvent(QResizeEvent* event) {
    QScrollArea::resizeEvent(event);
    const bool scrolls = widget() && event->size().height() < widget()->minimumHeight();
    setFixedWidth(designedWidth_ + (scrolls ? verticalScrollBar()->sizeHint().width() : 0));
}

} // namespace zb::ui
