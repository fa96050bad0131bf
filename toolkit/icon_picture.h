#pragma once
// The picture of an icon: the bitmap its size and depth are read from.
#include <windows.h>

// The two bitmaps GetIconInfo makes of an icon, deleted (the colour bitmap first) when the
// owner goes. Zero where the icon has no such bitmap or could not be read.
class IconParts {
 public:
  explicit IconParts(HICON icon) : parts_() {
    if (!GetIconInfo(icon, &parts_)) parts_ = ICONINFO();
  }
  ~IconParts() {
    if (parts_.hbmColor) DeleteObject(parts_.hbmColor);
    if (parts_.hbmMask) DeleteObject(parts_.hbmMask);
  }
  IconParts(const IconParts&) = delete;
  IconParts& operator=(const IconParts&) = delete;

  bool Empty() const { return !parts_.hbmColor && !parts_.hbmMask; }
  const ICONINFO& Get() const { return parts_; }

 private:
  ICONINFO parts_;
};

// Describes the icon's picture as GetObject describes a bitmap: its colour bitmap, or for a
// monochrome icon, which has none, its mask bitmap at half its height (the mask holds the
// AND rows above the XOR rows). 0 when the icon cannot be read.
int DescribeIconPicture(HICON icon, BITMAP* picture);
