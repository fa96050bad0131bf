#include "image/bmp_file.h"
#include "image/dib_layout.h"
#include "image/le_bytes.h"

namespace {

constexpr uint32_t FileHeaderBytes = 14;

HBITMAP CreateTargetBitmap(int32_t width, int32_t height) {
  HDC screen = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
  if (!screen) return nullptr;
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  DeleteDC(screen);
  return bitmap;
}

}  // namespace

HBITMAP BitmapFromBmpFile(const uint8_t* data, uint32_t size) {
  if (!LooksLikeBmpFile(data, size) || size < FileHeaderBytes) return nullptr;
  DibLayout layout;
  if (!MeasureDib(data + FileHeaderBytes, size - FileHeaderBytes, &layout)) return nullptr;
  uint32_t rows = layout.height < 0 ? -(uint32_t)layout.height : (uint32_t)layout.height;
  uint32_t pixelOffset = ReadU32(data + 10);
  if (pixelOffset > size || DibPixelBytes(layout, rows) > size - pixelOffset) return nullptr;

  HBITMAP bitmap = CreateTargetBitmap(layout.width, layout.height);
  if (!bitmap) return nullptr;
  HDC memory = CreateCompatibleDC(nullptr);
  if (memory) {
    SetDIBits(memory, bitmap, 0, rows, data + pixelOffset,
              reinterpret_cast<const BITMAPINFO*>(data + FileHeaderBytes), DIB_RGB_COLORS);
    DeleteDC(memory);
  }
  return bitmap;
}
