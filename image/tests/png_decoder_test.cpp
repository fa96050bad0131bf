// The PNG decoder on pictures of known samples: the wizard's banner sizes, transparency
// chunks, recoverable damage, pictures cut short, and registration.
#include <string.h>
#include <zlib.h>
#include "image/image_record.h"
#include "image_test_support.h"
#include "picture_encoders.h"

namespace {

// What the decoder must write for a pixel of the picture: blue, green, red, then alpha
// when the colour type carries one. Grey expands by bit replication, 16-bit samples keep
// their high byte, palette transparency is dropped.
std::vector<uint8_t> ExpectedPixel(const PngContent& content, int x, int y) {
  int channels = PngChannels(content.colorType);
  const uint16_t* s = &content.samples[((size_t)y * content.width + x) * channels];
  auto eight = [&](uint16_t v) -> uint8_t {
    if (content.bitDepth == 16) return v >> 8;
    if (content.bitDepth < 8) return (uint8_t)(v * 255 / ((1 << content.bitDepth) - 1));
    return (uint8_t)v;
  };
  switch (content.colorType) {
    case 0: return {eight(s[0]), eight(s[0]), eight(s[0])};
    case 2: return {eight(s[2]), eight(s[1]), eight(s[0])};
    case 6: return {eight(s[2]), eight(s[1]), eight(s[0]), eight(s[3])};
    default: {
      const uint8_t* rgb = &content.paletteRgb[s[0] * 3];
      return {rgb[2], rgb[1], rgb[0]};
    }
  }
}

std::vector<uint8_t> Palette(int entries) {
  std::vector<uint8_t> rgb;
  for (int i = 0; i < entries; ++i) {
    rgb.push_back((uint8_t)(i * 67 + 5));
    rgb.push_back((uint8_t)(255 - i * 13));
    rgb.push_back((uint8_t)(i * 29 + 100));
  }
  return rgb;
}

PngContent Content(int width, int height, int colorType, int bitDepth) {
  PngContent content;
  content.width = width;
  content.height = height;
  content.colorType = colorType;
  content.bitDepth = bitDepth;
  if (colorType == 3) content.paletteRgb = Palette(1 << bitDepth);
  FillPngPattern(&content);
  return content;
}

// Decodes png (the content as written, or with damage that libpng recovers from) as image
// 0 and compares every pixel, the depth and the stride with the content.
void ExpectDecodedAsWritten(const PngContent& content, const std::vector<uint8_t>& png) {
  ASSERT_FALSE(png.empty());
  HANDLE bitmap = (HANDLE)ImageFromMemory(0, png.data(), (uint32_t)png.size());
  ASSERT_NE(nullptr, bitmap);
  DibPixels pixels;
  ASSERT_TRUE(ReadDib(bitmap, true, &pixels));
  bool alpha = (content.colorType & 4) != 0;
  int pixelBytes = alpha ? 4 : 3;
  EXPECT_EQ(pixelBytes * 8, pixels.bitsPerPixel);
  EXPECT_EQ(pixelBytes * 8, FindImage(0)->depth);
  EXPECT_EQ(content.width, FindImage(0)->width);
  EXPECT_EQ(content.height, FindImage(0)->height);
  EXPECT_EQ(alpha ? content.width * 4 : content.width * 3 + content.width % 4, pixels.stride);
  EXPECT_EQ(pixels.Rgb(0, 0), ShownPixel(bitmap, 0, 0)) << "the first row in memory is the top";
  EXPECT_EQ(pixels.Rgb(0, content.height - 1), ShownPixel(bitmap, 0, content.height - 1));
  for (int y = 0; y < content.height; ++y)
    for (int x = 0; x < content.width; ++x) {
      std::vector<uint8_t> got(pixels.Row(y) + x * pixelBytes, pixels.Row(y) + (x + 1) * pixelBytes);
      ASSERT_EQ(ExpectedPixel(content, x, y), got) << "pixel " << x << "," << y;
    }
}

void ExpectDecodedAsWritten(const PngContent& content) { ExpectDecodedAsWritten(content, EncodePng(content)); }

uint32_t BigEndian32(const uint8_t* at) {
  return (uint32_t)at[0] << 24 | (uint32_t)at[1] << 16 | (uint32_t)at[2] << 8 | at[3];
}

// Offset of the first chunk of that type, or 0.
size_t ChunkOffset(const std::vector<uint8_t>& png, const char* type) {
  for (size_t at = 8; at + 12 <= png.size(); at += 12 + BigEndian32(&png[at]))
    if (memcmp(&png[at + 4], type, 4) == 0) return at;
  return 0;
}

// png with a chunk of that type and data inserted at offset, its checksum correct.
std::vector<uint8_t> WithChunk(std::vector<uint8_t> png, size_t offset, const char* type,
                               const std::vector<uint8_t>& data) {
  std::vector<uint8_t> chunk;
  for (int shift = 24; shift >= 0; shift -= 8) chunk.push_back((uint8_t)(data.size() >> shift));
  chunk.insert(chunk.end(), type, type + 4);
  chunk.insert(chunk.end(), data.begin(), data.end());
  uint32_t crc = crc32(0, &chunk[4], (uInt)(chunk.size() - 4));
  for (int shift = 24; shift >= 0; shift -= 8) chunk.push_back((uint8_t)(crc >> shift));
  png.insert(png.begin() + offset, chunk.begin(), chunk.end());
  return png;
}

class PngDecoderTest : public ImageTest {};

// Damage that libpng reports as a warning in its standard build: the picture is read as if
// the damaged chunk were not there.
TEST_F(PngDecoderTest, PicturesWithRecoverableDamageAreRead) {
  PngContent content = Content(13, 7, 3, 4);  // 16 palette entries
  content.paletteAlpha = {0, 128, 255};
  std::vector<uint8_t> png = EncodePng(content);
  size_t palette = ChunkOffset(png, "PLTE"), image = ChunkOffset(png, "IDAT");
  ASSERT_NE(0u, palette);
  ASSERT_NE(0u, image);
  struct Damage {
    const char* name;
    std::vector<uint8_t> png;
  };
  const Damage damages[] = {
      {"transparency for more entries than the palette has",
       WithChunk(png, image, "tRNS", std::vector<uint8_t>(17, 9))},
      {"a second transparency chunk", WithChunk(png, image, "tRNS", {1, 2})},
      {"transparency before the palette", WithChunk(png, palette, "tRNS", {1, 2})},
  };
  for (const Damage& damage : damages) {
    SCOPED_TRACE(damage.name);
    ExpectDecodedAsWritten(content, damage.png);
  }
}

// The data end inside the image data: the rows decoded before stay, the others are empty.
TEST_F(PngDecoderTest, APictureThatEndsPartWayKeepsItsDecodedRows) {
  PngContent content = Content(256, 256, 2, 8);
  uint32_t seed = 7;
  for (uint16_t& sample : content.samples) {  // noise, so that the image data is long
    seed = seed * 1664525u + 1013904223u;
    sample = (uint16_t)(seed >> 24);
  }
  std::vector<uint8_t> png = EncodePng(content);
  size_t image = ChunkOffset(png, "IDAT");
  ASSERT_NE(0u, image);
  // libpng takes the image data in pieces of 8 KiB: cut where several have been read.
  ASSERT_GT(png.size() - image, 4 * 8192u);
  png.resize((image + png.size()) / 2);
  HANDLE bitmap = (HANDLE)ImageFromMemory(0, png.data(), (uint32_t)png.size());
  ASSERT_NE(nullptr, bitmap);
  DibPixels pixels;
  ASSERT_TRUE(ReadDib(bitmap, true, &pixels));
  ASSERT_EQ(content.height, pixels.height);
  int decoded = 0;
  while (decoded < content.height &&
         std::vector<uint8_t>(pixels.Row(decoded), pixels.Row(decoded) + 3) == ExpectedPixel(content, 0, decoded))
    ++decoded;
  EXPECT_GT(decoded, 0);
  EXPECT_LT(decoded, content.height);
  for (int y = decoded; y < content.height; ++y)
    EXPECT_EQ(std::vector<uint8_t>(content.width * 3, 0), std::vector<uint8_t>(pixels.Row(y), pixels.Row(y) + content.width * 3))
        << "row " << y;
}

TEST_F(PngDecoderTest, WizardBannerSizesGiveTopDownBitmapsWithPaddedRows) {
  ExpectDecodedAsWritten(Content(162, 312, 2, 8));  // stride 488
  ExpectDecodedAsWritten(Content(54, 54, 6, 8));    // stride 216
}

// Grey pictures of every depth with a transparent colour report no alpha and get 3-byte
// rows; palette transparency is dropped.
TEST_F(PngDecoderTest, TransparencyChunksLeaveOpaqueBgrRows) {
  PngContent palette = Content(11, 5, 3, 4);
  palette.paletteAlpha = {0, 128, 255, 7};
  ExpectDecodedAsWritten(palette);
  for (int depth : {1, 2, 4, 8, 16}) {
    SCOPED_TRACE(depth);
    PngContent grey = Content(11, 5, 0, depth);
    grey.transparentSample = 1;
    ExpectDecodedAsWritten(grey);
  }
  PngContent rgb = Content(11, 5, 2, 16);
  rgb.transparentSample = 300;
  ExpectDecodedAsWritten(rgb);
}

TEST_F(PngDecoderTest, RegistersOnceAlsoAfterTheRegistryIsEmptied) {
  UsePngDecoder();
  UsePngDecoder();
  EXPECT_EQ(1, Decoders.count);
  DecodersStart();
  EXPECT_EQ(0, Decoders.count);
  UsePngDecoder();
  UsePngDecoder();
  EXPECT_EQ(1, Decoders.count);
  EXPECT_EQ(&PngDecoder, Decoders.decoders[0]);
}

}  // namespace
