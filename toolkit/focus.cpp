// Keyboard focus: which gadget has it, and Tab / Shift+Tab between the tab stops of the
// active window in the order of EnumChildWindows (depth first, so the gadgets inside a
// container come where the container stands).
#include "toolkit/focus.h"
#include "toolkit/gadget_registry.h"
#include "toolkit/window.h"

namespace {

bool IsComboBox(HWND window) {
  char name[16];
  return window && GetClassNameA(window, name, sizeof(name)) && lstrcmpiA(name, "ComboBox") == 0;
}

// Enabled, visible with all its ancestors, and a tab stop.
bool TakesTabFocus(HWND window) {
  return IsWindowEnabled(window) && IsWindowVisible(window) &&
         (GetWindowLongPtrA(window, GWL_STYLE) & WS_TABSTOP);
}

struct FocusWalk {
  HWND current;  // the focused descendant of the active window, or none
  bool passed;   // forward: the current window was met
  HWND target;   // the window that gets the focus
};

// The current window marks the position in the order even when it can no longer take the
// focus itself (a button disabled or hidden while it had the focus), so that Tab still
// moves on from there.
BOOL CALLBACK StepForward(HWND window, LPARAM param) {
  FocusWalk* walk = reinterpret_cast<FocusWalk*>(param);
  if (window == walk->current) {
    walk->passed = true;
    return TRUE;
  }
  if (!TakesTabFocus(window)) return TRUE;
  if (!walk->current || walk->passed) {
    walk->target = window;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK FirstTabStop(HWND window, LPARAM param) {
  if (!TakesTabFocus(window)) return TRUE;
  reinterpret_cast<FocusWalk*>(param)->target = window;
  return FALSE;
}

// Leaves in target the last tab stop before the current window, or, when there is none,
// the last tab stop of all.
BOOL CALLBACK StepBackward(HWND window, LPARAM param) {
  FocusWalk* walk = reinterpret_cast<FocusWalk*>(param);
  if (window == walk->current && walk->target) {
    walk->passed = true;
    return FALSE;
  }
  if (TakesTabFocus(window)) walk->target = window;
  return TRUE;
}

}  // namespace

intptr_t FocusedGadget() {
  HWND focus = GetFocus();
  if (!focus) return -1;
  HWND parent = GetParent(focus);
  if (IsComboBox(parent)) focus = parent;
  intptr_t number;
  return ControlGadgetNumber(focus, &number) ? number : -1;
}

void MoveFocus(int backwards) {
  HWND active = GetActiveWindow();
  if (!active) return;
  HWND focus = GetFocus();
  FocusWalk walk = {focus && IsChild(active, focus) ? focus : nullptr, false, nullptr};
  if (backwards) {
    EnumChildWindows(active, StepBackward, reinterpret_cast<LPARAM>(&walk));
  } else {
    EnumChildWindows(active, StepForward, reinterpret_cast<LPARAM>(&walk));
    if (!walk.target && walk.passed)
      EnumChildWindows(active, FirstTabStop, reinterpret_cast<LPARAM>(&walk));
  }
  if (walk.target) SetFocus(walk.target);
}
