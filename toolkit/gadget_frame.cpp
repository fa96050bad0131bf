#include "toolkit/gadget_frame.h"
#include <stdlib.h>

namespace {
int dragWidth;
int dragHeight;
}  // namespace

HWND CreateGadgetControl(DWORD extendedStyle, const char* className, const char* text, DWORD style,
                         int x, int y, int width, int height, intptr_t provisionalId) {
  return CreateWindowExA(extendedStyle, className, text ? text : "", style, x, y, width, height,
                         GadgetListParent(), (HMENU)provisionalId, GetModuleHandleA(nullptr),
                         nullptr);
}

GadgetRecord* TakeGadgetRecord(intptr_t number, HWND control) {
  GadgetRecord* record = GadgetRecordFor(number);
  if (!record) DestroyWindow(control);
  return record;
}

GadgetRecord* GadgetRecordOfControl(HWND control) {
  // The identifier is -1 until the control is registered and again once it is destroyed.
  intptr_t number = GetWindowLongPtrA(control, GWLP_ID);
  if (number == -1) return nullptr;
  GadgetRecord* record = GadgetFind(number);
  return record && record->handle == control ? record : nullptr;
}

void SubclassKind(HWND control, WNDPROC kindProc, WNDPROC* classProc) {
  WNDPROC previous = (WNDPROC)SetWindowLongPtrA(control, GWLP_WNDPROC, (LONG_PTR)kindProc);
  if (!*classProc) *classProc = previous;
}

void ReadDragSize() {
  if (dragWidth) return;
  dragWidth = GetSystemMetrics(SM_CXDRAG);
  dragHeight = GetSystemMetrics(SM_CYDRAG);
}

bool OutsideDragRect(int pressX, int pressY, LPARAM mousePosition) {
  int x = (short)LOWORD(mousePosition);
  int y = (short)HIWORD(mousePosition);
  return abs(x - pressX) > dragWidth || abs(y - pressY) > dragHeight;
}
