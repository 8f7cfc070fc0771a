#pragma once

class QWidget;

namespace zeb {

// Whether the desktop's compositor places windows itself (Wayland): a program can neither move
// its windows nor learn where they are.
bool CompositorPlacesWindows();

// Moves window to the middle of its screen's available area.
void CentreOnScreen(QWidget& window);

// Moves window, frame included, over the middle of over's client area.
void CentreOver(QWidget& window, const QWidget& over);

// The whole pixel ratio, at least 1, at which pictures for window are drawn.
int WholePixelRatio(const QWidget& window);

// Shows window and waits until the window system has mapped it, for windows shown while work
// runs without returning to the event loop: unmapped, whatever they paint is never seen.
void ShowOnScreen(QWidget& window);

}  // namespace zeb
