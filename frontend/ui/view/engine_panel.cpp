#include "view/engine_panel.h"

#include <QPlatformSurfaceEvent>

namespace zb::ui {

EnginePanel::EnginePanel(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_NativeWindow);
    setAttribute(Qt::WA_PaintOnScreen);
    setAttribute(Qt::WA_NoSystemBackground);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_DontCreateNativeAncestors);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

bool EnginePanel::event(QEvent* event) {
    if (event->type() == QEvent::PlatformSurface &&
        static_cast<QPlatformSurfaceEvent*>(event)->surfaceEventType() ==
            QPlatformSurfaceEvent::SurfaceAboutToBeDestroyed) {
        emit nativeWindowAboutToGo();
    } else if (event->type() == QEvent::WinIdChange && internalWinId() != 0) {
        emit nativeWindowCreated();
    }
    return QWidget::event(event);
}

void EnginePanel::paintEvent(QPaintEvent*) {
    emit exposed();
}

void EnginePanel::resizeEvent(QResizeEvent*) {
    emit resized();
}

} // namespace zb::ui
