// Where a window that another one asked for appears.
#pragma once

class QWidget;

namespace zb::ui {

// Shows the window centred over the one that asked for it (kept on that one's screen) and
// brings it to the front, so that it never opens hidden behind the window the user is looking at.
void showOver(QWidget* window, const QWidget* over);

} // namespace zb::ui
