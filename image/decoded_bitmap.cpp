#include "image/decoded_bitmap.h"

namespace {

// Larger pictures could not be addressed with 32-bit strides and row counts.
constexpr uint32_t MaxSide = 0x1FFFFFFF;

}  // namespace

HBITMAP BitmapFromDecoder(const ImageDecoder* decoder, int kind) {
  uint32_t width = decoder->width();
  uint32_t height = decoder->height();
  if (width == 0 || height == 0 || width > MaxSide || height > MaxSide) return nullptr;
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = (LONG)width;
  info.bmiHeader.biHeight = -(LONG)height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = kind == DecodedBgra ? 32 : 24;
  info.bmiHeader.biCompression = BI_RGB;

  HDC screen = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
  if (!screen) return nullptr;
  void* pixels = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
  if (!bitmap || !pixels) {
    if (bitmap) DeleteObject(bitmap);
    DeleteDC(screen);
    return nullptr;
  }
  int decoded = decoder->decode(static_cast<uint8_t*>(pixels), DecodedRowStride(width, kind));
  DeleteDC(screen);
  if (decoded) return bitmap;
  DeleteObject(bitmap);
  return nullptr;
}
