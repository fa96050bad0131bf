#include "image/decoded_bitmap.h"
#include "image/screen_dib.h"

namespace {

// Larger pictures could not be addressed with 32-bit strides and row counts.
constexpr uint32_t MaxSide = 0x1FFFFFFF;

}  // namespace

HBITMAP BitmapFromDecoder(const ImageDecoder* decoder, int kind) {
  uint32_t width = decoder->width();
  uint32_t height = decoder->height();
  if (width == 0 || height == 0 || width > MaxSide || height > MaxSide) return nullptr;
  void* pixels;
  HBITMAP bitmap =
      CreateScreenDib((int32_t)width, -(int32_t)height, kind == DecodedBgra ? 32 : 24, &pixels);
  if (!bitmap) return nullptr;
  // A picture that fails part way is kept with the rows decoded so far; the rest stay
  // zero, as the bitmap was made.
  decoder->decode(static_cast<uint8_t*>(pixels), DecodedRowStride(width, kind));
  return bitmap;
}
