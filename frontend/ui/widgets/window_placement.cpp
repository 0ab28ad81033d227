#include "widgets/window_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QWidget>

#include <algorithm>

namespace zb::ui {

void showOver(QWidget* window, const QWidget* over) {
    if (over && over->isVisible()) {
        const QRect anchor = over->frameGeometry();
        QRect placed(QPoint(), window->frameGeometry().size());
        placed.moveCenter(anchor.center());
        if (const QScreen* screen = over->screen()) {
            const QRect area = screen->availableGeometry();
            placed.moveLeft(std::clamp(placed.left(), area.left(),
                                       std::max(area.left(), area.right() - placed.width() + 1)));
            placed.moveTop(std::clamp(placed.top(), area.top(),
                                      std::max(area.top(), area.bottom() - placed.height() + 1)));
        }
        window->move(placed.topLeft());
    }
    window->show();
    window->raise();
    window->activateWindow();
}

QRect fitIntoArea(const QRect& inside, const QMargins& frame, const QRect& area) {
    const int width = std::min(inside.width(), area.width() - frame.left() - frame.right());
    const int height = std::min(inside.height(), area.height() - frame.top() - frame.bottom());
    QRect fitted(inside.topLeft(), QSize(std::max(1, width), std::max(1, height)));
    const int left = std::clamp(
        fitted.left() - frame.left(), area.left(),
        std::max(area.left(), area.right() + 1 - frame.right() - fitted.width() - frame.left()));
    const int top = std::clamp(
        fitted.top() - frame.top(), area.top(),
        std::max(area.top(), area.bottom() + 1 - frame.bottom() - fitted.height() - frame.top()));
    fitted.moveTopLeft(QPoint(left + frame.left(), top + frame.top()));
    return fitted;
}

void keepOnScreen(QWidget* window) {
    const QRect inside = window->geometry();
    const QScreen* screen = QGuiApplication::screenAt(inside.center());
    if (!screen) {
        screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    }
    if (!screen) {
        return;
    }
    // Before the window manager has framed the window its frame is unknown: allow a title bar.
    QMargins frame(inside.left() - window->frameGeometry().left(),
                   inside.top() - window->frameGeometry().top(),
                   window->frameGeometry().right() - inside.right(),
                   window->frameGeometry().bottom() - inside.bottom());
    if (frame.isNull()) {
        const int title = window->style()->pixelMetric(QStyle::PM_TitleBarHeight);
        frame = QMargins(0, title, 0, 0);
    }
    const QRect fitted = fitIntoArea(inside, frame, screen->availableGeometry());
    if (fitted != inside) {
        window->resize(fitted.size());
        window->move(fitted.left() - frame.left(), fitted.top() - frame.top());
    }
}

} // namespace zb::ui
