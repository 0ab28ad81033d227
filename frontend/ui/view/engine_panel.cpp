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
    // Showing or uncovering the window exposes it and its top-level one after the other, each
    // with a paint of this panel, and a refresh may have asked for one too: the picture is drawn
    // once, when the events that are there now have been handled.
    if (drawPending_) {
        return;
    }
    drawPending_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            drawPending_ = false;
            emit exposed();
        },
        Qt::QueuedConnection);
}

void EnginePanel::resizeEvent(QResizeEvent*) {
    emit resized();
}

} // namespace zb::ui
