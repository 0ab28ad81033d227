// What a window manager does to our windows, sent the way it sends it: through the X server.
#pragma once

class QWidget;

namespace zb::ui::test {

// The close box: a WM_DELETE_WINDOW message to the top-level window, delivered and handled.
void closeLikeWindowManager(QWidget* window);

} // namespace zb::ui::test
