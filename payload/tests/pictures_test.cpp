// The pictures, icons and the demo page, checked from their own headers as a decoder or a
// browser would read them.
#include <gtest/gtest.h>
#include <png.h>
#include <windows.h>
#include <string.h>

#include <set>
#include <string>
#include <vector>

#include "payload/payload.h"
#include "payload/tests/manifest_reader.h"

namespace {

uint32_t BigEndian32(const uint8_t* p) { return uint32_t(p[0]) << 24 | p[1] << 16 | p[2] << 8 | p[3]; }
uint16_t BigEndian16(const uint8_t* p) { return uint16_t(p[0] << 8 | p[1]); }
uint16_t Little16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }
uint32_t Little32(const uint8_t* p) { return uint32_t(p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24); }

uint32_t Crc32(const uint8_t* data, size_t size) {
  uint32_t crc = 0xFFFFFFFF;
  for (size_t i = 0; i < size; ++i) {
    crc ^= data[i];
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320 & (0 - (crc & 1)));
  }
  return ~crc;
}

struct PngHeader {
  uint32_t width, height;
  int bitDepth, colourType;
};

// Walks every chunk, checking lengths and CRCs; IEND must end exactly at the block's end.
PngHeader ReadPng(EmbeddedBlock block) {
  static const uint8_t signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  PngHeader header = {0, 0, -1, -1};
  EXPECT_EQ(0, memcmp(block.data, signature, 8));
  int32_t at = 8;
  bool ended = false;
  while (!ended && at + 12 <= block.size) {
    const uint32_t length = BigEndian32(block.data + at);
    const uint8_t* kind = block.data + at + 4;
    if (at + 12 + int64_t(length) > block.size) break;
    EXPECT_EQ(BigEndian32(kind + 4 + length), Crc32(kind, 4 + length)) << std::string((const char*)kind, 4);
    if (at == 8) {
      EXPECT_EQ(0, memcmp(kind, "IHDR", 4));
      header = {BigEndian32(kind + 4), BigEndian32(kind + 8), kind[12], kind[13]};
    }
    ended = memcmp(kind, "IEND", 4) == 0;
    at += 12 + length;
  }
  EXPECT_TRUE(ended);
  EXPECT_EQ(block.size, at);
  return header;
}

// The whole picture as 8-bit RGBA, decoded by libpng; empty if it cannot be decoded.
std::vector<uint8_t> DecodeRgba(EmbeddedBlock block) {
  png_image image = {};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, block.data, block.size)) return {};
  image.format = PNG_FORMAT_RGBA;
  std::vector<uint8_t> pixels(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) return {};
  return pixels;
}

// Width and height from a JPEG's start-of-frame segment.
bool ReadJpegSize(const PayloadEntry& entry, int* width, int* height) {
  const uint8_t* p = entry.data;
  if (entry.size < 4 || p[0] != 0xFF || p[1] != 0xD8) return false;
  int32_t at = 2;
  while (at + 9 <= entry.size && p[at] == 0xFF) {
    const uint8_t marker = p[at + 1];
    const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 &&
                       marker != 0xCC;
    if (frame) {
      *height = BigEndian16(p + at + 5);
      *width = BigEndian16(p + at + 7);
      return true;
    }
    at += 2 + BigEndian16(p + at + 2);
  }
  return false;
}

}  // namespace

TEST(PayloadPictures, PngPicturesHaveTheirSizeAndColourType) {
  const PngHeader side = ReadPng(EmbeddedPicture(0));
  EXPECT_EQ(162u, side.width);
  EXPECT_EQ(312u, side.height);
  EXPECT_EQ(8, side.bitDepth);
  EXPECT_EQ(2, side.colourType);  // RGB
  EXPECT_EQ(6704, EmbeddedPicture(0).size);

  const PngHeader corner = ReadPng(EmbeddedPicture(1));
  EXPECT_EQ(54u, corner.width);
  EXPECT_EQ(54u, corner.height);
  EXPECT_EQ(8, corner.bitDepth);
  EXPECT_EQ(6, corner.colourType);  // RGB with alpha
  EXPECT_EQ(7278, EmbeddedPicture(1).size);
}

TEST(PayloadPictures, PngPicturesDecodeWhole) {
  EXPECT_EQ(162u * 312 * 4, DecodeRgba(EmbeddedPicture(0)).size());
  EXPECT_EQ(54u * 54 * 4, DecodeRgba(EmbeddedPicture(1)).size());
}

TEST(PayloadPictures, CornerPictureLooksTheSameWhenItsAlphaIsDropped) {
  // The picture sits on the window's grey; its clear pixels carry that grey, so a decoder
  // that strips the alpha channel shows no box around the picture.
  const std::vector<uint8_t> pixels = DecodeRgba(EmbeddedPicture(1));
  ASSERT_EQ(54u * 54 * 4, pixels.size());
  int clear = 0;
  for (size_t i = 0; i < pixels.size(); i += 4) {
    if (pixels[i + 3] != 0) continue;
    ++clear;
    EXPECT_EQ(150, pixels[i]) << i / 4;
    EXPECT_EQ(150, pixels[i + 1]) << i / 4;
    EXPECT_EQ(150, pixels[i + 2]) << i / 4;
  }
  EXPECT_GT(clear, 54 * 4);                            // transparent around the box
  EXPECT_EQ(255, pixels[(27 * 54 + 27) * 4 + 3]);      // and opaque in its middle
}

