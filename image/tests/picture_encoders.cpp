#include "picture_encoders.h"
#include <windows.h>
#include <png.h>
#include <string.h>
#include <algorithm>

namespace {

void PutU16(std::vector<uint8_t>* out, uint32_t value) {
  out->push_back(value & 0xFF);
  out->push_back(value >> 8 & 0xFF);
}

void PutU32(std::vector<uint8_t>* out, uint32_t value) {
  PutU16(out, value & 0xFFFF);
  PutU16(out, value >> 16);
}

void SetU32(std::vector<uint8_t>* out, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) (*out)[at + i] = value >> (8 * i) & 0xFF;
}

std::vector<uint32_t> ColoursOf(const Picture& picture) {
  std::vector<uint32_t> colours;
  for (uint32_t c : picture.rgb)
    if (std::find(colours.begin(), colours.end(), c) == colours.end()) colours.push_back(c);
  return colours;
}

int IndexOf(const std::vector<uint32_t>& colours, uint32_t c) {
  return (int)(std::find(colours.begin(), colours.end(), c) - colours.begin());
}

void PutInfoHeader(std::vector<uint8_t>* out, int width, int height, int bits, uint32_t compression,
                   uint32_t imageBytes, uint32_t colours) {
  PutU32(out, 40);
  PutU32(out, (uint32_t)width);
  PutU32(out, (uint32_t)height);
  PutU16(out, 1);
  PutU16(out, (uint16_t)bits);
  PutU32(out, compression);
  PutU32(out, imageBytes);
  PutU32(out, 2835);
  PutU32(out, 2835);
  PutU32(out, colours);
  PutU32(out, 0);
}

void PutColourTable(std::vector<uint8_t>* out, const std::vector<uint32_t>& colours) {
  for (uint32_t c : colours) PutU32(out, c);  // blue, green, red, reserved
}

// One uncompressed row of pixels, padded to 4 bytes.
void PutRow(std::vector<uint8_t>* out, const Picture& picture, int y, int bits,
            const std::vector<uint32_t>& colours) {
  size_t start = out->size();
  if (bits <= 8) {
    int perByte = 8 / bits;
    for (int x = 0; x < picture.width; x += perByte) {
      uint8_t byte = 0;
      for (int k = 0; k < perByte; ++k) {
        int index = x + k < picture.width ? IndexOf(colours, picture.At(x + k, y)) : 0;
        byte |= index << (8 - bits * (k + 1));
      }
      out->push_back(byte);
    }
  } else {
    for (int x = 0; x < picture.width; ++x) {
      uint32_t c = picture.At(x, y);
      out->push_back(c & 0xFF);
      out->push_back(c >> 8 & 0xFF);
      out->push_back(c >> 16 & 0xFF);
      if (bits == 32) out->push_back(0xFF);
    }
  }
  while ((out->size() - start) % 4) out->push_back(0);
}

// Every pixel as a run of one, each row closed by an end-of-line mark.
void PutRunLengthRows(std::vector<uint8_t>* out, const Picture& picture,
                      const std::vector<uint32_t>& colours) {
  for (int y = picture.height - 1; y >= 0; --y) {
    for (int x = 0; x < picture.width; ++x) {
      out->push_back(1);
      out->push_back((uint8_t)IndexOf(colours, picture.At(x, y)));
    }
    out->push_back(0);
    out->push_back(y == 0 ? 1 : 0);
  }
}

void WriteToVector(png_structp write, png_bytep data, size_t count) {
  auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(write));
  out->insert(out->end(), data, data + count);
}

void FlushNothing(png_structp) {}

}  // namespace

int PngChannels(int colorType) {
  switch (colorType) {
    case 0: case 3: return 1;
    case 4: return 2;
    case 2: return 3;
    default: return 4;
  }
}

Picture PatternPicture(int width, int height, int colors) {
  static const uint32_t Pure[] = {0x000000, 0xFFFFFF, 0xFF0000, 0x0000FF,
                                  0x00FF00, 0xFFFF00, 0x00FFFF, 0xFF00FF};
  Picture picture;
  picture.width = width;
  picture.height = height;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      uint32_t c = colors ? Pure[(x + 2 * y) % colors]
                          : (uint32_t)((x * 37 + y) & 0xFF) << 16 | ((y * 53 + 7) & 0xFF) << 8 |
                                ((x * 11 + y * 5 + 3) & 0xFF);
      picture.rgb.push_back(c);
    }
  return picture;
}

std::vector<uint8_t> EncodeBmp(const Picture& picture, int bits, BmpRows rows) {
  std::vector<uint32_t> colours = bits <= 8 ? ColoursOf(picture) : std::vector<uint32_t>();
  uint32_t compression = rows == BmpRows::RunLength8 ? BI_RLE8 : BI_RGB;
  std::vector<uint8_t> pixels;
  if (rows == BmpRows::RunLength8) {
    PutRunLengthRows(&pixels, picture, colours);
  } else {
    for (int i = 0; i < picture.height; ++i)
      PutRow(&pixels, picture, rows == BmpRows::TopDown ? i : picture.height - 1 - i, bits, colours);
  }
  std::vector<uint8_t> out = {'B', 'M'};
  PutU32(&out, 0);  // file size, set below
  PutU32(&out, 0);
  PutU32(&out, 0);  // pixel offset, set below
  PutInfoHeader(&out, picture.width, rows == BmpRows::TopDown ? -picture.height : picture.height,
                bits, compression, (uint32_t)pixels.size(), (uint32_t)colours.size());
  PutColourTable(&out, colours);
  SetU32(&out, 10, (uint32_t)out.size());
  out.insert(out.end(), pixels.begin(), pixels.end());
  SetU32(&out, 2, (uint32_t)out.size());
  return out;
}

