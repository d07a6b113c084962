#pragma once

class QIcon;
class QWidget;

namespace mensurio {

// Name, version and icon of the program, as the window system and desktop see them, and the
// window role that screen readers announce for its two windows.
void setUpApplication();

// The program's icon: 32x32 in two colours and in sixteen, and 16x16 in sixteen.
QIcon applicationIcon();

// Moves a window that is about to open at its designed position, never resizing it, just enough
// that it lies inside the available area of its screen; on a screen smaller than the window,
// its top-left corner stays on the screen.
void keepOnScreen(QWidget* window);

} // namespace mensurio
