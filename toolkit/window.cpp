#include "toolkit/window.h"
#include <richedit.h>
#include "runtime/heaps.h"
#include "runtime/numbered_name.h"
#include "runtime/object_table.h"
#include "toolkit/focus.h"
#include "toolkit/gdi_object.h"
#include "toolkit/gadget_registry.h"
#include "toolkit/window_marks.h"

HINSTANCE ProgramInstance;

namespace {

struct QueueNode {
  QueueNode* next;
  int32_t kind;
  intptr_t window;
};

struct WindowRecord {
  HWND handle;
  ACCEL* accelerators;  // owned, two entries
  int32_t acceleratorCount;
  HACCEL acceleratorTable;
  int32_t backColor;    // 0x00BBGGRR or -1
  GdiObject<HBRUSH> backBrush;
  int32_t minimisedOrMaximised;
  int32_t reserved[5];  // keeps the record at its table size of 48 bytes
};
static_assert(sizeof(void*) != 4 || sizeof(WindowRecord) == 48, "window records are 48 bytes");

struct EventState {
  intptr_t gadget;       // gadget/item number of the last gadget event
  intptr_t window;       // window number of the last event, -1 none
  int32_t subtype;       // subtype of the last event, -1 none
  int32_t pendingKind;   // event produced while dispatching, 0 none
  WPARAM wParam;         // of the last native message that produced no event
  LPARAM lParam;
  QueueNode* head;
  QueueNode* tail;
};

EventState Events;

ObjectTable* WindowTable;
HICON ProgramIcon;
HCURSOR ArrowCursor;

void ClassName(char (&name)[NumberedNameSize], intptr_t number) {
  NumberedName(name, "WindowClass_", number);
}

// The window number a native window belongs to: that of the first toolkit window on the
// way up its parent chain, or -1.
intptr_t ToolkitWindowNumber(HWND window) { return MarkedWindowNumber(OwnerToolkitWindow(window)); }

void ActivateOwner(HWND window) {
  HWND owner = GetWindow(window, GW_OWNER);
  if (owner) SetActiveWindow(owner);
}

// The accelerator table to apply to a message: none while Tab goes to an editable
// rich-text editor, else that of the active toolkit window.
HACCEL ActiveAccelerators() {
  bool down = GetKeyState(VK_TAB) < 0;
  bool modified = GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_SHIFT) < 0 || GetKeyState(VK_MENU) < 0;
  if (down && !modified) {
    HWND focus = GetFocus();
    char name[8] = {};
    if (focus && GetClassNameA(focus, name, sizeof name) && CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, name, 4, "Rich", 4) == CSTR_EQUAL &&
        !(SendMessageA(focus, EM_GETOPTIONS, 0, 0) & ECO_READONLY))
      return nullptr;
  }
  intptr_t number = MarkedWindowNumber(GetActiveWindow());
  if (number == -1) return nullptr;
  WindowRecord* record = FindRecord<WindowRecord>(WindowTable, number);
  return record ? record->acceleratorTable : nullptr;
}

// The only messages an accelerator table translates: for all others the choice of a table,
// which reads the keyboard state, cannot change what happens.
bool KeyboardMessage(UINT message) {
  return message == WM_KEYDOWN || message == WM_SYSKEYDOWN || message == WM_CHAR || message == WM_SYSCHAR;
}

BOOL CALLBACK ForwardToChild(HWND child, LPARAM message) {
  SendMessageA(child, (UINT)message, 0, 0);
  return TRUE;
}

LRESULT HandleSize(HWND window, intptr_t number, WPARAM type) {
  WindowRecord* record = MarkedWindowNumber(window) != -1 ? FindRecord<WindowRecord>(WindowTable, number) : nullptr;
  if (!record) return 1;  // a container: its size is not an event
  switch (type) {
    case SIZE_RESTORED:
      if (record->minimisedOrMaximised) {
        record->minimisedOrMaximised = 0;
        QueueWindowEvent(EvRestore, number);
      }
      QueueWindowEvent(EvSize, number);
      break;
    case SIZE_MINIMIZED:
      record->minimisedOrMaximised = 1;
      QueueWindowEvent(EvMinimize, number);
      break;
    case SIZE_MAXIMIZED:
      record->minimisedOrMaximised = 1;
      QueueWindowEvent(EvMaximize, number);
      QueueWindowEvent(EvSize, number);
      break;
    default:
      QueueWindowEvent(EvSize, number);
  }
  return 0;
}

LRESULT HandleCommand(HWND window, WPARAM wParam, LPARAM lParam) {
  HWND control = (HWND)lParam;
  if (control && ForwardToGadgetKind(control, window, WM_COMMAND, wParam, lParam) != NotHandled) return 0;
  if (control) {
    Events.pendingKind = EvGadget;
    Events.subtype = HIWORD(wParam);
    Events.gadget = GetWindowLongPtrA(control, GWLP_ID);
  } else if (HIWORD(wParam) != 0) {
    if (LOWORD(wParam) == CommandFocusNext) MoveFocus(0);
    else if (LOWORD(wParam) == CommandFocusPrevious) MoveFocus(1);
  }
  return 0;
}

}  // namespace

