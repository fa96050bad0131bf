#pragma once
// The record the image table keeps for each image.
#include <windows.h>
#include <stdint.h>

// The bitmap or icon of an image, which its record owns: Free deletes it with the call its
// type needs. Records live in zero-filled table memory and are released without being
// destroyed, so the owner has no constructor or destructor; zero is no image.
struct NativeImage {
  HANDLE image;

  HANDLE Get() const { return image; }
  void Free() {
    if (GetObjectType(image) == OBJ_BITMAP)
      DeleteObject(image);
    else
      DestroyIcon(static_cast<HICON>(image));
    image = nullptr;
  }
};

struct ImageRecord {
  NativeImage handle;  // bitmap or icon; non-zero while in use
  uint16_t width;   // as the system reports it for the bitmap (for an icon: its colour bitmap)
  uint16_t height;
  uint8_t depth;    // bits per pixel, likewise
  uint8_t unused[7];
};
static_assert(sizeof(void*) != 4 || sizeof(ImageRecord) == 16, "the image table's record size is 16");
