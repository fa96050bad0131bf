#include "image/dib_layout.h"
#include <windows.h>
#include "image/le_bytes.h"

namespace {

constexpr uint32_t InfoHeaderBytes = 40;
constexpr uint32_t MaskBytes = 3 * 4;

bool KnownDepth(uint16_t bits) {
  return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

bool CompressionFits(uint32_t compression, uint16_t bits, int32_t height) {
  switch (compression) {
    case BI_RGB: return true;
    case BI_RLE8: return bits == 8 && height > 0;
    case BI_RLE4: return bits == 4 && height > 0;
    case BI_BITFIELDS: return bits == 16 || bits == 32;
    default: return false;
  }
}

}  // namespace

int MeasureDib(const uint8_t* header, uint32_t available, DibLayout* layout) {
  if (available < InfoHeaderBytes) return 0;
  uint32_t headerSize = ReadU32(header);
  int32_t width = ReadI32(header + 4);
  int32_t height = ReadI32(header + 8);
  uint16_t planes = ReadU16(header + 12);
  uint16_t bits = ReadU16(header + 14);
  uint32_t compression = ReadU32(header + 16);
  uint32_t imageBytes = ReadU32(header + 20);
  uint32_t colorsUsed = ReadU32(header + 32);
  if (headerSize < InfoHeaderBytes || headerSize > available) return 0;
  if (width <= 0 || height == 0 || height == INT32_MIN || planes != 1) return 0;
  if (!KnownDepth(bits) || !CompressionFits(compression, bits, height)) return 0;

  uint32_t colors = colorsUsed;
  if (bits <= 8) {
    if (colors == 0) colors = 1u << bits;
    if (colors > (1u << bits)) return 0;
  } else if (colors > 256) {
    return 0;
  }
  uint64_t tableStart = headerSize;
  // Masks follow a plain 40-byte header; larger headers carry them inside.
  if (compression == BI_BITFIELDS && tableStart < InfoHeaderBytes + MaskBytes)
    tableStart = InfoHeaderBytes + MaskBytes;
  uint64_t headerBytes = tableStart + (uint64_t)colors * sizeof(RGBQUAD);
  if (headerBytes > available) return 0;

  layout->width = width;
  layout->height = height;
  layout->bitsPerPixel = bits;
  layout->headerBytes = (uint32_t)headerBytes;
  layout->rowBytes = DibRowBytes(width, bits);
  layout->compressedBytes = 0;
  if (compression == BI_RLE8 || compression == BI_RLE4) {
    if (imageBytes == 0) return 0;  // runs end only where the header says
    layout->compressedBytes = imageBytes;
  }
  return 1;
}
