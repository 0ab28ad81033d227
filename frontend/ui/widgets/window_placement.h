// Where windows appear: over the one that asked for them, and always within reach on the screen.
#pragma once

#include <QMargins>
#include <QRect>

class QWidget;

namespace zb::ui {

// Shows the window centred over the one that asked for it (kept on that one's screen) and
// brings it to the front, so that it never opens hidden behind the window the user is looking at.
void showOver(QWidget* window, const QWidget* over);

// The window's geometry (its inside, without the frame the window manager adds) brought into
// the free area of a screen: shrunk where it is larger, then moved until the frame with its
// title bar lies wholly inside.
QRect fitIntoArea(const QRect& inside, const QMargins& frame, const QRect& area);
// For a place remembered from an earlier run, perhaps on another screen or written by hand: the
// window keeps its size and place where they fit the screen nearest to it.
void keepOnScreen(QWidget* window);

} // namespace zb::ui