std::vector<uint8_t> EncodeIconImage(const Picture& picture, int bits) {
  std::vector<uint32_t> colours = bits <= 8 ? ColoursOf(picture) : std::vector<uint32_t>();
  if (bits <= 8) colours.resize((size_t)1 << bits, 0);
  std::vector<uint8_t> out;
  PutInfoHeader(&out, picture.width, picture.height * 2, bits, BI_RGB, 0, 0);
  PutColourTable(&out, colours);
  for (int y = picture.height - 1; y >= 0; --y) PutRow(&out, picture, y, bits, colours);
  size_t maskRow = (picture.width + 31) / 32 * 4;
  out.insert(out.end(), maskRow * picture.height, 0);
  return out;
}

std::vector<uint8_t> EncodeIco(const std::vector<IcoEntry>& entries) {
  std::vector<uint8_t> out;
  PutU16(&out, 0);
  PutU16(&out, 1);
  PutU16(&out, (uint16_t)entries.size());
  uint32_t offset = 6 + 16 * (uint32_t)entries.size();
  for (const IcoEntry& e : entries) {
    out.push_back(e.width);
    out.push_back(e.height);
    out.push_back(0);
    out.push_back(0);
    PutU16(&out, 1);
    PutU16(&out, e.bitsPerPixel);
    PutU32(&out, (uint32_t)e.image.size());
    PutU32(&out, offset);
    offset += (uint32_t)e.image.size();
  }
  for (const IcoEntry& e : entries) out.insert(out.end(), e.image.begin(), e.image.end());
  return out;
}

void FillPngPattern(PngContent* content) {
  int channels = PngChannels(content->colorType);
  uint32_t top = content->colorType == 3 ? (uint32_t)content->paletteRgb.size() / 3 - 1
                                      : (1u << content->bitDepth) - 1;
  content->samples.clear();
  for (int y = 0; y < content->height; ++y)
    for (int x = 0; x < content->width; ++x)
      for (int c = 0; c < channels; ++c) {
        uint32_t v = (uint32_t)(x * 2654435761u + y * 40503u + c * 977u) >> 7;
        content->samples.push_back((uint16_t)(v % (top + 1)));
      }
}

std::vector<uint8_t> EncodePng(const PngContent& content) {
  std::vector<uint8_t> out;
  png_structp write = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(write);
  if (setjmp(png_jmpbuf(write))) {
    png_destroy_write_struct(&write, &info);
    return std::vector<uint8_t>();
  }
  png_set_write_fn(write, &out, WriteToVector, FlushNothing);
  png_set_IHDR(write, info, content.width, content.height, content.bitDepth, content.colorType,
               content.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  std::vector<png_color> palette;
  for (size_t i = 0; i + 2 < content.paletteRgb.size(); i += 3)
    palette.push_back(png_color{content.paletteRgb[i], content.paletteRgb[i + 1], content.paletteRgb[i + 2]});
  if (!palette.empty()) png_set_PLTE(write, info, palette.data(), (int)palette.size());
  if (!content.paletteAlpha.empty())
    png_set_tRNS(write, info, content.paletteAlpha.data(), (int)content.paletteAlpha.size(), nullptr);
  png_color_16 transparent = {};
  transparent.gray = transparent.red = transparent.green = transparent.blue =
      (png_uint_16)content.transparentSample;
  if (content.transparentSample >= 0) png_set_tRNS(write, info, nullptr, 0, &transparent);
  png_write_info(write, info);

  int channels = PngChannels(content.colorType);
  size_t samplesPerRow = (size_t)content.width * channels;
  size_t rowBytes = (samplesPerRow * content.bitDepth + 7) / 8;
  std::vector<uint8_t> rows(rowBytes * content.height, 0);
  std::vector<png_bytep> rowPointers;
  for (int y = 0; y < content.height; ++y) {
    uint8_t* row = &rows[rowBytes * y];
    rowPointers.push_back(row);
    for (size_t i = 0; i < samplesPerRow; ++i) {
      uint16_t v = content.samples[y * samplesPerRow + i];
      if (content.bitDepth == 16) {
        row[2 * i] = v >> 8;
        row[2 * i + 1] = v & 0xFF;
      } else if (content.bitDepth == 8) {
        row[i] = (uint8_t)v;
      } else {
        size_t bit = i * content.bitDepth;
        row[bit / 8] |= v << (8 - content.bitDepth - bit % 8);
      }
    }
  }
  png_write_image(write, rowPointers.data());
  png_write_end(write, info);
  png_destroy_write_struct(&write, &info);
  return out;
}
