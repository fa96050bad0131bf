// Numbered fonts and the shared brush cache.
#include <gtest/gtest.h>
#include "runtime/object_table.h"
#include "toolkit/brush_cache.h"
#include "toolkit/fonts.h"
#include "toolkit/gdi_object.h"

namespace {

// The font of an AutoNumber number: the number is the address of the font's record, which
// holds the native font first.
HFONT AutoNumberedFont(intptr_t number) { return *reinterpret_cast<HFONT*>(number); }

LOGFONTA Describe(HFONT font) {
  LOGFONTA description = {};
  GetObjectA(font, sizeof(description), &description);
  return description;
}

int DisplayPixelsPerInch() {
  HDC display = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
  int dpi = GetDeviceCaps(display, LOGPIXELSY);
  DeleteDC(display);
  return dpi;
}

TEST(Fonts, PointSizeBecomesPixelHeightOfTheDisplay) {
  ASSERT_EQ(96, DisplayPixelsPerInch());
  HFONT font = (HFONT)FontLoad(1, "Arial", 10);
  ASSERT_NE(nullptr, font);
  LOGFONTA description = Describe(font);
  EXPECT_EQ(-13, description.lfHeight);  // 10 * 96 / 72 = 13.33
  EXPECT_STREQ("Arial", description.lfFaceName);
  EXPECT_EQ(DEFAULT_CHARSET, description.lfCharSet);
  EXPECT_EQ(-19, Describe((HFONT)FontLoad(0, "Times New Roman", 14)).lfHeight);  // 18.67
  FontFree(0);
  FontFree(1);
}

TEST(Fonts, StyleFlagsSetWeightItalicUnderlineStrikeOutAndQuality) {
  struct Row {
    uint32_t style;
    LONG weight;
    BYTE italic, underline, strikeOut, quality;
  };
  const Row rows[] = {
      {0, FW_NORMAL, 0, 0, 0, DEFAULT_QUALITY},
      {FontBold, FW_BOLD, 0, 0, 0, DEFAULT_QUALITY},
      {FontItalic, FW_NORMAL, 1, 0, 0, DEFAULT_QUALITY},
      {FontUnderline, FW_NORMAL, 0, 1, 0, DEFAULT_QUALITY},
      {FontStrikeOut, FW_NORMAL, 0, 0, 1, DEFAULT_QUALITY},
      {FontHighQuality, FW_NORMAL, 0, 0, 0, PROOF_QUALITY},
      {FontBold | FontItalic | FontUnderline | FontStrikeOut | FontHighQuality, FW_BOLD, 1, 1, 1,
       PROOF_QUALITY},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "style 0x" << std::hex << row.style);
    LOGFONTA description = Describe((HFONT)FontLoad(2, "Arial", 9, row.style));
    EXPECT_EQ(row.weight, description.lfWeight);
    EXPECT_EQ(row.italic, description.lfItalic);
    EXPECT_EQ(row.underline, description.lfUnderline);
    EXPECT_EQ(row.strikeOut, description.lfStrikeOut);
    EXPECT_EQ(row.quality, description.lfQuality);
  }
  FontFree(2);
}

TEST(Fonts, LoadingUnderAUsedNumberFreesTheOldFont) {
  HFONT first = (HFONT)FontLoad(3, "Arial", 10);
  ASSERT_EQ(OBJ_FONT, GetObjectType(first));
  HFONT second = (HFONT)FontLoad(3, "Arial", 12);
  ASSERT_NE(nullptr, second);
  EXPECT_EQ(0u, GetObjectType(first));
  FontFree(3);
  EXPECT_EQ(0u, GetObjectType(second));
  FontFree(3);  // nothing left: does nothing
}

TEST(Fonts, AutoNumberReturnsTheNewNumber) {
  intptr_t a = FontLoad(AutoNumber, "Arial", 10, FontBold);
  intptr_t b = FontLoad(AutoNumber, "Arial", 10);
  ASSERT_NE(0, a);
  ASSERT_NE(0, b);
  EXPECT_NE(a, b);
  HFONT bold = AutoNumberedFont(a);
  EXPECT_EQ(FW_BOLD, Describe(bold).lfWeight);
  FontFree(a);
  EXPECT_EQ(0u, GetObjectType(bold));
  EXPECT_EQ((DWORD)OBJ_FONT, GetObjectType(AutoNumberedFont(b)));
  FontFree(b);
}

TEST(Fonts, StopFreesEveryFont) {
  HFONT fixed = (HFONT)FontLoad(4, "Arial", 10);
  HFONT automatic = AutoNumberedFont(FontLoad(AutoNumber, "Arial", 11));
  FontsStop();
  EXPECT_EQ(0u, GetObjectType(fixed));
  EXPECT_EQ(0u, GetObjectType(automatic));
}

TEST(BrushCache, OneBrushPerColourLivesAsLongAsItsUsers) {
  HBRUSH first = BrushAcquire(0xDCDCDC);
  HBRUSH second = BrushAcquire(0xDCDCDC);
  HBRUSH other = BrushAcquire(0xBEBEBE);
  ASSERT_NE(nullptr, first);
  EXPECT_EQ(first, second);
  EXPECT_NE(first, other);
  LOGBRUSH description = {};
  GetObjectA(first, sizeof(description), &description);
  EXPECT_EQ(0xDCDCDCu, description.lbColor);

  BrushRelease(first);
  EXPECT_EQ(OBJ_BRUSH, GetObjectType(first));  // one user left
  BrushRelease(second);
  EXPECT_EQ(0u, GetObjectType(first));
  EXPECT_EQ(OBJ_BRUSH, GetObjectType(other));
  BrushRelease(other);
  EXPECT_EQ(0u, GetObjectType(other));

  HBRUSH again = BrushAcquire(0xDCDCDC);  // a fresh brush, not the deleted one
  EXPECT_EQ(OBJ_BRUSH, GetObjectType(again));
  BrushRelease(again);
}

TEST(GdiObject, FreeDeletesWhatItHoldsAndLeavesNone) {
  GdiObject<HBRUSH> owner = {};
  owner.Free();  // holds none: nothing happens
  EXPECT_EQ(nullptr, owner.Get());
  HBRUSH brush = CreateSolidBrush(0x123456);
  owner.Take(brush);
  EXPECT_EQ(brush, owner.Get());
  owner.Free();
  EXPECT_EQ(0u, GetObjectType(brush));
  EXPECT_EQ(nullptr, owner.Get());
  owner.Free();  // freed twice: the second time holds none
}

}  // namespace
