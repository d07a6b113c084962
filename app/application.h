#pragma once

class QIcon;

namespace mensurio {

// Name, version and icon of the program, as the window system and desktop see them, and the
// window role that screen readers announce for its two windows.
void setUpApplication();

// The program's icon: 32x32 in two colours and in sixteen, and 16x16 in sixteen.
QIcon applicationIcon();

} // namespace mensurio
