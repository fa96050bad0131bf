#include "image/ico_file.h"
#include <string.h>
#include "image/dib_layout.h"
#include "image/le_bytes.h"

namespace {

constexpr uint32_t FileHeaderBytes = 6;
constexpr uint32_t EntryBytes = 16;
constexpr uint16_t IconType = 1;
constexpr DWORD IconFormatVersion = 0x30000;

struct IconEntry {
  uint8_t width;
  uint8_t height;
  uint16_t bitsPerPixel;
  uint32_t dataBytes;
  uint32_t dataOffset;
};

IconEntry EntryAt(const uint8_t* data, int index) {
  const uint8_t* at = data + FileHeaderBytes + (uint32_t)index * EntryBytes;
  return IconEntry{at[0], at[1], ReadU16(at + 6), ReadU32(at + 8), ReadU32(at + 12)};
}

// An icon image is a bitmap of twice its height: the colour rows, then a 1-bit mask.
bool IconImageFits(const uint8_t* image, uint32_t bytes, DibLayout* layout) {
  if (!MeasureDib(image, bytes, layout) || layout->height < 2) return false;
  uint32_t rows = (uint32_t)layout->height / 2;
  uint64_t colorBytes = DibPixelBytes(*layout, rows);
  uint64_t maskBytes = DibRowBytes(layout->width, 1) * rows;
  return colorBytes <= bytes - layout->headerBytes &&
         maskBytes <= bytes - layout->headerBytes - colorBytes;
}

HICON CreateIconFromImage(const uint8_t* image, uint32_t bytes, const DibLayout& layout) {
  HGLOBAL block = GlobalAlloc(GMEM_FIXED, bytes);
  if (!block) return nullptr;
  PBYTE copy = static_cast<PBYTE>(block);
  memcpy(copy, image, bytes);
  HICON icon = CreateIconFromResourceEx(copy, bytes, TRUE, IconFormatVersion, layout.width,
                                        layout.height / 2, LR_DEFAULTCOLOR);
  if (!icon && layout.bitsPerPixel != 16)
    icon = CreateIconFromResource(copy, bytes, TRUE, IconFormatVersion);
  GlobalFree(block);
  return icon;
}

}  // namespace

int ChooseIconEntry(const uint8_t* data, uint32_t size) {
  if (size < FileHeaderBytes) return -1;
  uint16_t count = ReadU16(data + 4);
  if (ReadU16(data) != 0 || ReadU16(data + 2) != IconType || count == 0) return -1;
  if (FileHeaderBytes + (uint32_t)count * EntryBytes > size) return -1;
  IconEntry first = EntryAt(data, 0);
  int best = 0;
  uint16_t bestBits = first.bitsPerPixel;
  for (int i = 1; i < count; ++i) {
    IconEntry entry = EntryAt(data, i);
    if (entry.width == first.width && entry.height == first.height && entry.bitsPerPixel > bestBits) {
      best = i;
      bestBits = entry.bitsPerPixel;
    }
  }
  return best;
}

HICON IconFromIcoFile(const uint8_t* data, uint32_t size) {
  int index = ChooseIconEntry(data, size);
  if (index < 0) return nullptr;
  IconEntry entry = EntryAt(data, index);
  if (entry.dataOffset > size || entry.dataBytes > size - entry.dataOffset) return nullptr;
  const uint8_t* image = data + entry.dataOffset;
  DibLayout layout;
  if (!IconImageFits(image, entry.dataBytes, &layout)) return nullptr;
  return CreateIconFromImage(image, entry.dataBytes, layout);
}
