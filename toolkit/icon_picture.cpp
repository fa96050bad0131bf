#include "toolkit/icon_picture.h"

int DescribeIconPicture(HICON icon, BITMAP* picture) {
  IconParts parts(icon);
  if (parts.Empty()) return 0;
  HBITMAP described = parts.Get().hbmColor ? parts.Get().hbmColor : parts.Get().hbmMask;
  int read = described && GetObjectA(described, sizeof *picture, picture) == sizeof *picture;
  if (read && !parts.Get().hbmColor) picture->bmHeight /= 2;
  return read;
}
