// Numbered images scaled to a display density: a new native object of the scaled size in
// place of the old one, the same one when nothing changes, smooth icon edges.
#include "image/image_record.h"
#include "image_test_support.h"
#include "picture_encoders.h"

namespace {

class ImageScaleTest : public ImageTest {};

intptr_t Make(int number, const std::vector<uint8_t>& bytes) {
  return ImageFromMemory(number, bytes.data(), (uint32_t)bytes.size());
}

std::vector<uint8_t> RgbPng(int width, int height) {
  PngContent content;
  content.width = width;
  content.height = height;
  FillPngPattern(&content);
  return EncodePng(content);
}

BITMAP Describe(HANDLE bitmap) {
  BITMAP description = {};
  GetObjectA(bitmap, sizeof description, &description);
  return description;
}

// An icon file of 8 bits a pixel, as the wizard's: the left half opaque red, the right half
// black under set mask bits, that is, transparent.
std::vector<uint8_t> HalfRedIconFile(int side) {
  Picture picture;
  picture.width = picture.height = side;
  for (int y = 0; y < side; ++y)
    for (int x = 0; x < side; ++x) picture.rgb.push_back(x < side / 2 ? 0xFF0000 : 0x000000);
  std::vector<uint8_t> image = EncodeIconImage(picture, 8);
  size_t maskRow = (side + 31) / 32 * 4;
  uint8_t* mask = image.data() + image.size() - maskRow * side;
  for (int y = 0; y < side; ++y)
    for (int x = side / 2; x < side; ++x) mask[y * maskRow + x / 8] |= (uint8_t)(0x80 >> (x % 8));
  return EncodeIco({{(uint8_t)side, (uint8_t)side, 8, image}});
}

TEST_F(ImageScaleTest, BitmapsBecomeNewBitmapsOfTheScaledSizeAndTheirOwnDepth) {
  const struct { int width, height, numerator, denominator, scaledWidth, scaledHeight, depth; } cases[] = {
      {162, 312, 144, 96, 243, 468, 24}, {162, 312, 120, 96, 203, 390, 24}, {162, 312, 192, 96, 324, 624, 24},
      {10, 7, 72, 96, 8, 5, 24},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.numerator);
    HANDLE original = (HANDLE)Make(0, RgbPng(c.width, c.height));
    ASSERT_NE(nullptr, original);
    HANDLE scaled = ImageScale(0, c.numerator, c.denominator);
    ASSERT_NE(nullptr, scaled);
    EXPECT_NE(original, scaled);
    EXPECT_EQ(0u, GetObjectType(original));  // the old bitmap is deleted
    EXPECT_EQ(scaled, FindImage(0)->handle.Get());
    BITMAP description = Describe(scaled);
    EXPECT_EQ(c.scaledWidth, description.bmWidth);
    EXPECT_EQ(c.scaledHeight, description.bmHeight);
    EXPECT_EQ(c.depth, description.bmBitsPixel);
    EXPECT_EQ(c.scaledWidth, FindImage(0)->width);
    EXPECT_EQ(c.scaledHeight, FindImage(0)->height);
  }
}

TEST_F(ImageScaleTest, TheSameSizeKeepsTheImageAsItIs) {
  HANDLE original = (HANDLE)Make(1, RgbPng(54, 54));
  EXPECT_EQ(original, ImageScale(1, 96, 96));
  EXPECT_EQ(original, ImageScale(1, 1, 1));
  EXPECT_EQ(OBJ_BITMAP, GetObjectType(original));
  EXPECT_EQ(nullptr, ImageScale(7, 144, 96));  // no image under that number
}

TEST_F(ImageScaleTest, ScaledPicturesKeepTheirColours) {
  // A plain picture stays plain: the corners and the middle show the original colour.
  Picture plain;
  plain.width = plain.height = 8;
  plain.rgb.assign(64, 0x3366CC);
  Make(2, EncodeBmp(plain, 24, BmpRows::BottomUp));
  HANDLE scaled = ImageScale(2, 3, 2);
  for (POINT at : {POINT{0, 0}, POINT{11, 11}, POINT{6, 5}}) EXPECT_EQ(0x3366CCu, ShownPixel(scaled, at.x, at.y));
}

TEST_F(ImageScaleTest, IconsBecomeIconsWithSmoothEdgesAndNoDarkFringe) {
  HICON icon = static_cast<HICON>((HANDLE)Make(3, HalfRedIconFile(32)));
  ASSERT_EQ(0xFF0000u, IconPixel(icon, 32, 15, 16));
  ASSERT_EQ(0xFFFFFFu, IconPixel(icon, 32, 16, 16));
  HICON scaled = static_cast<HICON>(ImageScale(3, 192, 96));
  ASSERT_NE(icon, scaled);
  ICONINFO parts;
  ASSERT_TRUE(GetIconInfo(scaled, &parts));
  BITMAP colour = Describe(parts.hbmColor);
  DeleteObject(parts.hbmColor);
  DeleteObject(parts.hbmMask);
  EXPECT_EQ(64, colour.bmWidth);
  EXPECT_EQ(64, colour.bmHeight);
  EXPECT_EQ(32, colour.bmBitsPixel);
  // Drawn on white: red, then a blend of red and white only across the edge, then white.
  EXPECT_EQ(0xFF0000u, IconPixel(scaled, 64, 10, 30));
  EXPECT_EQ(0xFFFFFFu, IconPixel(scaled, 64, 50, 30));
  int blends = 0;
  for (int x = 28; x < 36; ++x) {
    uint32_t rgb = IconPixel(scaled, 64, x, 30);
    EXPECT_EQ(0xFF0000u, rgb & 0xFF0000u) << x;                 // red stays full
    EXPECT_EQ((rgb >> 8) & 0xFF, rgb & 0xFF) << x;              // green equals blue: no tint
    blends += (rgb != 0xFF0000u && rgb != 0xFFFFFFu);
  }
  EXPECT_GE(blends, 1);  // the edge is smoothed, not stepped
}

}  // namespace
