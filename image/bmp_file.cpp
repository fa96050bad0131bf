#include "image/bmp_file.h"
#include "image/dib_layout.h"
#include "image/le_bytes.h"
#include "image/screen_dib.h"

constexpr uint32_t FileHeaderBytes = 14;

HBITMAP BitmapFromBmpFile(const uint8_t* data, uint32_t size) {
  if (!LooksLikeBmpFile(data, size) || size < FileHeaderBytes) return nullptr;
  DibLayout layout;
  if (!MeasureDib(data + FileHeaderBytes, size - FileHeaderBytes, &layout)) return nullptr;
  uint32_t rows = layout.height < 0 ? -(uint32_t)layout.height : (uint32_t)layout.height;
  uint32_t pixelOffset = ReadU32(data + 10);
  if (pixelOffset > size || DibPixelBytes(layout, rows) > size - pixelOffset) return nullptr;

  void* pixels;
  HBITMAP bitmap = CreateScreenDib(layout.width, layout.height, 32, &pixels);
  if (!bitmap) return nullptr;
  HDC memory = CreateCompatibleDC(nullptr);
  if (memory) {
    SetDIBits(memory, bitmap, 0, rows, data + pixelOffset,
              reinterpret_cast<const BITMAPINFO*>(data + FileHeaderBytes), DIB_RGB_COLORS);
    DeleteDC(memory);
  }
  return bitmap;
}
