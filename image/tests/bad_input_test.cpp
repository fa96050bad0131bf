// Damaged pictures: every truncation and deterministic byte flips of valid PNG, ICO and
// BMP files give an image or nothing, never a crash. The data always end against an
// inaccessible page, so a read past the end would fault at once.
#include <stdio.h>
#include <zlib.h>
#include "image_test_support.h"
#include "picture_encoders.h"

namespace {

uint32_t BigEndian32(const uint8_t* at) {
  return (uint32_t)at[0] << 24 | (uint32_t)at[1] << 16 | (uint32_t)at[2] << 8 | at[3];
}

// Offset just past the first IDAT chunk's length and type, where libpng has read all it
// needs to know the picture's size and kind; or 0.
size_t EndOfHeader(const std::vector<uint8_t>& png) {
  for (size_t at = 8; at + 12 <= png.size(); at += 12 + BigEndian32(&png[at]))
    if (memcmp(&png[at + 4], "IDAT", 4) == 0) return at + 8;
  return 0;
}

// Recomputes the checksum of every complete chunk, so that damage reaches the decoder
// behind libpng's checksum test.
void RepairChunkChecksums(std::vector<uint8_t>* png) {
  size_t at = 8;
  while (at + 12 <= png->size()) {
    uint32_t length = BigEndian32(&(*png)[at]);
    if (length > png->size() - at - 12) break;
    uint32_t crc = crc32(0, &(*png)[at + 4], length + 4);
    for (int i = 0; i < 4; ++i) (*png)[at + 8 + length + i] = crc >> (24 - 8 * i) & 0xFF;
    at += 12 + length;
  }
}

struct Picture {
  const char* name;
  std::vector<uint8_t> bytes;
  bool isPng;
};

std::vector<Picture> ValidPictures() {
  std::vector<Picture> pictures;
  PngContent rgba16;
  rgba16.width = 24, rgba16.height = 20, rgba16.colorType = 6, rgba16.bitDepth = 16;
  rgba16.interlaced = true;
  FillPngPattern(&rgba16);
  pictures.push_back({"interlaced 16-bit RGBA PNG", EncodePng(rgba16), true});
  PngContent palette;
  palette.width = 30, palette.height = 17, palette.colorType = 3, palette.bitDepth = 4;
  for (int i = 0; i < 16 * 3; ++i) palette.paletteRgb.push_back((uint8_t)(i * 11));
  palette.paletteAlpha = {0, 40, 255};
  FillPngPattern(&palette);
  pictures.push_back({"4-bit palette PNG with transparency", EncodePng(palette), true});
  PngContent grey;
  grey.width = 19, grey.height = 23, grey.colorType = 0, grey.bitDepth = 2;
  grey.interlaced = true;
  grey.transparentSample = 2;
  FillPngPattern(&grey);
  pictures.push_back({"interlaced 2-bit grey PNG with transparency", EncodePng(grey), true});
  pictures.push_back({"ICO of three entries",
                      EncodeIco({{16, 16, 4, EncodeIconImage(PatternPicture(16, 16, 8), 4)},
                                 {32, 32, 8, EncodeIconImage(PatternPicture(32, 32, 8), 8)},
                                 {16, 16, 32, EncodeIconImage(PatternPicture(16, 16, 0), 32)}}),
                      false});
  pictures.push_back({"8-bit BMP", EncodeBmp(PatternPicture(13, 11, 8), 8, BmpRows::BottomUp), false});
  pictures.push_back(
      {"run-length BMP", EncodeBmp(PatternPicture(13, 11, 8), 8, BmpRows::RunLength8), false});
  return pictures;
}

class BadInputTest : public ImageTest {
 protected:
  // 1 if the data became an image (freed again at once), else 0.
  int Try(GuardedBytes* guarded, const std::vector<uint8_t>& bytes, size_t size) {
    intptr_t handle = ImageFromMemory(0, guarded->Place(bytes.data(), size), (uint32_t)size);
    ImageFree(0);
    return handle != 0;
  }
};

// A PNG cut off after its header becomes an image with the rows that could be read; one
// cut off earlier, and any cut-off ICO or BMP, is refused.
TEST_F(BadInputTest, TruncationsGiveAnImageExactlyWhenTheHeaderIsWhole) {
  int tried = 0, images = 0;
  for (const Picture& picture : ValidPictures()) {
    SCOPED_TRACE(picture.name);
    GuardedBytes guarded(picture.bytes.size());
    ASSERT_EQ(1, Try(&guarded, picture.bytes, picture.bytes.size()));
    size_t needed = picture.isPng ? EndOfHeader(picture.bytes) : picture.bytes.size();
    for (size_t size = 0; size < picture.bytes.size(); ++size, ++tried) {
      int made = Try(&guarded, picture.bytes, size);
      ASSERT_EQ(size >= needed ? 1 : 0, made) << size;
      images += made;
    }
  }
  printf("truncations: %d, %d became images, %d refused\n", tried, images, tried - images);
}

TEST_F(BadInputTest, FlippedBytesGiveAnImageOrNothing) {
  uint32_t seed = 20240611;
  auto next = [&seed]() {
    seed = seed * 1664525u + 1013904223u;
    return seed >> 8;
  };
  const int trialsPerPicture = 150;
  int tried = 0, images = 0;
  for (const Picture& picture : ValidPictures()) {
    GuardedBytes guarded(picture.bytes.size());
    // PNG pictures are damaged twice over: as they are, where the chunk checksums catch
    // most damage, and with the checksums made to fit the damage.
    for (int repaired = 0; repaired <= (picture.isPng ? 1 : 0); ++repaired)
      for (int trial = 0; trial < trialsPerPicture; ++trial, ++tried) {
        std::vector<uint8_t> damaged = picture.bytes;
        int flips = 1 + next() % 3;
        for (int f = 0; f < flips; ++f) damaged[next() % damaged.size()] ^= 1 + next() % 255;
        if (repaired) RepairChunkChecksums(&damaged);
        images += Try(&guarded, damaged, damaged.size());
      }
  }
  printf("bad input: %d damaged pictures, %d became images, %d refused\n", tried, images,
         tried - images);
  RecordProperty("damaged", tried);
  EXPECT_EQ(1350, tried);
}

}  // namespace
