#include "widgets/window_placement.h"

#include <QScreen>
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

} // namespace zb::ui