TEST(PayloadPictures, IconsHoldOne32By32ImageOf256Colours) {
  for (int number : {2, 3}) {
    SCOPED_TRACE(number);
    const EmbeddedBlock icon = EmbeddedIcon(number);
    ASSERT_EQ(2238, icon.size);
    const uint8_t* p = icon.data;
    EXPECT_EQ(0, Little16(p));      // reserved
    EXPECT_EQ(1, Little16(p + 2));  // icon, not cursor
    EXPECT_EQ(1, Little16(p + 4));  // one image
    const uint8_t* entry = p + 6;
    EXPECT_EQ(32, entry[0]);
    EXPECT_EQ(32, entry[1]);
    EXPECT_EQ(8, Little16(entry + 6));
    EXPECT_EQ(2216u, Little32(entry + 8));
    EXPECT_EQ(22u, Little32(entry + 12));
    const uint8_t* image = p + 22;
    EXPECT_EQ(40u, Little32(image));          // header size
    EXPECT_EQ(32u, Little32(image + 4));      // width
    EXPECT_EQ(64u, Little32(image + 8));      // colour plane and mask together
    EXPECT_EQ(8, Little16(image + 14));       // bits per pixel

    // The system itself accepts the image as a 32 by 32 icon.
    HICON handle = CreateIconFromResourceEx(const_cast<uint8_t*>(image), 2216, TRUE, 0x00030000,
                                            32, 32, LR_DEFAULTCOLOR);
    ASSERT_NE(nullptr, handle);
    ICONINFO info = {};
    ASSERT_TRUE(GetIconInfo(handle, &info));
    BITMAP mask = {};
    GetObject(info.hbmMask, sizeof mask, &mask);
    EXPECT_EQ(32, mask.bmWidth);
    DeleteObject(info.hbmMask);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    DestroyIcon(handle);
  }
}

TEST(PayloadPictures, ProjectPicturesHaveTheirPixelSizes) {
  if (!DemoPayload()) GTEST_SKIP() << "the demo payload's own content";
  struct Picture {
    const char* block;
    bool gif;
    int width, height;
  };
  const Picture pictures[] = {
      {"MontagePhoto", false, 160, 160},
      {"BoardPicture", true, 245, 245},
      {"ChannelSchematic", true, 563, 532},
      {"PanelPhoto", false, 160, 153},
      {"Schematic", true, 541, 540},
  };
  for (const Picture& picture : pictures) {
    SCOPED_TRACE(picture.block);
    const PayloadEntry* entry = InstalledRow(picture.block);
    ASSERT_NE(nullptr, entry);
    int width = 0, height = 0;
    if (picture.gif) {
      ASSERT_GE(entry->size, 13);
      EXPECT_EQ(0, memcmp(entry->data, "GIF89a", 6));
      width = Little16(entry->data + 6);
      height = Little16(entry->data + 8);
      EXPECT_EQ(';', entry->data[entry->size - 1]);  // trailer
    } else {
      ASSERT_TRUE(ReadJpegSize(*entry, &width, &height));
      EXPECT_EQ(0xFF, entry->data[entry->size - 2]);  // end-of-image marker
      EXPECT_EQ(0xD9, entry->data[entry->size - 1]);
    }
    EXPECT_EQ(picture.width, width);
    EXPECT_EQ(picture.height, height);
  }
}

TEST(PayloadPage, LinksReachTheInstalledFilesAndTheSiteIndex) {
  if (!DemoPayload()) GTEST_SKIP() << "the demo payload's own content";
  const PayloadEntry* page = InstalledRow("ProjectPage");
  ASSERT_NE(nullptr, page);
  ASSERT_EQ(ProjectsFolder, page->destination);
  const std::string html(reinterpret_cast<const char*>(page->data), page->size);
  EXPECT_EQ(0u, html.find("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01"));
  EXPECT_NE(std::string::npos, html.find("charset=windows-1251"));

  // The pictures' folder as the page names it: relative to the page's own folder.
  std::string folder = std::string(DestinationSubfolders[ProjectFilesFolder])
                           .substr(strlen(DestinationSubfolders[ProjectsFolder]));
  for (char& c : folder)
    if (c == '\\') c = '/';
  std::set<std::string> linked;
  int indexLinks = 0;
  for (const char* attribute : {"href=\"", "src=\""}) {
    for (size_t at = html.find(attribute); at != std::string::npos; at = html.find(attribute, at + 1)) {
      const size_t start = at + strlen(attribute);
      const std::string target = html.substr(start, html.find('"', start) - start);
      if (target == "index.html") {
        ++indexLinks;
        continue;
      }
      ASSERT_EQ(0u, target.find(folder)) << target;
      const PayloadEntry* file = Row(target.substr(folder.size()));
      ASSERT_NE(nullptr, file) << target;
      EXPECT_EQ(ProjectFilesFolder, file->destination) << target;
      linked.insert(file->name);
    }
  }
  EXPECT_GT(indexLinks, 0);
  std::set<std::string> expected;
  for (const PayloadEntry& entry : PayloadTable)
    if (entry.destination == ProjectFilesFolder) expected.insert(entry.name);
  const PayloadEntry* unlinked = InstalledRow("BoardPicture");  // the one picture the page leaves out
  ASSERT_NE(nullptr, unlinked);
  expected.erase(unlinked->name);
  EXPECT_EQ(expected, linked);
}
