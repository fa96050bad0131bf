// Numbered images from BMP and ICO files: pixels, entry choice, refusal of parts that do
// not fit, replacement and freeing.
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
  DeleteObject(parts.hbmMask);
  return true;
}

bool BitmapIsAlive(HANDLE bitmap) { return GetObjectType(bitmap) == OBJ_BITMAP; }

std::vector<uint8_t> IconFile(int side, int bits) {
  return EncodeIco({{(uint8_t)side, (uint8_t)side, (uint16_t)bits,
                     EncodeIconImage(PatternPicture(side, side, 2), bits)}});
}

intptr_t Make(intptr_t number, const std::vector<uint8_t>& bytes) {
  GuardedBytes guarded(bytes.size());
  return ImageFromMemory(number, guarded.Place(bytes), (uint32_t)bytes.size());
}

TEST_F(ImageObjectsTest, BmpFilesBecome32BitBitmapsInTheFilesRowOrder) {
  struct Case {
    const char* name;
    int bits;
    BmpRows rows;
    int colors;  // 0: a gradient
  };
  const Case cases[] = {{"1 bit", 1, BmpRows::BottomUp, 2},
                        {"8 bits", 8, BmpRows::BottomUp, 8},
                        {"8 bits run-length", 8, BmpRows::RunLength8, 8},
                        {"24 bits top-down", 24, BmpRows::TopDown, 0},
                        {"32 bits", 32, BmpRows::BottomUp, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Picture picture = PatternPicture(7, 5, c.colors);
    HANDLE bitmap = (HANDLE)Make(2, EncodeBmp(picture, c.bits, c.rows));
    DibPixels pixels;
    ASSERT_TRUE(ReadDib(bitmap, c.rows == BmpRows::TopDown, &pixels));
    EXPECT_EQ(picture.At(6, 4), ShownPixel(bitmap, 6, 4));
    EXPECT_EQ(7, FindImage(2)->width);
    EXPECT_EQ(5, FindImage(2)->height);
    EXPECT_EQ(32, FindImage(2)->depth);
    for (int y = 0; y < 5; ++y)
      for (int x = 0; x < 7; ++x) ASSERT_EQ(picture.At(x, y), pixels.Rgb(x, y)) << x << "," << y;
  }
}

// Each case changes one 32-bit field of a valid file; cut files are the bad-input tests'.
struct FieldChange {
  const char* name;
  size_t at;
  uint32_t value;
};

void ExpectRefused(const std::vector<uint8_t>& valid, const FieldChange& change) {
  std::vector<uint8_t> changed = valid;
  memcpy(&changed[change.at], &change.value, 4);
  EXPECT_EQ(0, Make(1, changed)) << change.name;
  EXPECT_EQ(nullptr, FindImage(1)) << change.name;
}

TEST_F(ImageObjectsTest, BmpFilesWhosePartsDoNotFitAreRefused) {
  const std::vector<uint8_t> plain = EncodeBmp(PatternPicture(6, 4, 8), 8, BmpRows::BottomUp);
  const std::vector<uint8_t> runs = EncodeBmp(PatternPicture(6, 4, 8), 8, BmpRows::RunLength8);
  const uint32_t pixelOffset = 14 + 40 + 8 * 4;
  const FieldChange plainChanges[] = {
      {"more colours than the file holds", 14 + 32, 200},
      {"more colours than 8 bits allow", 14 + 32, 257},
      {"pixel offset beyond the end", 10, (uint32_t)plain.size() + 1},
      {"pixel offset leaving too few rows", 10, pixelOffset + 1},
      {"taller than its rows", 14 + 8, 5},
      {"information header larger than the file", 14, 4000},
      {"information header of a foreign size", 14, 12},
      {"zero width", 14 + 4, 0},
      {"compressed as JPEG", 14 + 16, BI_JPEG},
  };
  for (const FieldChange& change : plainChanges) ExpectRefused(plain, change);
  const FieldChange runChanges[] = {
      {"runs of unknown length", 14 + 20, 0},
      {"runs beyond the end", 14 + 20, (uint32_t)(runs.size() - pixelOffset + 1)},
      {"runs top-down", 14 + 8, (uint32_t)-4},
  };
  for (const FieldChange& change : runChanges) ExpectRefused(runs, change);
}

TEST_F(ImageObjectsTest, IconEntryIsTheFirstOrALaterOneOfItsSizeWithMoreBits) {
  struct Case {
    const char* name;
    std::vector<IcoEntry> entries;  // only the directory matters here
    int chosen;
  };
  const Case cases[] = {
      {"same size, more bits", {{16, 16, 4, {}}, {32, 32, 8, {}}, {16, 16, 32, {}}}, 2},
      {"other size ignored", {{16, 16, 4, {}}, {16, 32, 32, {}}, {32, 16, 32, {}}}, 0},
      {"tie keeps the earlier", {{16, 16, 4, {}}, {16, 16, 8, {}}, {16, 16, 8, {}}}, 1},
      {"more than the best so far", {{16, 16, 4, {}}, {16, 16, 32, {}}, {16, 16, 8, {}}}, 1},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> ico = EncodeIco(c.entries);
    EXPECT_EQ(c.chosen, ChooseIconEntry(ico.data(), (uint32_t)ico.size())) << c.name;
  }
}

TEST_F(ImageObjectsTest, IconFileYieldsTheIconOfTheChosenEntry) {
  // Each entry is one colour, so the drawn icon tells which entry it was made from.
  auto plain = [](int side, uint32_t rgb) {
    Picture p;
    p.width = p.height = side;
    p.rgb.assign(side * side, rgb);
    return p;
  };
  HANDLE icon = (HANDLE)Make(0, EncodeIco({{16, 16, 4, EncodeIconImage(plain(16, 0xFF0000), 4)},
                                           {32, 32, 8, EncodeIconImage(plain(32, 0x00FF00), 8)},
                                           {16, 16, 32, EncodeIconImage(plain(16, 0x0000FF), 32)}}));
  ASSERT_TRUE(IconIsAlive(icon));
  EXPECT_EQ(16, FindImage(0)->width);
  EXPECT_EQ(16, FindImage(0)->height);
  EXPECT_EQ(0x0000FFu, IconPixel(static_cast<HICON>(icon), 16, 8, 8));
}

TEST_F(ImageObjectsTest, IconRecordDescribesTheColourBitmapOrAMonochromeMask) {
  for (int bits : {1, 8}) {
    SCOPED_TRACE(bits);
    HANDLE icon = (HANDLE)Make(3, IconFile(32, bits));
    ICONINFO parts;
    ASSERT_TRUE(GetIconInfo(static_cast<HICON>(icon), &parts));
    BITMAP description;
    GetObjectA(parts.hbmColor ? parts.hbmColor : parts.hbmMask, sizeof description, &description);
    if (parts.hbmColor) DeleteObject(parts.hbmColor);
    DeleteObject(parts.hbmMask);
    EXPECT_EQ(32, FindImage(3)->width);
    EXPECT_EQ(32, FindImage(3)->height);  // a mask alone holds twice the rows
    EXPECT_EQ(description.bmBitsPixel, FindImage(3)->depth);
  }
}

TEST_F(ImageObjectsTest, IconEntriesWhoseDataDoNotFitAreRefused) {
  const std::vector<uint8_t> valid = IconFile(32, 8);
  const size_t entry = 6, image = 22;
  const FieldChange changes[] = {
      {"data beyond the end of the file", entry + 8, (uint32_t)valid.size()},
      {"offset beyond the end of the file", entry + 12, (uint32_t)valid.size() + 1},
      {"offset and size wrapping around", entry + 12, 0xFFFFFFF0u},
      {"entry too small for its mask", entry + 8, (uint32_t)(valid.size() - image - 1)},
      {"bitmap taller than its entry", image + 8, 66},
      {"bitmap of deeper pixels than its entry holds", image + 14, 32},
  };
  for (const FieldChange& change : changes) ExpectRefused(valid, change);
}

TEST_F(ImageObjectsTest, ReplacingFreeingAndStoppingReleaseEachKindTheRightWay) {
  const std::vector<uint8_t> bmp = EncodeBmp(PatternPicture(5, 3, 0), 24, BmpRows::BottomUp);
  const std::vector<uint8_t> ico = IconFile(32, 8);
  HANDLE firstBitmap = (HANDLE)Make(0, bmp);
  HANDLE firstIcon = (HANDLE)Make(1, ico);
  HANDLE secondBitmap = (HANDLE)Make(0, bmp);
  HANDLE secondIcon = (HANDLE)Make(1, ico);
  EXPECT_FALSE(BitmapIsAlive(firstBitmap));
  EXPECT_FALSE(IconIsAlive(firstIcon));
  EXPECT_TRUE(BitmapIsAlive(secondBitmap));
  EXPECT_TRUE(IconIsAlive(secondIcon));
  const std::vector<uint8_t> junk = {'n', 'o', ' ', 'p', 'i', 'c', 't', 'u', 'r', 'e'};
  EXPECT_EQ(0, Make(0, junk));  // the old image is freed all the same
  EXPECT_FALSE(BitmapIsAlive(secondBitmap));
  EXPECT_EQ(nullptr, FindImage(0));

  intptr_t autoIcon = Make(AutoNumber, ico);
  ASSERT_EQ((intptr_t)FindImage(autoIcon), autoIcon);
  HANDLE thirdIcon = FindImage(autoIcon)->handle.Get();
  ImageFree(AutoNumber);
  ImageFree(7);  // no image there
  EXPECT_TRUE(IconIsAlive(thirdIcon));
  ImageFree(autoIcon);
  EXPECT_FALSE(IconIsAlive(thirdIcon));

  HANDLE lastBitmap = (HANDLE)Make(20, bmp);
  HANDLE autoBitmap = FindImage(Make(AutoNumber, bmp))->handle.Get();
  ImagesStop();
  EXPECT_FALSE(IconIsAlive(secondIcon));
  EXPECT_FALSE(BitmapIsAlive(lastBitmap));
  EXPECT_FALSE(BitmapIsAlive(autoBitmap));
}

}  // namespace
