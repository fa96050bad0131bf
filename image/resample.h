#pragma once
// Smooth resizing of pictures held as packed 32-bit pixels (blue, green, red, alpha), rows
// top-down, 4 bytes a pixel with no padding.
#include <stdint.h>

struct PixelPicture {
  uint8_t* pixels;
  int32_t width;
  int32_t height;
};

// Draws from into to, at to's size. Each new pixel is a weighted mean of the old pixels
// around its centre: a triangle as wide as one old pixel when enlarging (bilinear) and as one
// new pixel when reducing (every old pixel counts), so that edges stay smooth both ways.
// With alphaWeighted, colours also count in proportion to their alpha, so that the colour of
// transparent pixels does not seep into the edges of an icon. Returns false, leaving to
// untouched, when a picture is empty or the work memory cannot be had.
bool ResamplePicture(const PixelPicture& from, const PixelPicture& to, bool alphaWeighted);