LRESULT CALLBACK ToolkitWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  intptr_t number = ToolkitWindowNumber(window);
  Events.window = number;
  switch (message) {
    case WM_MOVE:
    case WM_CLOSE:
      if (number != -1) QueueWindowEvent((int32_t)message, number);
      return 0;
    case WM_SIZE:
      return HandleSize(window, number, wParam);
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE) QueueWindowEvent(EvActivate, number);
      return 1;
    case WM_ERASEBKGND: {
      WindowRecord* record = FindRecord<WindowRecord>(WindowTable, number);
      QueueWindowEvent(EvRepaint, number);
      if (record && record->backBrush.Get()) {
        RECT client;
        GetClientRect(window, &client);
        FillRect((HDC)wParam, &client, record->backBrush.Get());
        return 1;
      }
      break;
    }
    case WM_SYSCOLORCHANGE:
      EnumChildWindows(window, ForwardToChild, (LPARAM)message);
      break;
    case WM_NOTIFY: {
      const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
      LRESULT result = ForwardToGadgetKind(header ? header->hwndFrom : nullptr, window, message, wParam, lParam);
      if (result != NotHandled) return result;
      break;
    }
    case WM_COMMAND:
      return HandleCommand(window, wParam, lParam);
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC: {
      LRESULT result = ForwardToGadgetKind((HWND)lParam, window, message, wParam, lParam);
      if (result != NotHandled) return result;
      break;
    }
    case GadgetEventMessage:
      Events.pendingKind = EvGadget;
      Events.gadget = (intptr_t)wParam;
      Events.subtype = (int32_t)lParam;
      return 0;
    case WM_NCDESTROY:
      // A window destroyed by other means than WindowClose loses its mark with its property.
      UnmarkToolkitWindow(window);
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

void WindowsStart() {
  if (!ProgramInstance) ProgramInstance = GetModuleHandleA(nullptr);
  WindowTable = ObjectTableNew(sizeof(WindowRecord), 16, WindowClose);
  ZeroMemory(&Events, sizeof Events);
  ProgramIcon = LoadIconA(ProgramInstance, MAKEINTRESOURCEA(1));
  ArrowCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
}

void WindowsStop() { ObjectTableFreeAll(WindowTable); }

intptr_t WindowOpen(intptr_t number, int x, int y, int innerWidth, int innerHeight, const char* title,
                    uint32_t flags, HWND owner) {
  WindowRecord* record = static_cast<WindowRecord*>(ObjectTableSlot(WindowTable, number));
  if (!record) return 0;
  intptr_t windowNumber = number == AutoNumber ? ObjectNumberOf(record) : number;

  char className[NumberedNameSize];
  ClassName(className, windowNumber);
  WNDCLASSA windowClass = {};
  windowClass.style = CS_DBLCLKS;
  windowClass.lpfnWndProc = ToolkitWindowProc;
  windowClass.hInstance = ProgramInstance;
  windowClass.hIcon = ProgramIcon;
  windowClass.hCursor = ArrowCursor;
  windowClass.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = className;
  RegisterClassA(&windowClass);

  bool attachList = !(flags & WindowNoGadgetList);
  flags &= ~WindowNoGadgetList;
  if (!(flags & ~(WindowCentreOnScreen | WindowCentreOnOwner | WindowOpenHidden))) flags |= WS_CAPTION;
  bool hidden = flags & WindowOpenHidden;
  bool centreOnScreen = flags & WindowCentreOnScreen;
  bool centreOnOwner = flags & WindowCentreOnOwner;
  DWORD style = flags & ~(WindowOpenHidden | WindowCentreOnScreen | WindowCentreOnOwner);

  RECT outer = {0, 0, innerWidth, innerHeight};
  AdjustWindowRect(&outer, style, FALSE);
  int width = outer.right - outer.left, height = outer.bottom - outer.top;

  if ((x == WindowPositionDefault || y == WindowPositionDefault) && !centreOnScreen && !centreOnOwner)
    x = y = CW_USEDEFAULT;
  if (centreOnScreen) {
    int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
    if (width > screenWidth) width = screenWidth;
    if (height > screenHeight) height = screenHeight;
    x = (screenWidth - width) / 2;
    y = (screenHeight - height) / 2;
  } else if (centreOnOwner) {
    HWND reference = owner ? owner : GetActiveWindow();
    RECT area;
    if (reference && GetWindowRect(reference, &area)) {
      x = area.left + ((area.right - area.left) - width) / 2;
      y = area.top + ((area.bottom - area.top) - height) / 2;
      if (x < 0) x = 0;
      if (y < 0) y = 0;
    }
  }

  HWND handle = CreateWindowExA(0, className, title ? title : "", style, x, y, width, height, owner,
                                nullptr, ProgramInstance, nullptr);
  if (!handle) {
    UnregisterClassA(className, ProgramInstance);
    ObjectTableRelease(WindowTable, windowNumber);
    return 0;
  }
  record->handle = handle;
  MarkToolkitWindow(handle, windowNumber);
  if (!hidden)
    ShowWindow(handle, (style & WS_MAXIMIZE) ? SW_SHOWMAXIMIZED : (style & WS_MINIMIZE) ? SW_SHOWMINIMIZED : SW_SHOWNORMAL);

  record->minimisedOrMaximised = (style & (WS_MAXIMIZE | WS_MINIMIZE)) ? 1 : 0;
  record->accelerators = static_cast<ACCEL*>(ProgramAlloc(2 * sizeof(ACCEL)));
  record->acceleratorCount = 2;
  if (record->accelerators) {
    record->accelerators[0] = ACCEL{FVIRTKEY | FNOINVERT, VK_TAB, CommandFocusNext};
    record->accelerators[1] = ACCEL{FVIRTKEY | FNOINVERT | FSHIFT, VK_TAB, CommandFocusPrevious};
    record->acceleratorTable = CreateAcceleratorTableA(record->accelerators, 2);
  }
  record->backColor = -1;
  record->backBrush.Take(nullptr);

  if (attachList) GadgetListAttach(handle);
  return number == AutoNumber ? windowNumber : (intptr_t)handle;
}

