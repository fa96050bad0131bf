#pragma once
// Shared by the image tests: the library started per test, data placed against an
// inaccessible page, and the pixels of a device-independent bitmap.
#include <gtest/gtest.h>
#include <windows.h>
#include <stdint.h>
#include <string>
#include <vector>
#include "image/image.h"
#include "image/png_decoder.h"

// Ends the test program at once on a fault, with a line that says where, instead of
// waiting for Wine's debugger.
void ExitOnFault();

class ImageTest : public testing::Test {
 protected:
  void SetUp() override {
    ExitOnFault();
    DecodersStart();
    ImagesStart();
    UsePngDecoder();
  }
  void TearDown() override { ImagesStop(); }
};

// Holds copies of data so that the byte after their end is the first byte of a page that
// cannot be read: any read past the end faults at once.
class GuardedBytes {
 public:
  explicit GuardedBytes(size_t capacity);
  ~GuardedBytes();
  GuardedBytes(const GuardedBytes&) = delete;
  GuardedBytes& operator=(const GuardedBytes&) = delete;
  // Copies size bytes so that they end at the guard page; valid until the next Place.
  const uint8_t* Place(const uint8_t* data, size_t size);
  const uint8_t* Place(const std::vector<uint8_t>& bytes) { return Place(bytes.data(), bytes.size()); }

 private:
  uint8_t* base_;
  size_t usable_;
};

// The pixels of a device-independent bitmap, addressed top row first.
struct DibPixels {
  int width = 0;
  int height = 0;
  int bitsPerPixel = 0;
  int stride = 0;
  bool topDown = false;
  const uint8_t* bits = nullptr;
  const uint8_t* Row(int y) const { return bits + (size_t)(topDown ? y : height - 1 - y) * stride; }
  // 0x00RRGGBB of a 24- or 32-bit bitmap.
  uint32_t Rgb(int x, int y) const;
};

// False when the handle is not a device-independent bitmap. The system does not tell
// the order of the rows (it reports every height as positive): the caller says it.
bool ReadDib(HANDLE bitmap, bool topDown, DibPixels* pixels);

// 0x00RRGGBB of the pixel at (x, y) as the system draws the bitmap: tells the row order.
uint32_t ShownPixel(HANDLE bitmap, int x, int y);

// Draws the icon at its own size on white and returns the 0x00RRGGBB colour at (x, y).
uint32_t IconPixel(HICON icon, int size, int x, int y);

std::vector<uint8_t> ReadWholeFile(const std::string& path);
// Names of the files in folder that match pattern (such as "*.png"), sorted.
std::vector<std::string> ListFiles(const std::string& folder, const char* pattern);
