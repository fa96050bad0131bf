// Smooth resizing of pixel pictures: weights that keep a plain colour plain at any size,
// bilinear steps when enlarging, every old pixel counted when reducing, and colours that
// count by their alpha for icons.
#include <gtest/gtest.h>
#include <stdint.h>
#include <algorithm>
#include <vector>
#include "image/resample.h"

namespace {

struct Pixels {
  int width, height;
  std::vector<uint8_t> bytes;
  Pixels(int w, int h, uint32_t bgra = 0) : width(w), height(h), bytes((size_t)w * h * 4) {
    for (int i = 0; i < w * h; ++i) Set(i, bgra);
  }
  void Set(int index, uint32_t bgra) {
    for (int c = 0; c < 4; ++c) bytes[(size_t)index * 4 + c] = (uint8_t)(bgra >> (8 * c));
  }
  uint8_t At(int x, int y, int channel) const { return bytes[((size_t)y * width + x) * 4 + channel]; }
  PixelPicture Picture() { return {bytes.data(), width, height}; }
};

constexpr int Blue = 0, Red = 2, Alpha = 3;

Pixels Resampled(Pixels from, int width, int height, bool alphaWeighted = false) {
  Pixels to(width, height, 0x12345678);
  EXPECT_TRUE(ResamplePicture(from.Picture(), to.Picture(), alphaWeighted));
  return to;
}

// A single row of grey levels, opaque.
Pixels Row(std::vector<uint8_t> levels) {
  Pixels row((int)levels.size(), 1);
  for (size_t x = 0; x < levels.size(); ++x) row.Set((int)x, 0xFF000000u | levels[x] * 0x010101u);
  return row;
}

std::vector<int> Levels(const Pixels& row) {
  std::vector<int> levels;
  for (int x = 0; x < row.width; ++x) levels.push_back(row.At(x, 0, Blue));
  return levels;
}

TEST(Resample, APlainColourStaysPlainAtEverySize) {
  const struct { int fromWidth, fromHeight, toWidth, toHeight; } sizes[] = {
      {1, 1, 3, 3},  {4, 4, 5, 5},   {4, 4, 6, 6},   {32, 32, 40, 40}, {32, 32, 48, 48},
      {54, 54, 81, 81}, {7, 3, 3, 7}, {6, 6, 4, 4}, {64, 64, 3, 3},    {162, 312, 324, 624}};
  for (const auto& size : sizes) {
    SCOPED_TRACE(testing::Message() << size.fromWidth << "x" << size.fromHeight << " to " << size.toWidth << "x"
                                    << size.toHeight);
    for (bool alphaWeighted : {false, true}) {
      Pixels to = Resampled(Pixels(size.fromWidth, size.fromHeight, 0xC8B4A08C), size.toWidth, size.toHeight,
                            alphaWeighted);
      for (int y = 0; y < size.toHeight; ++y)
        for (int x = 0; x < size.toWidth; ++x)
          ASSERT_EQ(0xC8B4A08Cu, (uint32_t)(to.At(x, y, 0) | to.At(x, y, 1) << 8 | to.At(x, y, 2) << 16 |
                                            (uint32_t)to.At(x, y, 3) << 24))
              << x << "," << y;
    }
  }
}

TEST(Resample, TheSameSizeCopiesEveryPixel) {
  Pixels from(5, 3);
  for (int i = 0; i < 15; ++i) from.Set(i, 0x01020304u * (i + 1) ^ 0x5A5A5A5Au);
  EXPECT_EQ(from.bytes, Resampled(from, 5, 3).bytes);
}

TEST(Resample, EnlargingStepsBetweenNeighboursInsteadOfRepeatingThem) {
  const struct { std::vector<uint8_t> row; int width; std::vector<int> expected; } cases[] = {
      {{0, 255}, 4, {0, 64, 191, 255}},                 // twice: a quarter and three quarters between
      {{0, 255}, 3, {0, 128, 255}},                     // one and a half times
      {{0, 255, 0}, 6, {0, 64, 191, 191, 64, 0}},
      {{40, 40, 200, 200}, 8, {40, 40, 40, 80, 160, 200, 200, 200}},
  };
  for (const auto& c : cases) EXPECT_EQ(c.expected, Levels(Resampled(Row(c.row), c.width, 1)));
}

TEST(Resample, ReducingCountsEveryOldPixel) {
  // A one-pixel line anywhere survives as a lighter line; nothing is skipped.
  for (int line = 0; line < 8; ++line) {
    std::vector<uint8_t> row(8, 0);
    row[line] = 255;
    std::vector<int> reduced = Levels(Resampled(Row(row), 3, 1));
    int total = 0;
    for (int level : reduced) total += level;
    EXPECT_GT(total, 60) << line;
    EXPECT_LT(*std::max_element(reduced.begin(), reduced.end()), 255) << line;
  }
}

TEST(Resample, AlphaWeightingKeepsTransparentColoursOutOfTheEdge) {
  // Opaque red beside transparent black, as an icon's edge.
  Pixels edge(2, 1);
  edge.Set(0, 0xFFFF0000u);
  edge.Set(1, 0x00000000u);
  Pixels weighted = Resampled(edge, 4, 1, true);
  Pixels plain = Resampled(edge, 4, 1, false);
  const int alphas[] = {255, 191, 64, 0};
  for (int x = 0; x < 4; ++x) {
    EXPECT_EQ(alphas[x], weighted.At(x, 0, Alpha)) << x;
    EXPECT_EQ(alphas[x], plain.At(x, 0, Alpha)) << x;
    if (alphas[x]) {
      EXPECT_EQ(255, weighted.At(x, 0, Red)) << x;  // pure red, however faint
    }
  }
  EXPECT_EQ(64, plain.At(2, 0, Red));  // without weighting the black seeps in
}

TEST(Resample, EmptyPicturesAreRefused) {
  Pixels some(2, 2), none(0, 0);
  EXPECT_FALSE(ResamplePicture(none.Picture(), some.Picture(), false));
  EXPECT_FALSE(ResamplePicture(some.Picture(), none.Picture(), false));
}

}  // namespace
