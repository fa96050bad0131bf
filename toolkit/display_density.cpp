#include <windows.h>
#include "toolkit/display_density.h"

int DisplayDensity() {
  HDC display = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
  if (!display) return 96;
  int density = GetDeviceCaps(display, LOGPIXELSY);
  DeleteDC(display);
  return density > 0 ? density : 96;
}
