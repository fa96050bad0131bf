// Containers: plain child windows of the toolkit's own class that hold other gadgets. They
// are served by the toolkit window procedure, so the commands and notifications of the
// gadgets inside reach the event queue with the enclosing window's number.
#include "toolkit/container.h"
#include "toolkit/brush_cache.h"
#include "toolkit/gadget_frame.h"
#include "toolkit/window.h"

namespace {

const char ContainerClass[] = "VexaContainer";
constexpr int BrushWord = 0;  // the container window's one extra word: its back brush
bool classRegistered;

HBRUSH BackBrush(HWND container) { return (HBRUSH)GetWindowLongPtrA(container, BrushWord); }

LRESULT CALLBACK ContainerProc(HWND container, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_ERASEBKGND) return ToolkitWindowProc(container, message, wParam, lParam);
  HBRUSH brush = BackBrush(container);
  if (!brush) return DefWindowProcA(container, message, wParam, lParam);
  RECT client;
  GetClientRect(container, &client);
  FillRect((HDC)wParam, &client, brush);
  return 1;
}

void RegisterContainerClass() {
  if (classRegistered) return;
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = ContainerProc;
  windowClass.cbWndExtra = sizeof(LONG_PTR);
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = ContainerClass;
  classRegistered = RegisterClassA(&windowClass) != 0;
}

void SetContainerColor(GadgetRecord* gadget, int32_t which, int32_t color) {
  if (which != ColorBack) return;
  HWND container = gadget->handle;
  HBRUSH old = BackBrush(container);
  if (old) BrushRelease(old);
  HBRUSH brush = color != -1 ? BrushAcquire(color) : nullptr;
  SetWindowLongPtrA(container, BrushWord, (LONG_PTR)brush);
  gadget->container.backColor = color;
  // A hidden container is painted whole when it is shown.
  if (IsWindowVisible(container))
    RedrawWindow(container, nullptr, nullptr, RDW_FRAME | RDW_ERASE | RDW_INTERNALPAINT | RDW_INVALIDATE);
}

void ReleaseContainerBrush(GadgetRecord* gadget) {
  HBRUSH brush = BackBrush(gadget->handle);
  if (brush) BrushRelease(brush);
  SetWindowLongPtrA(gadget->handle, BrushWord, 0);
}

constexpr GadgetKind ContainerKind =
    GadgetKind::Of(KindContainer).Destroy(ReleaseContainerBrush).Color(SetContainerColor);

// The first border flag that is set chooses the border.
void BorderStyles(uint32_t flags, DWORD* style, DWORD* extendedStyle) {
  *style = WS_CHILD | WS_VISIBLE;
  *extendedStyle = 0;
  if (flags & ContainerThinBorder) *style |= WS_BORDER;
  else if (flags & ContainerDialogFrame) *style |= WS_DLGFRAME;
  else if (flags & ContainerStaticEdge) *extendedStyle = WS_EX_STATICEDGE;
  else if (flags & ContainerClientEdge) *extendedStyle = WS_EX_CLIENTEDGE;
}

}  // namespace

intptr_t CreateContainer(intptr_t number, int x, int y, int width, int height, uint32_t flags) {
  RegisterContainerClass();
  DWORD style, extendedStyle;
  BorderStyles(flags, &style, &extendedStyle);
  HWND container = CreateGadgetControl(number, extendedStyle, ContainerClass, nullptr, style, x, y, width, height);
  if (!container) return 0;
  GadgetRecord* record = TakeGadgetRecord(number, container);
  if (!record) return 0;
  // The class background is set again only if someone changed it; a new window's extra
  // word is already none.
  if (GetClassLongPtrA(container, GCLP_HBRBACKGROUND) != COLOR_BTNFACE + 1)
    SetClassLongPtrA(container, GCLP_HBRBACKGROUND, COLOR_BTNFACE + 1);
  record->container.backColor = -1;
  if (BackBrush(container)) SetWindowLongPtrA(container, BrushWord, 0);
  intptr_t result = RegisterGadget(number, record, container, &ContainerKind);
  if (!result) return 0;
  GadgetListPush(container);
  if (IsWindowVisible(container)) InvalidateRect(container, nullptr, TRUE);
  return result;
}
