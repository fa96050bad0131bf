#include "image/screen_dib.h"

HBITMAP CreateScreenDib(int32_t width, int32_t height, uint16_t bitsPerPixel, void** pixels) {
  *pixels = nullptr;
  HDC screen = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
  if (!screen) return nullptr;
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = bitsPerPixel;
  info.bmiHeader.biCompression = BI_RGB;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, pixels, nullptr, 0);
  DeleteDC(screen);
  if (bitmap && !*pixels) {
    DeleteObject(bitmap);
    return nullptr;
  }
  return bitmap;
}
