#include <windows.h>
#include "toolkit/display_density.h"

namespace {
// A program's display density does not change while it runs: it is asked once. 0 until
// the display could be asked.
int ReadDensity;
}  // namespace

int DisplayDensity() {
  if (ReadDensity) return ReadDensity;
  HDC display = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
  if (!display) return 96;
  int density = GetDeviceCaps(display, LOGPIXELSY);
  DeleteDC(display);
  if (density <= 0) return 96;
  ReadDensity = density;
  return density;
}
