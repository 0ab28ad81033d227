#include "widgets/capped_track_bar.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionSlider>

#include <algorithm>

namespace zb::ui {

CappedTrackBar::CappedTrackBar(int minimum, int maximum, int position, QWidget* parent)
    : QSlider(Qt::Horizontal, parent), cap_(maximum) {
    setRange(minimum, maximum);
    setValue(position);
    setSingleStep(1);
    setTickPosition(QSlider::TicksBelow);
    setTickInterval(1);
    // Handle, keys and wheel all end at the cap.
    connect(this, &QSlider::valueChanged, this, [this](int value) {
        if (value > cap_) {
            setValue(cap_);
        }
    });
}

void CappedTrackBar::setCap(int position) {
    cap_ = std::clamp(position, minimum(), maximum());
    if (value() > cap_) {
        setValue(cap_);
    }
    update();
}

void CappedTrackBar::paintEvent(QPaintEvent* event) {
    QSlider::paintEvent(event);
    if (cap_ >= maximum()) {
        return;
    }
    QStyleOptionSlider option;
    initStyleOption(&option);
    const QRect groove =
        style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, this);
    const QRect handle =
        style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
    // The handle's centre at the cap is where the closed part begins.
    const int span = groove.width() - handle.width();
    const int from = groove.left() + handle.width() / 2 +
                     QStyle::sliderPositionFromValue(minimum(), maximum(), cap_, span);
    QPainter painter(this);
    painter.fillRect(QRect(QPoint(from, groove.top()), QPoint(groove.right(), groove.bottom())),
                     QColor(200, 40, 40, 150));
}

} // namespace zb::ui
