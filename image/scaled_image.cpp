#include "image/scaled_image.h"
#include <string.h>
#include "image/dib_layout.h"
#include "image/resample.h"
#include "image/screen_dib.h"
#include "runtime/heaps.h"
#include "toolkit/icon_picture.h"

namespace {

// A picture's pixels in memory of the program heap, released with it.
struct OwnedPicture {
  PixelPicture picture;
  OwnedPicture(int width, int height)
      : picture{static_cast<uint8_t*>(ProgramAlloc((size_t)width * height * 4)), width, height} {}
  ~OwnedPicture() { ProgramFree(picture.pixels); }
  OwnedPicture(const OwnedPicture&) = delete;
  OwnedPicture& operator=(const OwnedPicture&) = delete;
};

bool SizeOf(HBITMAP bitmap, BITMAP* description) {
  return GetObjectA(bitmap, sizeof *description, description) == sizeof *description && description->bmWidth > 0 &&
         description->bmHeight > 0;
}

// The bitmap's pixels as 32-bit top-down rows; a bitmap of fewer bits a pixel reads with
// alpha 0, a monochrome one as black and white.
bool ReadPixels(HBITMAP bitmap, const PixelPicture& into) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = into.width;
  info.bmiHeader.biHeight = -into.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  HDC screen = GetDC(nullptr);
  int rows = GetDIBits(screen, bitmap, 0, into.height, into.pixels, &info, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  return rows == into.height;
}

// A top-down bitmap section holding the picture at 24 or 32 bits a pixel.
HBITMAP BitmapOf(const PixelPicture& picture, int bitsPerPixel) {
  void* bits;
  HBITMAP made = CreateScreenDib(picture.width, -picture.height, (uint16_t)bitsPerPixel, &bits);
  if (!made) return nullptr;
  GdiFlush();
  uint8_t* row = static_cast<uint8_t*>(bits);
  size_t stride = (size_t)DibRowBytes(picture.width, (uint16_t)bitsPerPixel);
  for (int32_t y = 0; y < picture.height; ++y, row += stride) {
    const uint8_t* from = picture.pixels + (size_t)y * picture.width * 4;
    if (bitsPerPixel == 32) {
      memcpy(row, from, (size_t)picture.width * 4);
      continue;
    }
    for (int32_t x = 0; x < picture.width; ++x) memcpy(row + x * 3, from + x * 4, 3);
  }
  return made;
}

// The icon's AND mask: a set bit where alpha leaves the pixel mostly transparent. Rows of a
// monochrome bitmap are padded to 16 bits.
HBITMAP MaskOf(const PixelPicture& picture) {
  int32_t stride = (picture.width + 15) / 16 * 2;
  uint8_t* bits = static_cast<uint8_t*>(ProgramAlloc((size_t)stride * picture.height));
  if (!bits) return nullptr;
  for (int32_t y = 0; y < picture.height; ++y)
    for (int32_t x = 0; x < picture.width; ++x)
      if (picture.pixels[((size_t)y * picture.width + x) * 4 + 3] < 128)
        bits[y * stride + x / 8] |= (uint8_t)(0x80 >> (x % 8));
  HBITMAP mask = CreateBitmap(picture.width, picture.height, 1, 1, bits);
  ProgramFree(bits);
  return mask;
}

bool HasAlpha(const PixelPicture& picture) {
  size_t count = (size_t)picture.width * picture.height;
  for (size_t i = 0; i < count; ++i)
    if (picture.pixels[i * 4 + 3]) return true;
  return false;
}

// An icon without an alpha channel of its own is opaque where its mask bit is clear.
void AlphaFromMask(const PixelPicture& mask, const PixelPicture& colour) {
  size_t count = (size_t)colour.width * colour.height;
  for (size_t i = 0; i < count; ++i) colour.pixels[i * 4 + 3] = mask.pixels[i * 4] ? 0 : 255;
}

HICON IconOf(const PixelPicture& picture) {
  HBITMAP colour = BitmapOf(picture, 32);
  HBITMAP mask = MaskOf(picture);
  HICON icon = nullptr;
  if (colour && mask) {
    ICONINFO parts = {TRUE, 0, 0, mask, colour};
    icon = CreateIconIndirect(&parts);
  }
  if (colour) DeleteObject(colour);
  if (mask) DeleteObject(mask);
  return icon;
}

HICON ScaledIconParts(const ICONINFO& parts, int width, int height) {
  BITMAP description;
  if (!parts.hbmColor || !SizeOf(parts.hbmColor, &description)) return nullptr;
  OwnedPicture colour(description.bmWidth, description.bmHeight);
  OwnedPicture mask(description.bmWidth, description.bmHeight);
  OwnedPicture scaled(width, height);
  if (!colour.picture.pixels || !mask.picture.pixels || !scaled.picture.pixels) return nullptr;
  if (!ReadPixels(parts.hbmColor, colour.picture)) return nullptr;
  if (description.bmBitsPixel < 32 || !HasAlpha(colour.picture)) {
    if (!ReadPixels(parts.hbmMask, mask.picture)) return nullptr;
    AlphaFromMask(mask.picture, colour.picture);
  }
  if (!ResamplePicture(colour.picture, scaled.picture, true)) return nullptr;
  return IconOf(scaled.picture);
}

}  // namespace

HBITMAP ScaledBitmap(HBITMAP bitmap, int width, int height) {
  BITMAP description;
  if (width <= 0 || height <= 0 || !SizeOf(bitmap, &description)) return nullptr;
  OwnedPicture original(description.bmWidth, description.bmHeight);
  OwnedPicture scaled(width, height);
  if (!original.picture.pixels || !scaled.picture.pixels) return nullptr;
  if (!ReadPixels(bitmap, original.picture) || !ResamplePicture(original.picture, scaled.picture, false))
    return nullptr;
  return BitmapOf(scaled.picture, description.bmBitsPixel == 32 ? 32 : 24);
}

HICON ScaledIcon(HICON icon, int width, int height) {
  if (width <= 0 || height <= 0) return nullptr;
  IconParts parts(icon);
  if (parts.Empty()) return nullptr;
  return ScaledIconParts(parts.Get(), width, height);
}
