#pragma once
// Test pictures written in memory: BMP and ICO files by hand, PNG through libpng's writer.
#include <stdint.h>
#include <vector>

struct Picture {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> rgb;  // 0x00RRGGBB, top row first
  uint32_t At(int x, int y) const { return rgb[(size_t)y * width + x]; }
};

// colors 0: a gradient with a different value in every channel of most pixels;
// otherwise a pattern of that many colours whose channels are all 0 or 255.
Picture PatternPicture(int width, int height, int colors);

enum class BmpRows { BottomUp, TopDown, RunLength8 };
// 1, 4 and 8 bits use a colour table of the picture's colours; 24 and 32 bits hold BGR.
std::vector<uint8_t> EncodeBmp(const Picture& picture, int bitsPerPixel, BmpRows rows);

// The bitmap of one icon image: colour rows bottom-up, then an all-opaque mask.
std::vector<uint8_t> EncodeIconImage(const Picture& picture, int bitsPerPixel);

struct IcoEntry {
  uint8_t width;
  uint8_t height;
  uint16_t bitsPerPixel;
  std::vector<uint8_t> image;
};
std::vector<uint8_t> EncodeIco(const std::vector<IcoEntry>& entries);

struct PngContent {
  int width = 0;
  int height = 0;
  int colorType = 2;
  int bitDepth = 8;
  bool interlaced = false;
  std::vector<uint16_t> samples;       // every channel of every pixel, top row first
  std::vector<uint8_t> paletteRgb;     // palette pictures: red, green, blue per entry
  std::vector<uint8_t> paletteAlpha;   // a transparency chunk for the palette
  int transparentSample = -1;          // a transparency chunk for grey or RGB pictures
};
std::vector<uint8_t> EncodePng(const PngContent& content);

// Fills content.samples with a deterministic pattern that uses the whole sample range.
void FillPngPattern(PngContent* content);
int PngChannels(int colorType);
