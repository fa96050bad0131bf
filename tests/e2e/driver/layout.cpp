// The layout as the user sees it at a screen density: a scenario states places as they are
// at 96 pixels per inch, and they are compared with what is on screen through
// MulDiv(value, density, 96), the scaling the program's layout is made by.
#include "tests/e2e/driver/layout.h"

namespace {

// The control's rectangle in its parent's client area.
RECT PlaceInParent(HWND control) {
  RECT place;
  GetWindowRect(control, &place);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&place), 2);
  return place;
}

std::string Describe(long x, long y, long width, long height) {
  return std::to_string(x) + "," + std::to_string(y) + " " + std::to_string(width) + " x " + std::to_string(height);
}

}  // namespace

// "density DPI": later expect-rect and expect-pixel lines give places at 96 pixels per inch,
// to be scaled to DPI.
bool RunDensity(Driver& d, const Step& s, std::string* error) {
  long dpi;
  if (!ParseNumber(s.words[1], &dpi) || dpi <= 0) {
    *error = "not a density: " + s.words[1];
    return false;
  }
  d.density = (int)dpi;
  return true;
}

// "expect-rect ID X Y W H": the control's place in its parent's client area.
bool RunExpectRect(Driver& d, const Step& s, std::string* error) {
  long at96[4];
  for (int i = 0; i < 4; ++i) {
    if (!ParseNumber(s.words[i + 2], &at96[i])) {
      *error = "expect-rect ID X Y W H";
      return false;
    }
  }
  long wanted[4];
  for (int i = 0; i < 4; ++i) wanted[i] = MulDiv(at96[i], d.density, 96);
  HWND control;
  if (!ControlOf(d, s.words[1], &control, error)) return false;
  RECT place = PlaceInParent(control);
  long seen[4] = {place.left, place.top, place.right - place.left, place.bottom - place.top};
  for (int i = 0; i < 4; ++i) {
    if (seen[i] == wanted[i]) continue;
    *error = "control " + s.words[1] + " is at " + Describe(seen[0], seen[1], seen[2], seen[3]) + ", not at " +
             Describe(wanted[0], wanted[1], wanted[2], wanted[3]);
    return false;
  }
  return true;
}
