#include "image/png_decoder.h"
#include <png.h>
#include <string.h>

// Grey pictures keep no transparency: a grey picture with a transparent colour is read
// as opaque BGR, like a palette picture whose transparency is dropped, so check reports
// an alpha channel exactly for the colour types that carry one.

namespace {

constexpr int SignatureBytes = 8;

struct PngState {
  png_structp read;
  png_infop info;
  const uint8_t* cursor;
  const uint8_t* end;
  uint32_t width;
  uint32_t height;
  int bitDepth;
  int colorType;
};

PngState png;

void Release() {
  if (png.read) png_destroy_read_struct(&png.read, &png.info, nullptr);
  png.read = nullptr;
  png.info = nullptr;
}

// libpng's read function: hands out the picture from the cursor, and raises a libpng
// error rather than read beyond the end of the data.
void ReadFromCursor(png_structp read, png_bytep out, size_t count) {
  if (count > (size_t)(png.end - png.cursor)) png_error(read, "PNG data ends early");
  memcpy(out, png.cursor, count);
  png.cursor += count;
}

bool HasAlpha(int colorType) { return (colorType & PNG_COLOR_MASK_ALPHA) != 0; }

// Every path ends in libpng's recovery point on error, set by the callers.
void ReadHeader() {
  png_set_read_fn(png.read, nullptr, ReadFromCursor);
  png.info = png_create_info_struct(png.read);
  if (!png.info) png_error(png.read, "no memory for the PNG header");
  png_read_info(png.read, png.info);
  png_uint_32 width, height;
  png_get_IHDR(png.read, png.info, &width, &height, &png.bitDepth, &png.colorType, nullptr,
               nullptr, nullptr);
  png.width = width;
  png.height = height;
}

void AskForBgrRows() {
  switch (png.colorType) {
    case PNG_COLOR_TYPE_PALETTE:
      png_set_palette_to_rgb(png.read);
      png_set_strip_alpha(png.read);
      break;
    case PNG_COLOR_TYPE_GRAY:
    case PNG_COLOR_TYPE_GRAY_ALPHA:
      if (png.bitDepth < 8) png_set_expand_gray_1_2_4_to_8(png.read);
      png_set_gray_to_rgb(png.read);
      break;
    default:
      break;
  }
  if (png.bitDepth == 16) png_set_strip_16(png.read);
  png_set_bgr(png.read);
}

void ReadRows(uint8_t* pixels, uint32_t stride) {
  AskForBgrRows();
  int passes = png_set_interlace_handling(png.read);
  png_read_update_info(png.read, png.info);
  size_t pixelBytes = HasAlpha(png.colorType) ? 4 : 3;
  if (png_get_bit_depth(png.read, png.info) != 8 ||
      png_get_rowbytes(png.read, png.info) != png.width * pixelBytes)
    png_error(png.read, "PNG rows differ from the layout reported");
  for (int pass = 0; pass < passes; ++pass) {
    for (uint32_t row = 0; row < png.height; ++row) {
      png_bytep rowStart = pixels + (size_t)row * stride;
      png_read_rows(png.read, &rowStart, nullptr, 1);
    }
  }
}

int Check(const uint8_t* data, uint32_t size) {
  Release();  // a picture checked earlier but never decoded
  if (size < SignatureBytes || png_sig_cmp(data, 0, SignatureBytes) != 0) return DecodedNone;
  png.read = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!png.read) return DecodedNone;
  if (setjmp(png_jmpbuf(png.read))) {
    Release();
    return DecodedNone;
  }
  png.cursor = data;
  png.end = data + size;
  ReadHeader();
  return HasAlpha(png.colorType) ? DecodedBgra : DecodedBgr;
}

int Decode(uint8_t* pixels, uint32_t stride) {
  if (!png.read || !png.info) return 0;
  if (setjmp(png_jmpbuf(png.read))) {
    Release();
    return 0;
  }
  ReadRows(pixels, stride);
  Release();
  return 1;
}

uint32_t Width() { return png.width; }
uint32_t Height() { return png.height; }

}  // namespace

const ImageDecoder PngDecoder = {Check, Decode, Width, Height};

// The registry itself keeps a decoder from being registered twice, also after it has
// been emptied again.
void UsePngDecoder() { RegisterDecoder(&PngDecoder); }
