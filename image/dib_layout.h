#pragma once
// The extent of a packed device-independent bitmap: what the system reads from memory
// when it is handed a bitmap information header, its colour table and its pixel rows.
#include <stdint.h>

struct DibLayout {
  int32_t width;
  int32_t height;            // as in the header: negative for top-down rows
  uint16_t bitsPerPixel;
  uint32_t headerBytes;      // the information header with its masks and colour table
  uint64_t rowBytes;         // one uncompressed row, padded to a multiple of 4
  uint32_t compressedBytes;  // the whole run-length data, 0 for uncompressed rows
};

// Measures the bitmap whose information header starts at header, with available bytes
// from there to the end of the data. Returns 0 when the header is not one the system
// takes (too short, under 40 bytes, no width, no height, planes other than 1, an unknown
// depth or compression, more colours than the depth allows, runs of unknown length) or
// when the header with its masks and colour table does not fit in available.
int MeasureDib(const uint8_t* header, uint32_t available, DibLayout* layout);

// Bytes of pixel data for rowCount rows of the bitmap (saturating: never wraps around).
inline uint64_t DibPixelBytes(const DibLayout& layout, uint32_t rowCount) {
  if (layout.compressedBytes) return layout.compressedBytes;
  if (rowCount && layout.rowBytes > UINT64_MAX / rowCount) return UINT64_MAX;
  return layout.rowBytes * rowCount;
}

// Bytes of one uncompressed row, padded to a multiple of 4.
inline uint64_t DibRowBytes(int32_t width, uint16_t bitsPerPixel) {
  return ((uint64_t)width * bitsPerPixel + 31) / 32 * 4;
}
