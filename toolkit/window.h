#pragma once
// Numbered top-level windows and the one event stream of the toolkit.
#include <windows.h>
#include <stdint.h>

// Event kinds returned by WaitEvent/PollEvent. Any other non-zero result is the number of a
// native message that was handled without producing an event; 0 means no event. The setup
// acts only on EvGadget and EvClose; the others stay because a toolkit window reports every
// change of its state (moves, sizes, minimising, activation, repaints) to whoever opened it.
enum EventKind : int32_t {
  EvMove = 3,
  EvSize = 5,
  EvRepaint = 15,
  EvClose = 16,
  EvGadget = 13100,
  EvActivate = 13104,
  EvMinimize = 13107,
  EvMaximize = 13108,
  EvRestore = 13109,
};

// Subtypes of EvGadget. Other values are native notification codes. The setup's gadgets
// report clicks through native notifications; the mouse and focus subtypes stay because the
// kinds report them for any caller (image boxes and list boxes clicks and drags, edit fields
// focus changes).
enum GadgetEventSubtype : int32_t {
  GsLeftClick = 0,
  GsRightClick = 1,
  GsLeftDoubleClick = 2,
  GsRightDoubleClick = 3,
  GsFocus = 14000,
  GsLostFocus = 14001,
  GsDragStart = 14002,
};

// Accelerator commands of every toolkit window: Tab and Shift+Tab.
constexpr WORD CommandFocusNext = 64001;
constexpr WORD CommandFocusPrevious = 64002;

// WindowOpen flags beyond the native style bits. The setup centres its one window on the
// screen; the other placements stay as WindowOpen's for any caller.
constexpr uint32_t WindowCentreOnScreen = 1;
constexpr uint32_t WindowCentreOnOwner = 2;
constexpr uint32_t WindowNoGadgetList = 8;
// Opens the window hidden. The value is the native visible style bit, which is never passed
// on as a style: WindowOpen shows the window itself unless this flag asks it not to.
constexpr uint32_t WindowOpenHidden = 0x10000000;
static_assert(WindowOpenHidden == WS_VISIBLE, "the open-hidden flag is the visible bit");
constexpr int WindowPositionDefault = -65535;

extern HINSTANCE ProgramInstance;  // set by the entry before the libraries start

void WindowsStart();
void WindowsStop();

// Returns the native handle for a fixed number, the new number for AutoNumber, 0 on failure.
intptr_t WindowOpen(intptr_t number, int x, int y, int innerWidth, int innerHeight, const char* title,
                    uint32_t flags, HWND owner = nullptr);
void WindowClose(intptr_t number);
void WindowHide(intptr_t number, int hide);
void WindowSetColor(intptr_t number, int32_t color);
HWND WindowHandle(intptr_t number);

// The one wait: timeout in milliseconds, -1 infinite, 0 none.
int32_t WaitEventTimeout(int timeout);
inline int32_t WaitEvent() { return WaitEventTimeout(-1); }
inline int32_t PollEvent() { return WaitEventTimeout(0); }

intptr_t LastEventGadget();
// Only tests read these two; they stay as the event's item (the gadget number under its
// item name) and subtype, which every event carries.
intptr_t LastEventItem();
int32_t LastEventSubtype();
intptr_t LastEventWindow();

void QueueWindowEvent(int32_t kind, intptr_t window);
void DrainMessages();

// The procedure that serves every toolkit window and container.
LRESULT CALLBACK ToolkitWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
