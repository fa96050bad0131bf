#pragma once
// Picture decoders that turn data in memory into top-down BGR or BGRA pixel rows.
#include <stdint.h>
#include "image/dib_layout.h"

// What a decoder's check reports, and so the row layout its decode writes.
enum DecodedKind {
  DecodedNone = 0,   // not this decoder's format, or unreadable
  DecodedBgr = 1,    // 3 bytes per pixel: blue, green, red
  DecodedBgra = 2,   // 4 bytes per pixel: blue, green, red, alpha
};

struct ImageDecoder {
  // Recognises the data and keeps its header for decode; returns a DecodedKind.
  int (*check)(const uint8_t* data, uint32_t size);
  // Writes every row, top row first, at pixels + row * stride, then lets go of the picture.
  // 1 on success, 0 when the picture failed part way (rows written so far stay).
  int (*decode)(uint8_t* pixels, uint32_t stride);
  uint32_t (*width)();
  uint32_t (*height)();
};

constexpr int MaxDecoders = 100;

struct DecoderRegistry {
  const ImageDecoder* decoders[MaxDecoders];
  int count;
  const ImageDecoder* current;  // the decoder whose check last succeeded
};

extern DecoderRegistry Decoders;

void DecodersStart();
// Appends a decoder unless it is registered already; returns 0 when the registry is full.
int RegisterDecoder(const ImageDecoder* decoder);
// Asks the decoders in registration order; the first that accepts becomes the current one.
// Returns its DecodedKind, or DecodedNone when none accepts.
int CheckWithDecoders(const uint8_t* data, uint32_t size);

// Bytes per row of a decoded picture: the rows of the bitmap section it is decoded into.
inline uint32_t DecodedRowStride(uint32_t width, int kind) {
  return (uint32_t)DibRowBytes((int32_t)width, kind == DecodedBgra ? 32 : 24);
}
