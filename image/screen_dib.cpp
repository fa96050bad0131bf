#include "image/screen_dib.h"

HBITMAP CreateScreenDib(int32_t width, int32_t height, uint16_t bitsPerPixel, void** pixels) {
  *pixels = nullptr;
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = bitsPerPixel;
  info.bmiHeader.biCompression = BI_RGB;
  // With colours given as RGB values a section needs no device context: it takes its
  // colours from no palette.
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, pixels, nullptr, 0);
  if (bitmap && !*pixels) {
    DeleteObject(bitmap);
    return nullptr;
  }
  return bitmap;
}
