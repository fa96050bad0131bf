#pragma once
// BMP files in memory, converted into 32-bit device-independent bitmaps.
#include <windows.h>
#include <stdint.h>

inline bool LooksLikeBmpFile(const uint8_t* data, uint32_t size) {
  return size >= 2 && data[0] == 'B' && data[1] == 'M';
}

// A 32-bit bitmap with the file's pixels, or 0 when the file header, the information
// header, the colour table or the pixel rows do not fit in size, or the system refuses.
HBITMAP BitmapFromBmpFile(const uint8_t* data, uint32_t size);
