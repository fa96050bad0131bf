#pragma once
// The wizard's layout is given in pixels of a 96-DPI display. Fonts are sized in points and
// grow with the display's density, so every position and size grows with them.
#include <windows.h>
#include "wizard/program.h"

// A length of the 96-DPI layout in pixels of this display.
inline int ToScreen(int pixelsAt96) { return MulDiv(pixelsAt96, ScreenDpi, 96); }
