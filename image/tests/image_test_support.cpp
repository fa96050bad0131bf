#include "image_test_support.h"
#include <stdio.h>
#include <algorithm>

namespace {

constexpr size_t PageBytes = 4096;

LONG WINAPI ReportFault(EXCEPTION_POINTERS* fault) {
  const EXCEPTION_RECORD* record = fault->ExceptionRecord;
  fprintf(stderr, "FAULT: exception %08lx at %p in %s\n", record->ExceptionCode,
          record->ExceptionAddress, testing::UnitTest::GetInstance()->current_test_info()
                                        ? testing::UnitTest::GetInstance()->current_test_info()->name()
                                        : "?");
  fflush(stderr);
  TerminateProcess(GetCurrentProcess(), 3);
  return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

void ExitOnFault() { SetUnhandledExceptionFilter(ReportFault); }

GuardedBytes::GuardedBytes(size_t capacity) {
  usable_ = (capacity + PageBytes - 1) / PageBytes * PageBytes;
  if (usable_ == 0) usable_ = PageBytes;
  base_ = static_cast<uint8_t*>(
      VirtualAlloc(nullptr, usable_ + PageBytes, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
  DWORD old;
  if (base_) VirtualProtect(base_ + usable_, PageBytes, PAGE_NOACCESS, &old);
}

GuardedBytes::~GuardedBytes() {
  if (base_) VirtualFree(base_, 0, MEM_RELEASE);
}

const uint8_t* GuardedBytes::Place(const uint8_t* data, size_t size) {
  if (!base_ || size > usable_) return nullptr;
  uint8_t* at = base_ + usable_ - size;
  if (size) memcpy(at, data, size);
  return at;
}

uint32_t DibPixels::Rgb(int x, int y) const {
  const uint8_t* at = Row(y) + (size_t)x * (bitsPerPixel / 8);
  return (uint32_t)at[2] << 16 | (uint32_t)at[1] << 8 | at[0];
}

bool ReadDib(HANDLE bitmap, bool topDown, DibPixels* pixels) {
  DIBSECTION section;
  if (GetObjectA(bitmap, sizeof section, &section) != sizeof section) return false;
  pixels->width = section.dsBm.bmWidth;
  pixels->height = section.dsBm.bmHeight;
  pixels->bitsPerPixel = section.dsBm.bmBitsPixel;
  pixels->stride = section.dsBm.bmWidthBytes;
  pixels->topDown = topDown;
  pixels->bits = static_cast<const uint8_t*>(section.dsBm.bmBits);
  return pixels->bits != nullptr;
}

uint32_t ShownPixel(HANDLE bitmap, int x, int y) {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, bitmap);
  COLORREF color = GetPixel(dc, x, y);
  SelectObject(dc, old);
  DeleteDC(dc);
  return (uint32_t)GetRValue(color) << 16 | GetGValue(color) << 8 | GetBValue(color);
}

uint32_t IconPixel(HICON icon, int size, int x, int y) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = size;
  info.bmiHeader.biHeight = -size;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP target = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(dc, target);
  memset(bits, 0xFF, (size_t)size * size * 4);
  DrawIconEx(dc, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
  GdiFlush();
  uint32_t color = static_cast<const uint32_t*>(bits)[y * size + x] & 0xFFFFFF;
  SelectObject(dc, old);
  DeleteObject(target);
  DeleteDC(dc);
  return color;
}

std::vector<uint8_t> ReadWholeFile(const std::string& path) {
  std::vector<uint8_t> bytes;
  FILE* file = fopen(path.c_str(), "rb");
  if (!file) return bytes;
  uint8_t chunk[65536];
  size_t got;
  while ((got = fread(chunk, 1, sizeof chunk, file)) > 0) bytes.insert(bytes.end(), chunk, chunk + got);
  fclose(file);
  return bytes;
}

std::vector<std::string> ListFiles(const std::string& folder, const char* pattern) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "\\" + pattern).c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  std::sort(names.begin(), names.end());
  return names;
}
