#pragma once
// The record the image table keeps for each image.
#include <windows.h>
#include <stdint.h>

struct ImageRecord {
  HANDLE handle;    // bitmap or icon; non-zero while in use
  uint16_t width;   // as the system reports it for the bitmap (for an icon: its colour bitmap)
  uint16_t height;
  uint8_t depth;    // bits per pixel, likewise
  uint8_t unused[7];
};
static_assert(sizeof(void*) != 4 || sizeof(ImageRecord) == 16, "the image table's record size is 16");
