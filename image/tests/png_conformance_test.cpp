// libpng's own test pictures decoded through ImageFromMemory and compared pixel by pixel
// with ImageMagick's decoding of the same files (written by make_png_reference.sh).
#include <stdio.h>
#include <algorithm>
#include <string>
#include "image/image_record.h"
#include "image_test_support.h"

namespace {

const std::string Pictures = BRX_PNG_PICTURES;
const std::string Reference = BRX_PNG_REFERENCE;

// Reference pixels: 16-bit big-endian samples, blue, green, red (and alpha). Every
// decoded sample must equal the high byte of its reference sample.
struct ReferencePixels {
  int width = 0, height = 0, channels = 0;
  std::vector<uint8_t> samples;
};

bool ReadReference(const std::string& path, ReferencePixels* reference) {
  std::vector<uint8_t> bytes = ReadWholeFile(path);
  auto lineEnd = std::find(bytes.begin(), bytes.end(), '\n');
  if (lineEnd == bytes.end()) return false;
  std::string header(bytes.begin(), lineEnd);
  if (sscanf(header.c_str(), "BRXREF %d %d %d", &reference->width, &reference->height,
             &reference->channels) != 3)
    return false;
  reference->samples.assign(lineEnd + 1, bytes.end());
  return reference->samples.size() ==
         (size_t)reference->width * reference->height * reference->channels * 2;
}

// The rows of a decoded picture without their padding, top row first.
std::vector<uint8_t> PackedRows(const DibPixels& pixels) {
  std::vector<uint8_t> rows;
  for (int y = 0; y < pixels.height; ++y)
    rows.insert(rows.end(), pixels.Row(y), pixels.Row(y) + pixels.width * pixels.bitsPerPixel / 8);
  return rows;
}

class PngConformanceTest : public ImageTest {
 protected:
  // The rows of image 0 made from the file, checked to be top-down and described right.
  testing::AssertionResult Decode(const std::string& path, std::vector<uint8_t>* rows,
                                  DibPixels* pixels) {
    std::vector<uint8_t> bytes = ReadWholeFile(path);
    HANDLE bitmap = (HANDLE)ImageFromMemory(0, bytes.data(), (uint32_t)bytes.size());
    if (!ReadDib(bitmap, true, pixels)) return testing::AssertionFailure() << path << " was refused";
    if (ShownPixel(bitmap, 0, 0) != pixels->Rgb(0, 0))
      return testing::AssertionFailure() << path << ": rows bottom-up";
    if (FindImage(0)->depth != pixels->bitsPerPixel)
      return testing::AssertionFailure() << path << ": the record's depth differs";
    *rows = PackedRows(*pixels);
    return testing::AssertionSuccess();
  }
};

TEST_F(PngConformanceTest, EveryTestPictureMatchesTheReferenceDecoder) {
  int compared = 0, matching = 0;
  for (const char* folder : {"pngsuite", "pngsuite/interlaced", "testpngs"}) {
    for (const std::string& name : ListFiles(Pictures + "/" + folder, "*.png")) {
      std::string base = std::string(folder) + "/" + name.substr(0, name.size() - 4);
      ReferencePixels reference;
      ASSERT_TRUE(ReadReference(Reference + "/" + base + ".ref", &reference)) << base;
      ++compared;
      std::vector<uint8_t> rows;
      DibPixels pixels;
      ASSERT_TRUE(Decode(Pictures + "/" + folder + "/" + name, &rows, &pixels));
      std::vector<uint8_t> expected;
      for (size_t i = 0; i < reference.samples.size(); i += 2) expected.push_back(reference.samples[i]);
      EXPECT_EQ(reference.width, pixels.width) << base;
      EXPECT_EQ(reference.channels * 8, pixels.bitsPerPixel) << base;
      bool same = rows == expected;
      EXPECT_TRUE(same) << base << ": pixels differ";
      matching += same;
    }
  }
  printf("PNG conformance: %d pictures compared, %d matching\n", compared, matching);
  EXPECT_EQ(164, compared);  // 60 of the PNG suite and 104 of the colour-type set
}

TEST_F(PngConformanceTest, InterlacedPicturesEqualTheirTwins) {
  int pairs = 0;
  for (const char* folder : {"pngsuite", "pngsuite/interlaced"}) {
    for (const std::string& name : ListFiles(Pictures + "/" + folder, "i*.png")) {
      std::vector<uint8_t> interlaced, twin;
      DibPixels pixels;
      ASSERT_TRUE(Decode(Pictures + "/" + folder + "/" + name, &interlaced, &pixels));
      ASSERT_TRUE(Decode(Pictures + "/pngsuite/" + name.substr(1), &twin, &pixels));
      EXPECT_EQ(twin, interlaced) << name;
      ++pairs;
    }
  }
  EXPECT_EQ(30, pairs);
}

// Pictures made to break decoders, read without a fault. One is a sound picture all the
// same (its ancillary chunks are empty and skipped); three have a sound header and fail
// inside their image data, so they are kept with the rows read before the failure.
TEST_F(PngConformanceTest, BrokenPicturesAreRefusedOrKeptInPart) {
  const std::vector<std::string> images = {"badadler.png", "badcrc.png", "empty_ancillary_chunks.png",
                                           "huge_IDAT.png"};
  std::string folder = Pictures + "/testpngs/crashers";
  std::vector<std::string> names = ListFiles(folder, "*.png");
  ASSERT_EQ(23u, names.size());
  int refused = 0;
  for (const std::string& name : names) {
    std::vector<uint8_t> bytes = ReadWholeFile(folder + "/" + name);
    GuardedBytes guarded(bytes.size());
    intptr_t made = ImageFromMemory(1, guarded.Place(bytes), (uint32_t)bytes.size());
    bool expected = std::find(images.begin(), images.end(), name) != images.end();
    EXPECT_EQ(expected, made != 0) << name;
    refused += made == 0;
  }
  printf("PNG crashers: %d pictures, %d refused, %d images\n", (int)names.size(), refused,
         (int)names.size() - refused);
}

}  // namespace
