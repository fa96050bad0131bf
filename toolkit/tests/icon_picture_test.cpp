// The picture an icon is measured by: colour icons by their colour bitmap, monochrome ones
// by the half of their mask that is the AND rows.
#include <gtest/gtest.h>
#include <vector>
#include "toolkit/icon_picture.h"

namespace {

// An icon of the given size: in colour at bitsPerPixel, or monochrome (bitsPerPixel 0), whose
// only bitmap is the mask of twice the height.
HICON MakeIcon(int width, int height, int bitsPerPixel) {
  std::vector<uint8_t> zeros((size_t)(width + 31) / 32 * 4 * height * 2);
  HBITMAP mask = CreateBitmap(width, bitsPerPixel ? height : height * 2, 1, 1, zeros.data());
  HBITMAP colour = nullptr;
  if (bitsPerPixel) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = (WORD)bitsPerPixel;
    void* bits;
    colour = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  }
  ICONINFO parts = {TRUE, 0, 0, mask, colour};
  HICON icon = CreateIconIndirect(&parts);
  DeleteObject(mask);
  if (colour) DeleteObject(colour);
  return icon;
}

struct IconRow {
  const char* what;
  int width, height, bitsPerPixel;
  LONG expectedHeight;
  WORD expectedDepth;
};

TEST(IconPicture, ColourIconsByTheirColourBitmapMonochromeOnesByHalfTheirMask) {
  const IconRow rows[] = {
      {"32-bit colour", 32, 32, 32, 32, 32},
      {"colour, wider than high", 48, 16, 32, 16, 32},
      {"monochrome", 16, 16, 0, 16, 1},
      {"monochrome, odd height", 20, 7, 0, 7, 1},
  };
  for (const IconRow& row : rows) {
    SCOPED_TRACE(row.what);
    HICON icon = MakeIcon(row.width, row.height, row.bitsPerPixel);
    ASSERT_NE(nullptr, icon);
    BITMAP picture = {};
    ASSERT_TRUE(DescribeIconPicture(icon, &picture));
    EXPECT_EQ(row.width, picture.bmWidth);
    EXPECT_EQ(row.expectedHeight, picture.bmHeight);
    EXPECT_EQ(row.expectedDepth, picture.bmBitsPixel);
    DestroyIcon(icon);
  }
}

TEST(IconPicture, ANonIconIsNotDescribed) {
  HICON gone = MakeIcon(16, 16, 32);
  DestroyIcon(gone);
  BITMAP picture = {};
  EXPECT_FALSE(DescribeIconPicture(gone, &picture));
  EXPECT_FALSE(DescribeIconPicture(nullptr, &picture));
}

// The parts of an icon live as long as their owner, and only the bitmaps the icon has are
// made and deleted.
TEST(IconParts, TheBitmapsOfAnIconAreDeletedWithTheirOwner) {
  const IconRow rows[] = {
      {"colour", 16, 16, 32, 16, 32},
      {"monochrome", 16, 16, 0, 16, 1},
  };
  for (const IconRow& row : rows) {
    SCOPED_TRACE(row.what);
    HICON icon = MakeIcon(row.width, row.height, row.bitsPerPixel);
    ASSERT_NE(nullptr, icon);
    HBITMAP colour, mask;
    {
      IconParts parts(icon);
      ASSERT_FALSE(parts.Empty());
      colour = parts.Get().hbmColor;
      mask = parts.Get().hbmMask;
      EXPECT_EQ((DWORD)OBJ_BITMAP, GetObjectType(mask));
      EXPECT_EQ(row.bitsPerPixel ? (DWORD)OBJ_BITMAP : 0u, GetObjectType(colour));
    }
    EXPECT_EQ(0u, GetObjectType(mask));
    if (colour) EXPECT_EQ(0u, GetObjectType(colour));
    DestroyIcon(icon);
  }
  IconParts none(nullptr);
  EXPECT_TRUE(none.Empty());
}

}  // namespace
