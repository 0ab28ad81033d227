// Captions that must stay whole in the narrow strip get a smaller font instead of being cut.
#pragma once

#include <QFontInfo>
#include <QWidget>

namespace zb::ui {

// Shrinks the widget's font (down to 8 pixels) until its size hint fits the width.
inline void fitTextToWidth(QWidget* widget, int width) {
    QFont f = widget->font();
    for (int px = QFontInfo(f).pixelSize(); px > 8 && widget->sizeHint().width() > width; --px) {
        f.setPixelSize(px - 1);
        widget->setFont(f);
    }
}

} // namespace zb::ui
