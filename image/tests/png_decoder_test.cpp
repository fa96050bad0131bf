// The PNG decoder on pictures of known samples: the wizard's banner sizes, transparency
// chunks, and registration.
#include <string.h>
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

// Writes the content as a PNG, decodes it as image 0 and compares every pixel, the depth
// and the stride.
void ExpectDecodedAsWritten(const PngContent& content) {
  std::vector<uint8_t> png = EncodePng(content);
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

class PngDecoderTest : public ImageTest {};

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
