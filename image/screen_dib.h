#pragma once
// Device-independent bitmaps created for the screen.
#include <windows.h>
#include <stdint.h>

// A bitmap section of the given size and depth (a negative height makes the rows run
// top-down), or 0. pixels receives the address of its first row in memory.
HBITMAP CreateScreenDib(int32_t width, int32_t height, uint16_t bitsPerPixel, void** pixels);
