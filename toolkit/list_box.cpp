// List boxes: native list boxes whose state is the selected index and whose text is the
// selected item's. Selection changes and double clicks become gadget events, and a press
// on an item followed by a move out of the drag rectangle reports the start of a drag.
#include "toolkit/list_box.h"
#include "toolkit/control_colors.h"
#include "toolkit/gadget_frame.h"
#include "toolkit/window.h"
#include "runtime/strings.h"

namespace {

ControlProc nativeListBoxProc;
const char MouseDownProperty[] = "VX_MouseDown";
// The press position is kept as the property's value; this bit keeps a press at 0,0 from
// reading as no press. Client coordinates of a press are never negative.
constexpr uintptr_t PressMarker = 0x80000000u;

bool MultipleSelection(HWND control) {
  return (GetWindowLongPtrA(control, GWL_STYLE) & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0;
}

intptr_t SelectedIndex(GadgetRecord* gadget) {
  HWND control = gadget->handle;
  if (!MultipleSelection(control)) return (int32_t)SendMessageA(control, LB_GETCURSEL, 0, 0);
  int index = -1;
  if (SendMessageA(control, LB_GETSELITEMS, 1, (LPARAM)&index) != 1) return -1;
  return index;
}

void SelectIndex(GadgetRecord* gadget, intptr_t index) {
  HWND control = gadget->handle;
  if (!MultipleSelection(control)) {
    SendMessageA(control, LB_SETCURSEL, (WPARAM)index, 0);
    return;
  }
  LRESULT count = SendMessageA(control, LB_GETCOUNT, 0, 0);
  if (count > 0) SendMessageA(control, LB_SELITEMRANGEEX, (WPARAM)(count - 1), 0);
  if (index != -1) SendMessageA(control, LB_SETSEL, TRUE, index);
}

void SelectedText(GadgetRecord* gadget, int32_t mark) {
  intptr_t index = SelectedIndex(gadget);
  LRESULT length = index >= 0 ? SendMessageA(gadget->handle, LB_GETTEXTLEN, index, 0) : LB_ERR;
  if (length == LB_ERR) length = 0;
  char* text = ScratchReserve((int32_t)length, mark);
  text[0] = 0;
  if (length > 0) SendMessageA(gadget->handle, LB_GETTEXT, index, (LPARAM)text);
  text[length] = 0;
}

void SelectText(GadgetRecord* gadget, const char* text) {
  LRESULT index = SendMessageA(gadget->handle, LB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)(text ? text : ""));
  SelectIndex(gadget, index == LB_ERR ? -1 : (int32_t)index);
}

int32_t InsertItem(GadgetRecord* gadget, int32_t position, const char* text) {
  SendMessageA(gadget->handle, LB_INSERTSTRING, (WPARAM)position, (LPARAM)(text ? text : ""));
  return 0;
}

void RemoveItems(GadgetRecord* gadget) { SendMessageA(gadget->handle, LB_RESETCONTENT, 0, 0); }

LRESULT ListBoxNotify(GadgetRecord* gadget, HWND, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_CTLCOLORLISTBOX) return ControlColorAnswer(gadget, (HDC)wParam, COLOR_BTNHIGHLIGHT);
  if (message != WM_COMMAND) return NotHandled;
  if (HIWORD(wParam) == LBN_DBLCLK) PostGadgetEvent(gadget->handle, GsLeftDoubleClick);
  else if (HIWORD(wParam) == LBN_SELCHANGE) PostGadgetEvent(gadget->handle, GsLeftClick);
  return 0;
}

bool PressedOnItem(HWND control, LPARAM position) {
  if (SendMessageA(control, LB_GETCOUNT, 0, 0) <= 0) return false;
  return HIWORD(SendMessageA(control, LB_ITEMFROMPOINT, 0, position)) == 0;
}

void EndPress(HWND control) {
  RemovePropA(control, MouseDownProperty);
  ReleaseCapture();
}

// Returns true when the message must not reach the native list box.
bool TrackPress(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_LBUTTONDOWN && message != WM_MOUSEMOVE && message != WM_LBUTTONUP) return false;
  uintptr_t press = (uintptr_t)GetPropA(control, MouseDownProperty);
  switch (message) {
    case WM_LBUTTONDOWN: {
      if ((wParam & (MK_SHIFT | MK_CONTROL)) || !PressedOnItem(control, lParam)) return false;
      bool extended = (GetWindowLongPtrA(control, GWL_STYLE) & LBS_EXTENDEDSEL) != 0;
      if (extended) {
        LRESULT item = LOWORD(SendMessageA(control, LB_ITEMFROMPOINT, 0, lParam));
        // In an extended selection only a press on a selected item may start a drag; it
        // must not reduce the selection to the one item.
        if (SendMessageA(control, LB_GETSEL, item, 0) <= 0) return false;
      }
      SetPropA(control, MouseDownProperty, (HANDLE)((uintptr_t)(DWORD)lParam | PressMarker));
      SetCapture(control);
      return extended;
    }
    case WM_MOUSEMOVE:
      if (press && OutsideDragRect((short)LOWORD(press), (short)(HIWORD(press) & 0x7FFF), lParam)) {
        EndPress(control);
        PostGadgetEvent(control, GsDragStart);
      }
      return false;
    case WM_LBUTTONUP:
      if (press) {
        EndPress(control);
        PostGadgetEvent(control, GsLeftClick);
      }
      return false;
  }
  return false;
}

LRESULT CALLBACK ListBoxProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  if (GadgetRecordOfControl(control) && TrackPress(control, message, wParam, lParam)) return 0;
  return CallControlProc(nativeListBoxProc, control, message, wParam, lParam);
}

constexpr GadgetKind ListBoxKind = GadgetKind::Of(KindListBox)
                                       .Notify(ListBoxNotify)
                                       .Destroy(ControlColorsRelease)
                                       .State(SelectedIndex, SelectIndex)
                                       .Text(SelectedText, SelectText)
                                       .Items(InsertItem, RemoveItems)
                                       .Color(ControlColorSet);

constexpr DWORD ListBoxStyle = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | WS_GROUP | WS_TABSTOP |
                               LBS_NOINTEGRALHEIGHT | LBS_HASSTRINGS | LBS_NOTIFY;

}  // namespace

intptr_t CreateListBox(intptr_t number, int x, int y, int width, int height, uint32_t flags) {
  ReadDragSize();
  HWND control = CreateGadgetControl(number, WS_EX_CLIENTEDGE, "ListBox", nullptr, ListBoxStyle | flags, x, y, width,
                                     height);
  if (!control) return 0;
  GadgetRecord* record = TakeGadgetRecord(number, control);
  if (!record) return 0;
  ControlColorsInit(record);
  SubclassKind(control, ListBoxProc, &nativeListBoxProc);
  return RegisterGadget(number, record, control, &ListBoxKind);
}
