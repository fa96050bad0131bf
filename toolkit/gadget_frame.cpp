#include "toolkit/gadget_frame.h"
#include <stdlib.h>
#include "runtime/object_table.h"

namespace {
int dragWidth;
int dragHeight;
}  // namespace

HWND CreateGadgetControl(intptr_t number, DWORD extendedStyle, const char* className, const char* text, DWORD style,
                         int x, int y, int width, int height, intptr_t provisionalId) {
  intptr_t identifier = number == AutoNumber ? provisionalId : number;
  if (Gadgets.createHidden) style &= ~WS_VISIBLE;
  // No text and the empty text read the same; only a text costs the system a copy.
  return CreateWindowExA(extendedStyle, className, text, style, x, y, width, height,
                         GadgetListParent(), (HMENU)identifier, GetModuleHandleA(nullptr),
                         nullptr);
}

GadgetRecord* TakeGadgetRecord(intptr_t number, HWND control) {
  GadgetRecord* record = GadgetRecordFor(number);
  if (!record) DestroyWindow(control);
  return record;
}

void SubclassKind(HWND control, WNDPROC kindProc, ControlProc* classProc) {
  ControlProc previous = SubclassControl(control, kindProc);
  if (!classProc->proc) *classProc = previous;
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
