#include "toolkit/icon_picture.h"

int DescribeIconPicture(HICON icon, BITMAP* picture) {
  ICONINFO parts;
  if (!GetIconInfo(icon, &parts)) return 0;
  HBITMAP described = parts.hbmColor ? parts.hbmColor : parts.hbmMask;
  int read = described && GetObjectA(described, sizeof *picture, picture) == sizeof *picture;
  if (read && !parts.hbmColor) picture->bmHeight /= 2;
  if (parts.hbmColor) DeleteObject(parts.hbmColor);
  if (parts.hbmMask) DeleteObject(parts.hbmMask);
  return read;
}
