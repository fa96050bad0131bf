#pragma once
// Smoothly scaled copies of native bitmaps and icons.
#include <windows.h>

// A new bitmap of the given size and of the original's depth (24 or 32 bits a pixel,
// top-down), or 0.
HBITMAP ScaledBitmap(HBITMAP bitmap, int width, int height);
// A new icon of the given size with a 32-bit colour bitmap whose alpha softens the edges
// that the original's mask drew hard, or 0. Monochrome icons are not scaled (0).
HICON ScaledIcon(HICON icon, int width, int height);
