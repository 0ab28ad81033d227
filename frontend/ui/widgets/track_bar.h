// Track bars: horizontal sliders with ticks that deliver whole positions.
#pragma once

#include <QSlider>

namespace zb::ui {

inline QSlider* makeTrackBar(int minimum, int maximum, int position, int pageStep = 0,
                             QWidget* parent = nullptr) {
    auto* bar = new QSlider(Qt::Horizontal, parent);
    bar->setRange(minimum, maximum);
    bar->setValue(position);
    bar->setSingleStep(1);
    bar->setPageStep(pageStep > 0 ? pageStep : qMax(1, (maximum - minimum) / 5));
    bar->setTickPosition(QSlider::TicksBelow);
    bar->setTickInterval(qMax(1, (maximum - minimum) / 10));
    return bar;
}

} // namespace zb::ui
