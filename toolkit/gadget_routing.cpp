// How native messages and gadget actions find their way between controls, their kinds and
// the toolkit window that holds them.
#include "toolkit/gadget.h"
#include "toolkit/window.h"
#include "toolkit/window_marks.h"

LRESULT ForwardToGadgetKind(HWND control, HWND parent, UINT message, WPARAM wParam, LPARAM lParam) {
  // A control that is not a gadget (for example a control's own child) is not handled.
  GadgetRecord* record = GadgetRecordOfControl(control);
  if (!record || !record->kind->notify) return NotHandled;
  return record->kind->notify(record, parent, message, wParam, lParam);
}

void PostGadgetEvent(HWND control, int32_t subtype) {
  PostMessageA(OwnerToolkitWindow(control), GadgetEventMessage,
               (WPARAM)GetWindowLongPtrA(control, GWLP_ID), (LPARAM)subtype);
}

HWND OwnerToolkitWindow(HWND window) {
  HWND topmost = window;
  for (HWND current = window; current;) {
    if (MarkedWindowNumber(current) != -1) return current;
    topmost = current;
    // Only child windows have a parent; above a top-level window is its owner, not a parent.
    current = (GetWindowLongPtrA(current, GWL_STYLE) & WS_CHILD) ? GetParent(current) : nullptr;
  }
  return topmost;
}