void WindowClose(intptr_t number) {
  WindowRecord* record = FindRecord<WindowRecord>(WindowTable, number);
  if (!record) return;
  HWND handle = record->handle;
  ActivateOwner(handle);
  UnmarkToolkitWindow(handle);
  DestroyWindow(handle);
  char className[NumberedNameSize];
  ClassName(className, number);
  UnregisterClassA(className, ProgramInstance);
  ProgramFree(record->accelerators);
  if (record->acceleratorTable) DestroyAcceleratorTable(record->acceleratorTable);
  record->backBrush.Free();
  ObjectTableRelease(WindowTable, number);
}

void WindowHide(intptr_t number, int hide) {
  WindowRecord* record = FindRecord<WindowRecord>(WindowTable, number);
  if (!record) return;
  HWND handle = record->handle;
  if (hide) {
    ActivateOwner(handle);
    ShowWindow(handle, SW_HIDE);
  } else {
    ShowWindow(handle, IsZoomed(handle) ? SW_SHOWMAXIMIZED : IsIconic(handle) ? SW_SHOWMINIMIZED : SW_SHOWNORMAL);
  }
}

void WindowSetColor(intptr_t number, int32_t color) {
  WindowRecord* record = FindRecord<WindowRecord>(WindowTable, number);
  if (!record || record->backColor == color) return;
  record->backBrush.Free();
  record->backBrush.Take(color == -1 ? nullptr : CreateSolidBrush((COLORREF)color));
  record->backColor = color;
  // A hidden window is painted whole when it is shown.
  if (IsWindowVisible(record->handle)) RedrawWindow(record->handle, nullptr, nullptr, RDW_ERASE | RDW_INTERNALPAINT | RDW_INVALIDATE);
}

HWND WindowHandle(intptr_t number) {
  WindowRecord* record = FindRecord<WindowRecord>(WindowTable, number);
  return record ? record->handle : nullptr;
}

int32_t WaitEventTimeout(int timeout) {
  Events.subtype = -1;
  if (QueueNode* node = Events.head) {
    Events.head = node->next;
    if (!Events.head) Events.tail = nullptr;
    Events.window = node->window;
    Events.pendingKind = 0;
    int32_t kind = node->kind;
    HeapFree(NodeHeap, 0, node);
    return kind;
  }

  MSG message;
  if (timeout == -1) {
    GetMessageA(&message, nullptr, 0, 0);
  } else if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE | PM_NOYIELD)) {
    if (timeout == 0) return 0;
    if (MsgWaitForMultipleObjects(0, nullptr, FALSE, (DWORD)timeout, QS_ALLINPUT) == WAIT_TIMEOUT) return 0;
    if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE | PM_NOYIELD)) return 0;
  }

  HACCEL accelerators = KeyboardMessage(message.message) ? ActiveAccelerators() : nullptr;
  if (!accelerators || !TranslateAcceleratorA(GetActiveWindow(), accelerators, &message)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }

  if (int32_t kind = Events.pendingKind) {
    Events.pendingKind = 0;
    return kind;
  }
  Events.wParam = message.wParam;
  Events.lParam = message.lParam;
  return (int32_t)message.message;
}

intptr_t LastEventGadget() { return Events.gadget; }
intptr_t LastEventItem() { return Events.gadget; }
int32_t LastEventSubtype() { return Events.subtype; }
intptr_t LastEventWindow() { return Events.window; }

void QueueWindowEvent(int32_t kind, intptr_t window) {
  if (Events.tail && Events.tail->kind == kind && Events.tail->window == window) return;
  QueueNode* node = static_cast<QueueNode*>(HeapAlloc(NodeHeap, HEAP_ZERO_MEMORY, sizeof(QueueNode)));
  if (!node) return;
  node->kind = kind;
  node->window = window;
  if (Events.tail) Events.tail->next = node;
  else Events.head = node;
  Events.tail = node;
}

void DrainMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  Events.pendingKind = 0;
}
