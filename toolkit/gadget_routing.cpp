// How native messages and gadget actions find their way between controls, their kinds and
// the toolkit window that holds them.
#include "toolkit/gadget.h"
#include "toolkit/window.h"

LRESULT ForwardToGadgetKind(HWND control, HWND parent, UINT message, WPARAM wParam, LPARAM lParam) {
  intptr_t number;
  // A control without a matching "VX_ID" is not a gadget (for example a control's own child).
  if (!ControlGadgetNumber(control, &number) || number != GetWindowLongPtrA(control, GWLP_ID))
    return NotHandled;
  GadgetRecord* record = GadgetFind(number);
  if (!record || record->handle != control || !record->kind->notify) return NotHandled;
  return record->kind->notify(record, parent, message, wParam, lParam);
}

void PostGadgetEvent(HWND control, int32_t subtype) {
  PostMessageA(OwnerToolkitWindow(control), GadgetEventMessage,
               (WPARAM)GetWindowLongPtrA(control, GWLP_ID), (LPARAM)subtype);
}

HWND OwnerToolkitWindow(HWND window) {
  HWND topmost = window;
  for (HWND current = window; current;) {
    if (GetPropA(current, "VX_WindowID")) return current;
    topmost = current;
    // Only child windows have a parent; above a top-level window is its owner, not a parent.
    current = (GetWindowLongPtrA(current, GWL_STYLE) & WS_CHILD) ? GetParent(current) : nullptr;
  }
  return topmost;
}
