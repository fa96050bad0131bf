// Numbered images: BMP files, ICO files, registered decoders, replacement and freeing.
#include "image/ico_file.h"
#include "image/image_record.h"
#include "image_test_support.h"
#include "picture_encoders.h"

namespace {

class ImageObjectsTest : public ImageTest {};

bool IconIsAlive(HANDLE icon) {
  ICONINFO parts;
  if (!GetIconInfo(static_cast<HICON>(icon), &parts)) return false;
  if (parts.hbmColor) DeleteObject(parts.hbmColor);
  if (parts.hbmMask) DeleteObject(parts.hbmMask);
  return true;
}

bool BitmapIsAlive(HANDLE bitmap) { return GetObjectType(bitmap) == OBJ_BITMAP; }

std::vector<uint8_t> SmallBmp() { return EncodeBmp(PatternPicture(5, 3, 0), 24, BmpRows::BottomUp); }

std::vector<uint8_t> IconFile(int side, int bits, int colors) {
  return EncodeIco({{(uint8_t)side, (uint8_t)side, (uint16_t)bits,
                     EncodeIconImage(PatternPicture(side, side, colors), bits)}});
}

// ---- BMP files ----

TEST_F(ImageObjectsTest, BmpFilesOfEveryLayoutBecome32BitBitmapsWithTheirPixels) {
  struct Case {
    const char* name;
    int bits;
    BmpRows rows;
    int colors;  // 0: a gradient
  };
  const Case cases[] = {
      {"1 bit", 1, BmpRows::BottomUp, 2},         {"4 bits", 4, BmpRows::BottomUp, 8},
      {"8 bits", 8, BmpRows::BottomUp, 8},        {"8 bits run-length", 8, BmpRows::RunLength8, 8},
      {"16 bits 5-6-5", 16, BmpRows::BottomUp, 8}, {"24 bits", 24, BmpRows::BottomUp, 0},
      {"24 bits top-down", 24, BmpRows::TopDown, 0}, {"32 bits", 32, BmpRows::BottomUp, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Picture picture = PatternPicture(7, 5, c.colors);
    std::vector<uint8_t> bmp = EncodeBmp(picture, c.bits, c.rows);
    GuardedBytes guarded(bmp.size());
    HANDLE bitmap = (HANDLE)ImageFromMemory(2, guarded.Place(bmp), (uint32_t)bmp.size());
    ASSERT_NE(nullptr, bitmap);
    DibPixels pixels;
    // The bitmap keeps the file's row order (its height as in the file).
    ASSERT_TRUE(ReadDib(bitmap, c.rows == BmpRows::TopDown, &pixels));
    EXPECT_EQ(picture.At(0, 0), ShownPixel(bitmap, 0, 0));
    EXPECT_EQ(picture.At(6, 4), ShownPixel(bitmap, 6, 4));
    EXPECT_EQ(7, FindImage(2)->width);
    EXPECT_EQ(5, FindImage(2)->height);
    EXPECT_EQ(32, FindImage(2)->depth);
    for (int y = 0; y < 5; ++y)
      for (int x = 0; x < 7; ++x) ASSERT_EQ(picture.At(x, y), pixels.Rgb(x, y)) << x << "," << y;
  }
}

TEST_F(ImageObjectsTest, BmpFilesWhosePartsDoNotFitAreRefused) {
  Picture picture = PatternPicture(6, 4, 8);
  const std::vector<uint8_t> valid = EncodeBmp(picture, 8, BmpRows::BottomUp);
  const std::vector<uint8_t> runs = EncodeBmp(picture, 8, BmpRows::RunLength8);
  const uint32_t pixelOffset = 14 + 40 + 8 * 4;
  struct Case {
    const char* name;
    size_t at;      // 32-bit field to change, or 0 for none
    uint32_t value;
    size_t size;    // bytes handed over
    bool runLength = false;
  };
  const Case cases[] = {
      {"cut inside the information header", 0, 0, 14 + 39},
      {"cut inside the colour table", 0, 0, pixelOffset - 1},
      {"cut inside the last row", 0, 0, valid.size() - 1},
      {"colour table of more entries than the file holds", 14 + 32, 200, valid.size()},
      {"more colours than 8 bits allow", 14 + 32, 257, valid.size()},
      {"pixel offset beyond the end", 10, (uint32_t)valid.size() + 1, valid.size()},
      {"pixel offset leaving too few rows", 10, pixelOffset + 1, valid.size()},
      {"taller than its rows", 14 + 8, 5, valid.size()},
      {"information header larger than the file", 14, 4000, valid.size()},
      {"information header of a foreign size", 14, 12, valid.size()},
      {"zero width", 14 + 4, 0, valid.size()},
      {"run-length data of unknown length", 14 + 20, 0, runs.size(), true},
      {"run-length data beyond the end", 14 + 20, (uint32_t)(runs.size() - pixelOffset + 1),
       runs.size(), true},
      {"run-length rows top-down", 14 + 8, (uint32_t)-4, runs.size(), true},
      {"compressed as JPEG", 14 + 16, BI_JPEG, valid.size()},
  };
  GuardedBytes guarded(runs.size());
  for (const Case& c : cases) {
    std::vector<uint8_t> bmp = c.runLength ? runs : valid;
    if (c.at) memcpy(&bmp[c.at], &c.value, 4);
    EXPECT_EQ(0, ImageFromMemory(1, guarded.Place(bmp.data(), c.size), (uint32_t)c.size)) << c.name;
    EXPECT_EQ(nullptr, FindImage(1)) << c.name;
  }
  EXPECT_NE(0, ImageFromMemory(1, guarded.Place(valid), (uint32_t)valid.size()));
  EXPECT_NE(0, ImageFromMemory(1, guarded.Place(runs), (uint32_t)runs.size()));
}

// ---- ICO files ----

TEST_F(ImageObjectsTest, IconEntryIsTheFirstOrALaterOneOfItsSizeWithMoreBits) {
  struct Case {
    const char* name;
    std::vector<IcoEntry> entries;  // no image data: only the directory matters
    int chosen;
  };
  const Case cases[] = {
      {"one entry", {{32, 32, 8, {}}}, 0},
      {"same size, more bits", {{16, 16, 4, {}}, {32, 32, 8, {}}, {16, 16, 32, {}}}, 2},
      {"other size ignored", {{16, 16, 4, {}}, {32, 32, 32, {}}}, 0},
      {"width differs", {{16, 16, 4, {}}, {32, 16, 32, {}}}, 0},
      {"height differs", {{16, 16, 4, {}}, {16, 32, 32, {}}}, 0},
      {"tie keeps the earlier", {{16, 16, 4, {}}, {16, 16, 8, {}}, {16, 16, 8, {}}}, 1},
      {"fewer bits ignored", {{48, 48, 32, {}}, {48, 48, 8, {}}}, 0},
      {"best so far, not first", {{16, 16, 4, {}}, {16, 16, 32, {}}, {16, 16, 8, {}}}, 1},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> ico = EncodeIco(c.entries);
    EXPECT_EQ(c.chosen, ChooseIconEntry(ico.data(), (uint32_t)ico.size())) << c.name;
  }
  std::vector<uint8_t> ico = EncodeIco({{16, 16, 4, {}}, {16, 16, 8, {}}});
  EXPECT_EQ(-1, ChooseIconEntry(ico.data(), (uint32_t)ico.size() - 1)) << "directory cut short";
  ico[2] = 2;  // a cursor file
  EXPECT_EQ(-1, ChooseIconEntry(ico.data(), (uint32_t)ico.size()));
  ico[2] = 1;
  ico[4] = 0;  // no entries
  ico[5] = 0;
  EXPECT_EQ(-1, ChooseIconEntry(ico.data(), (uint32_t)ico.size()));
}

TEST_F(ImageObjectsTest, IconFileYieldsTheIconOfTheChosenEntry) {
  // Each entry is one colour, so the drawn icon tells which entry it was made from.
  auto plain = [](int side, uint32_t rgb) {
    Picture p;
    p.width = p.height = side;
    p.rgb.assign(side * side, rgb);
    return p;
  };
  std::vector<uint8_t> ico = EncodeIco({
      {16, 16, 4, EncodeIconImage(plain(16, 0xFF0000), 4)},
      {32, 32, 8, EncodeIconImage(plain(32, 0x00FF00), 8)},
      {16, 16, 32, EncodeIconImage(plain(16, 0x0000FF), 32)},
  });
  GuardedBytes guarded(ico.size());
  HANDLE icon = (HANDLE)ImageFromMemory(0, guarded.Place(ico), (uint32_t)ico.size());
  ASSERT_NE(nullptr, icon);
  EXPECT_NE(OBJ_BITMAP, (int)GetObjectType(icon));
  EXPECT_EQ(16, FindImage(0)->width);
  EXPECT_EQ(16, FindImage(0)->height);
  EXPECT_EQ(0x0000FFu, IconPixel(static_cast<HICON>(icon), 16, 8, 8));
}

TEST_F(ImageObjectsTest, IconRecordTakesItsSizeAndDepthFromTheColourBitmap) {
  for (int bits : {1, 8}) {
    SCOPED_TRACE(bits);
    std::vector<uint8_t> ico = IconFile(32, bits, 2);
    HANDLE icon = (HANDLE)ImageFromMemory(3, ico.data(), (uint32_t)ico.size());
    ASSERT_NE(nullptr, icon);
    ICONINFO parts;
    ASSERT_TRUE(GetIconInfo(static_cast<HICON>(icon), &parts));
    BITMAP description;
    // A monochrome icon has only its mask bitmap: the AND rows above the XOR rows.
    HBITMAP described = parts.hbmColor ? parts.hbmColor : parts.hbmMask;
    ASSERT_TRUE(GetObjectA(described, sizeof description, &description));
    if (parts.hbmColor) DeleteObject(parts.hbmColor);
    DeleteObject(parts.hbmMask);
    EXPECT_EQ(32, FindImage(3)->width);
    EXPECT_EQ(32, FindImage(3)->height);
    EXPECT_EQ(description.bmBitsPixel, FindImage(3)->depth);
  }
}

TEST_F(ImageObjectsTest, IconEntriesWhoseDataDoNotFitAreRefused) {
  const std::vector<uint8_t> valid = IconFile(32, 8, 8);
  const size_t entry = 6;
  struct Case {
    const char* name;
    size_t at;
    uint32_t value;
  };
  const Case cases[] = {
      {"data beyond the end of the file", entry + 8, (uint32_t)valid.size()},
      {"offset beyond the end of the file", entry + 12, (uint32_t)valid.size() + 1},
      {"offset and size wrapping around", entry + 12, 0xFFFFFFF0u},
      {"entry too small for its bitmap", entry + 8, (uint32_t)valid.size() - 22 - 1},
      {"bitmap taller than its entry", 22 + 8, 66},
      {"bitmap of deeper pixels than its entry holds", 22 + 14, 32},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> ico = valid;
    memcpy(&ico[c.at], &c.value, 4);
    GuardedBytes guarded(ico.size());
    EXPECT_EQ(0, ImageFromMemory(0, guarded.Place(ico), (uint32_t)ico.size())) << c.name;
  }
}

// ---- numbers, replacement and freeing ----

TEST_F(ImageObjectsTest, CreatingAnImageUnderAUsedNumberFreesTheFirst) {
  std::vector<uint8_t> bmp = SmallBmp();
  std::vector<uint8_t> ico = IconFile(32, 8, 8);
  HANDLE firstBitmap = (HANDLE)ImageFromMemory(0, bmp.data(), (uint32_t)bmp.size());
  HANDLE firstIcon = (HANDLE)ImageFromMemory(1, ico.data(), (uint32_t)ico.size());
  ASSERT_TRUE(BitmapIsAlive(firstBitmap));
  ASSERT_TRUE(IconIsAlive(firstIcon));
  HANDLE secondBitmap = (HANDLE)ImageFromMemory(0, bmp.data(), (uint32_t)bmp.size());
  HANDLE secondIcon = (HANDLE)ImageFromMemory(1, ico.data(), (uint32_t)ico.size());
  ASSERT_NE(firstBitmap, secondBitmap);
  ASSERT_NE(firstIcon, secondIcon);
  EXPECT_FALSE(BitmapIsAlive(firstBitmap));
  EXPECT_FALSE(IconIsAlive(firstIcon));
  EXPECT_EQ(secondBitmap, ImageHandle(0));
  EXPECT_EQ(secondIcon, ImageHandle(1));
  // Data that is no picture leaves the number empty, the old image freed.
  const uint8_t junk[] = "no picture at all";
  EXPECT_EQ(0, ImageFromMemory(0, junk, sizeof junk));
  EXPECT_FALSE(BitmapIsAlive(secondBitmap));
  EXPECT_EQ(nullptr, ImageHandle(0));
}

TEST_F(ImageObjectsTest, FreeDeletesBitmapsAndDestroysIcons) {
  std::vector<uint8_t> bmp = SmallBmp();
  std::vector<uint8_t> ico = IconFile(32, 8, 8);
  HANDLE bitmap = (HANDLE)ImageFromMemory(4, bmp.data(), (uint32_t)bmp.size());
  int iconNumber = (int)ImageFromMemory(AutoNumber, ico.data(), (uint32_t)ico.size());
  HANDLE icon = ImageHandle(iconNumber);
  ASSERT_TRUE(BitmapIsAlive(bitmap));
  ASSERT_TRUE(IconIsAlive(icon));
  ImageFree(AutoNumber);
  ImageFree(7);  // no image there
  EXPECT_TRUE(BitmapIsAlive(bitmap));
  EXPECT_TRUE(IconIsAlive(icon));
  ImageFree(4);
  ImageFree(iconNumber);
  EXPECT_FALSE(BitmapIsAlive(bitmap));
  EXPECT_FALSE(IconIsAlive(icon));
  EXPECT_EQ(nullptr, ImageHandle(4));
}

TEST_F(ImageObjectsTest, AutoNumberImagesAreNumberedByTheirRecord) {
  std::vector<uint8_t> bmp = SmallBmp();
  intptr_t first = ImageFromMemory(AutoNumber, bmp.data(), (uint32_t)bmp.size());
  intptr_t second = ImageFromMemory(AutoNumber, bmp.data(), (uint32_t)bmp.size());
  ASSERT_NE(0, first);
  ASSERT_NE(first, second);
  EXPECT_EQ((intptr_t)FindImage((int)first), first);
  EXPECT_TRUE(BitmapIsAlive(ImageHandle((int)first)));
  EXPECT_EQ(0, ImageFromMemory(AutoNumber, bmp.data(), 20));
  EXPECT_EQ(0, ImageFromMemory(AutoNumber, nullptr, 100));
}

TEST_F(ImageObjectsTest, StopFreesEveryImage) {
  std::vector<uint8_t> bmp = SmallBmp();
  std::vector<uint8_t> ico = IconFile(16, 4, 8);
  HANDLE fixedBitmap = (HANDLE)ImageFromMemory(20, bmp.data(), (uint32_t)bmp.size());
  HANDLE fixedIcon = (HANDLE)ImageFromMemory(3, ico.data(), (uint32_t)ico.size());
  HANDLE autoBitmap = ImageHandle((int)ImageFromMemory(AutoNumber, bmp.data(), (uint32_t)bmp.size()));
  ImagesStop();
  EXPECT_FALSE(BitmapIsAlive(fixedBitmap));
  EXPECT_FALSE(IconIsAlive(fixedIcon));
  EXPECT_FALSE(BitmapIsAlive(autoBitmap));
  EXPECT_EQ(nullptr, ImageHandle(20));
}

// ---- registered decoders ----

// A decoder of 5 by 2 pictures that declines data starting with 'N', reports data
// starting with 'A' as having alpha, and fails after its first row when asked to.
struct FakeDecoder {
  static int checks;
  static uint32_t strideSeen;
  static bool failAfterFirstRow;
  static int Check(const uint8_t* data, uint32_t size) {
    ++checks;
    if (size == 0 || data[0] == 'N') return DecodedNone;
    return data[0] == 'A' ? DecodedBgra : DecodedBgr;
  }
  static int Decode(uint8_t* pixels, uint32_t stride) {
    strideSeen = stride;
    for (int row = 0; row < 2; ++row) {
      memset(pixels + row * stride, 0x40 + row, 5 * 3);
      if (failAfterFirstRow) return 0;
    }
    return 1;
  }
  static uint32_t Width() { return 5; }
  static uint32_t Height() { return 2; }
};
int FakeDecoder::checks;
uint32_t FakeDecoder::strideSeen;
bool FakeDecoder::failAfterFirstRow;
const ImageDecoder Fake = {FakeDecoder::Check, FakeDecoder::Decode, FakeDecoder::Width,
                           FakeDecoder::Height};
const ImageDecoder Declining = {[](const uint8_t*, uint32_t) { return 0; }, nullptr, nullptr, nullptr};

class DecoderRegistryTest : public ImageTest {
 protected:
  void SetUp() override {
    DecodersStart();
    ImagesStart();
    RegisterDecoder(&Declining);
    RegisterDecoder(&Fake);
    FakeDecoder::checks = 0;
    FakeDecoder::strideSeen = 0;
    FakeDecoder::failAfterFirstRow = false;
  }
};

TEST_F(DecoderRegistryTest, FirstAcceptingDecoderMakesABitmapOfTheKindItReports) {
  const uint8_t rgb[] = "picture";
  HANDLE bitmap = (HANDLE)ImageFromMemory(0, rgb, sizeof rgb);
  ASSERT_NE(nullptr, bitmap);
  EXPECT_EQ(&Fake, Decoders.current);
  EXPECT_EQ(16u, FakeDecoder::strideSeen);  // 5 * 3 + 5 mod 4
  DibPixels pixels;
  ASSERT_TRUE(ReadDib(bitmap, true, &pixels));
  EXPECT_EQ(24, pixels.bitsPerPixel);
  EXPECT_EQ(0x414141u, pixels.Rgb(4, 1));

  const uint8_t rgba[] = "Alpha";
  ASSERT_NE(0, ImageFromMemory(0, rgba, sizeof rgba));
  EXPECT_EQ(20u, FakeDecoder::strideSeen);
  EXPECT_EQ(32, FindImage(0)->depth);

  const uint8_t declined[] = "No";
  EXPECT_EQ(0, ImageFromMemory(0, declined, sizeof declined));
  EXPECT_EQ(3, FakeDecoder::checks);
}

TEST_F(DecoderRegistryTest, PictureFailingPartWayIsRefused) {
  const uint8_t rgb[] = "picture";
  ASSERT_NE(0, ImageFromMemory(0, rgb, sizeof rgb));
  FakeDecoder::failAfterFirstRow = true;
  EXPECT_EQ(0, ImageFromMemory(0, rgb, sizeof rgb));
  EXPECT_EQ(nullptr, FindImage(0));
  EXPECT_EQ(0, ImageFromMemory(AutoNumber, rgb, sizeof rgb));
}

TEST_F(DecoderRegistryTest, HoldsAHundredDecoders) {
  for (int i = 2; i < MaxDecoders; ++i) EXPECT_EQ(1, RegisterDecoder(new ImageDecoder(Declining)));
  EXPECT_EQ(0, RegisterDecoder(new ImageDecoder(Declining)));
  EXPECT_EQ(MaxDecoders, Decoders.count);
}

}  // namespace
