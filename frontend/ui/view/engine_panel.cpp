#include "view/engine_panel.h"

namespace zb::ui {

EnginePanel::EnginePanel(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_NativeWindow);
    setAttribute(Qt::WA_PaintOnScreen);
    setAttribute(Qt::WA_NoSystemBackground);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_DontCreateNativeAncestors);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void EnginePanel::paintEvent(QPaintEvent*) {
    emit exposed();
}

void EnginePanel::resizeEvent(QResizeEvent*) {
    emit resized();
}

} // namespace zb::ui
