// Image boxes: statics that draw a bitmap or an icon themselves and take its size. Mouse
// actions become gadget events: clicks through the native notify style, double clicks,
// right clicks and the start of a drag through the subclass below.
#include "toolkit/image_box.h"
#include "toolkit/gadget_frame.h"
#include "toolkit/icon_picture.h"
#include "toolkit/window.h"

namespace {

ControlProc nativeStaticProc;

// Mouse state word: the left button was pressed on the box; a right double click has just
// been reported, so the release that follows is not a right click.
constexpr int32_t LeftPressed = 1;
constexpr int32_t RightDoubleClicked = 2;

bool IsBitmap(HANDLE image) { return GetObjectType(image) == OBJ_BITMAP; }

SIZE ImageSize(HANDLE image) {
  SIZE size = {0, 0};
  BITMAP bitmap;
  if (IsBitmap(image)) {
    if (GetObjectA(image, sizeof bitmap, &bitmap)) size = {bitmap.bmWidth, bitmap.bmHeight};
    return size;
  }
  if (DescribeIconPicture((HICON)image, &bitmap)) size = {bitmap.bmWidth, bitmap.bmHeight};
  return size;
}

// Icons are drawn over what lies beneath the box, so that part of the window is
// repainted before an icon (or nothing) replaces the image.
void RepaintBeneath(HWND control) {
  HWND window = OwnerToolkitWindow(control);
  RECT area;
  GetWindowRect(control, &area);
  MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&area), 2);
  RedrawWindow(window, &area, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

LRESULT SetImage(GadgetRecord* gadget, HANDLE image) {
  HWND control = gadget->handle;
  gadget->imageBox.image = image;
  // A hidden box and what lies beneath it are painted when they are shown.
  bool shown = IsWindowVisible(control) != FALSE;
  if (shown && (!image || !IsBitmap(image))) RepaintBeneath(control);
  if (image) {
    SIZE size = ImageSize(image);
    if (GetWindowLongPtrA(control, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) {
      size.cx += 4;
      size.cy += 4;
    }
    RECT area;
    GetWindowRect(control, &area);
    if (area.right - area.left != size.cx || area.bottom - area.top != size.cy)
      SetWindowPos(control, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (shown) RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  }
  return (LRESULT)image;
}

// Draws no text: text goes via controls or W functions fed by CP_ACP (GDI's A ones keep the system's page).
void DrawImage(GadgetRecord* gadget, HDC dc) {
  HANDLE image = gadget->imageBox.image;
  if (!image) return;
  UINT type = IsBitmap(image) ? DST_BITMAP : DST_ICON;
  DrawStateA(dc, nullptr, nullptr, (LPARAM)image, 0, 0, 0, 0, 0, type);
}

void Post(HWND control, int32_t subtype) { PostGadgetEvent(control, subtype); }

// Handles what the box does itself; returns false for messages that then go on to the
// native static.
bool HandleImageMessage(GadgetRecord* gadget, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  HWND control = gadget->handle;
  ImageBoxWords& box = gadget->imageBox;
  *result = 0;
  switch (message) {
    case STM_SETIMAGE:
      *result = SetImage(gadget, (HANDLE)lParam);
      return true;
    case STM_SETICON:  // the icon travels in wParam with this message
      *result = SetImage(gadget, (HANDLE)wParam);
      return true;
    case STM_GETIMAGE:
    case STM_GETICON:
      *result = (LRESULT)box.image;
      return true;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(control, &paint);
      DrawImage(gadget, dc);
      EndPaint(control, &paint);
      return true;
    }
    case WM_PRINTCLIENT:
      DrawImage(gadget, (HDC)wParam);
      return true;
    case WM_ENABLE:
      RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
      return true;
    case WM_LBUTTONDOWN:
      box.mouseState |= LeftPressed;
      box.pressPosition = (int32_t)lParam;
      SetCapture(control);
      return false;
    case WM_MOUSEMOVE:
      if ((box.mouseState & LeftPressed) &&
          OutsideDragRect((short)LOWORD(box.pressPosition), (short)HIWORD(box.pressPosition), lParam)) {
        box.mouseState &= ~LeftPressed;
        ReleaseCapture();
        Post(control, GsDragStart);
      }
      return false;
    case WM_LBUTTONUP:
      if (box.mouseState & LeftPressed) {
        box.mouseState &= ~LeftPressed;
        ReleaseCapture();
      }
      return false;
    case WM_LBUTTONDBLCLK:
      Post(control, GsLeftDoubleClick);
      return true;
    case WM_RBUTTONDBLCLK:
      box.mouseState |= RightDoubleClicked;
      Post(control, GsRightDoubleClick);
      return true;
    case WM_RBUTTONUP:
      if (box.mouseState & RightDoubleClicked) box.mouseState &= ~RightDoubleClicked;
      else Post(control, GsRightClick);
      return true;
  }
  return false;
}

LRESULT CALLBACK ImageBoxProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  GadgetRecord* gadget = GadgetRecordOfControl(control);
  LRESULT result;
  if (gadget && HandleImageMessage(gadget, message, wParam, lParam, &result)) return result;
  return CallControlProc(nativeStaticProc, control, message, wParam, lParam);
}

intptr_t GetImage(GadgetRecord* gadget) {
  return (intptr_t)SendMessageA(gadget->handle, STM_GETIMAGE, IMAGE_BITMAP, 0);
}

void PutImage(GadgetRecord* gadget, intptr_t image) {
  HANDLE handle = (HANDLE)image;
  SendMessageA(gadget->handle, STM_SETIMAGE, IsBitmap(handle) ? IMAGE_BITMAP : IMAGE_ICON, (LPARAM)handle);
}

constexpr GadgetKind ImageBoxKind = GadgetKind::Of(KindImageBox).State(GetImage, PutImage);

constexpr DWORD ImageBoxStyle = WS_CHILD | WS_VISIBLE | SS_NOTIFY;

}  // namespace

intptr_t CreateImageBox(intptr_t number, int x, int y, int width, int height, HANDLE image) {
  ReadDragSize();
  HWND control = CreateGadgetControl(number, 0, "STATIC", nullptr, ImageBoxStyle, x, y, width, height);
  if (!control) return 0;
  GadgetRecord* record = TakeGadgetRecord(number, control);
  if (!record) return 0;
  record->imageBox.image = nullptr;
  record->imageBox.mouseState = 0;
  record->imageBox.pressPosition = 0;
  SubclassKind(control, ImageBoxProc, &nativeStaticProc);
  intptr_t result = RegisterGadget(number, record, control, &ImageBoxKind);
  if (result && image) PutImage(record, (intptr_t)image);
  return result;
}
