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
const char* const Folders[] = {"pngsuite", "pngsuite/interlaced", "testpngs"};

struct ReferencePixels {
  int width = 0;
  int height = 0;
  int channels = 0;
  std::vector<uint8_t> samples;  // 16-bit big-endian, blue, green, red (, alpha)
};

bool ReadReference(const std::string& path, ReferencePixels* reference) {
  std::vector<uint8_t> bytes = ReadWholeFile(path);
  std::string text(bytes.begin(), bytes.end());
  size_t lineEnd = text.find('\n');
  if (lineEnd == std::string::npos) return false;
  if (sscanf(text.c_str(), "BRXREF %d %d %d", &reference->width, &reference->height,
             &reference->channels) != 3)
    return false;
  reference->samples.assign(bytes.begin() + lineEnd + 1, bytes.end());
  return reference->samples.size() ==
         (size_t)reference->width * reference->height * reference->channels * 2;
}

// Empty when the bitmap holds the reference's pixels, each sample the high byte of the
// reference's 16-bit sample; otherwise the first difference.
std::string Difference(const DibPixels& decoded, const ReferencePixels& reference) {
  char text[160];
  if (decoded.width != reference.width || decoded.height != reference.height ||
      decoded.bitsPerPixel != reference.channels * 8) {
    snprintf(text, sizeof text, "decoded %dx%d at %d bits, reference %dx%d with %d channels",
             decoded.width, decoded.height, decoded.bitsPerPixel, reference.width,
             reference.height, reference.channels);
    return text;
  }
  for (int y = 0; y < reference.height; ++y)
    for (int x = 0; x < reference.width; ++x)
      for (int c = 0; c < reference.channels; ++c) {
        size_t at = ((size_t)y * reference.width + x) * reference.channels + c;
        uint8_t want = reference.samples[at * 2];
        uint8_t got = decoded.Row(y)[x * reference.channels + c];
        if (got != want) {
          snprintf(text, sizeof text, "pixel (%d,%d) channel %d: decoded %d, reference %d", x, y,
                   c, got, want);
          return text;
        }
      }
  return std::string();
}

class PngConformanceTest : public ImageTest {
 protected:
  // The bitmap of image 0 made from the file, or a failure.
  testing::AssertionResult Decode(const std::string& path, DibPixels* pixels) {
    std::vector<uint8_t> bytes = ReadWholeFile(path);
    if (bytes.empty()) return testing::AssertionFailure() << "cannot read " << path;
    HANDLE bitmap = (HANDLE)ImageFromMemory(0, bytes.data(), (uint32_t)bytes.size());
    if (!bitmap) return testing::AssertionFailure() << path << " was refused";
    if (!ReadDib(bitmap, true, pixels)) return testing::AssertionFailure() << path << ": no DIB";
    if (ShownPixel(bitmap, 0, 0) != pixels->Rgb(0, 0))
      return testing::AssertionFailure() << path << ": rows bottom-up";
    if (FindImage(0)->depth != pixels->bitsPerPixel)
      return testing::AssertionFailure() << path << ": the record's depth differs";
    return testing::AssertionSuccess();
  }
};

TEST_F(PngConformanceTest, EveryTestPictureMatchesTheReferenceDecoder) {
  int compared = 0, matching = 0;
  for (const char* folder : Folders) {
    for (const std::string& name : ListFiles(Pictures + "/" + folder, "*.png")) {
      std::string picture = Pictures + "/" + folder + "/" + name;
      ReferencePixels reference;
      ASSERT_TRUE(ReadReference(Reference + "/" + folder + "/" + name.substr(0, name.size() - 4) +
                                    ".ref",
                                &reference))
          << "no reference pixels for " << picture;
      ++compared;
      DibPixels decoded;
      testing::AssertionResult made = Decode(picture, &decoded);
      EXPECT_TRUE(made);
      if (!made) continue;
      std::string difference = Difference(decoded, reference);
      EXPECT_EQ("", difference) << folder << "/" << name;
      if (difference.empty()) ++matching;
    }
  }
  printf("PNG conformance: %d pictures compared, %d matching\n", compared, matching);
  RecordProperty("compared", compared);
  RecordProperty("matching", matching);
  EXPECT_EQ(164, compared);  // 60 of the PNG suite and 104 of the colour-type set
}

TEST_F(PngConformanceTest, InterlacedPicturesEqualTheirTwins) {
  struct TwinFolder {
    const char* folder;
    const char* twinFolder;
  };
  const TwinFolder folders[] = {{"pngsuite", "pngsuite"}, {"pngsuite/interlaced", "pngsuite"}};
  int pairs = 0;
  for (const TwinFolder& f : folders) {
    for (const std::string& name : ListFiles(Pictures + "/" + f.folder, "i*.png")) {
      DibPixels interlaced, twin;
      ASSERT_TRUE(Decode(Pictures + "/" + f.folder + "/" + name, &interlaced));
      std::vector<uint8_t> interlacedRows;
      for (int y = 0; y < interlaced.height; ++y)
        interlacedRows.insert(interlacedRows.end(), interlaced.Row(y),
                              interlaced.Row(y) + interlaced.width * interlaced.bitsPerPixel / 8);
      ASSERT_TRUE(Decode(Pictures + "/" + f.twinFolder + "/" + name.substr(1), &twin));
      std::vector<uint8_t> twinRows;
      for (int y = 0; y < twin.height; ++y)
        twinRows.insert(twinRows.end(), twin.Row(y), twin.Row(y) + twin.width * twin.bitsPerPixel / 8);
      EXPECT_EQ(twinRows, interlacedRows) << name;
      ++pairs;
    }
  }
  EXPECT_EQ(30, pairs);
}

// Pictures made to break decoders. One of them is a sound picture all the same: its
// ancillary chunks are empty, and they are skipped.
TEST_F(PngConformanceTest, BrokenPicturesAreRefused) {
  std::string folder = Pictures + "/testpngs/crashers";
  std::vector<std::string> names = ListFiles(folder, "*.png");
  ASSERT_EQ(23u, names.size());
  const std::vector<std::string> sound = {"empty_ancillary_chunks.png"};
  for (const std::string& name : names) {
    std::vector<uint8_t> bytes = ReadWholeFile(folder + "/" + name);
    GuardedBytes guarded(bytes.size());
    intptr_t made = ImageFromMemory(1, guarded.Place(bytes), (uint32_t)bytes.size());
    bool isSound = std::find(sound.begin(), sound.end(), name) != sound.end();
    EXPECT_EQ(isSound, made != 0) << name;
  }
}

}  // namespace
