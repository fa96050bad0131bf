// Numbered windows and the event queue, against real windows.
#include <gtest/gtest.h>
#include <vector>
#include "runtime/object_table.h"
#include "toolkit/gadget_registry.h"
#include "toolkit/window.h"
#include "toolkit/window_marks.h"

namespace {

const int32_t WindowEventKinds[] = {EvMove, EvSize, EvRepaint, EvClose, EvActivate,
                                    EvMinimize, EvMaximize, EvRestore};

bool IsWindowEvent(int32_t kind) {
  for (int32_t k : WindowEventKinds)
    if (k == kind) return true;
  return false;
}

// Polls until nothing is left and returns the window events among the results, in order,
// keeping only the kinds asked for.
std::vector<int32_t> DrainWindowEvents(std::initializer_list<int32_t> wanted) {
  std::vector<int32_t> seen;
  for (int i = 0; i < 1000; ++i) {
    int32_t kind = PollEvent();
    if (kind == 0) break;
    if (!IsWindowEvent(kind)) continue;
    for (int32_t w : wanted)
      if (w == kind) seen.push_back(kind);
  }
  return seen;
}

void DrainAll() {
  for (int i = 0; i < 1000 && PollEvent() != 0; ++i) {
  }
}

class WindowEvents : public testing::Test {
 protected:
  void TearDown() override {
    WindowClose(1);
    WindowClose(2);
    DrainAll();
  }
  HWND Open(intptr_t number, uint32_t flags = WS_OVERLAPPEDWINDOW | WindowCentreOnScreen) {
    return (HWND)WindowOpen(number, 10, 10, 300, 200, "test", flags);
  }
};

TEST_F(WindowEvents, CloseBoxGivesTheNativeMessageFirstThenEvClose) {
  HWND window = Open(1);
  ASSERT_TRUE(IsWindow(window));
  DrainAll();
  PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_EQ(WM_SYSCOMMAND, PollEvent());
  EXPECT_EQ(EvClose, PollEvent());
  EXPECT_EQ(1, LastEventWindow());
  EXPECT_TRUE(IsWindow(window));  // the close box never destroys the window
  WindowClose(1);
  EXPECT_FALSE(IsWindow(window));
}

TEST_F(WindowEvents, MinimiseRestoreAndMaximiseSequences) {
  HWND window = Open(1);
  DrainAll();
  ShowWindow(window, SW_MINIMIZE);
  ShowWindow(window, SW_RESTORE);
  EXPECT_EQ((std::vector<int32_t>{EvMinimize, EvRestore, EvSize}),
            DrainWindowEvents({EvMinimize, EvRestore, EvSize, EvMaximize}));
  ShowWindow(window, SW_MAXIMIZE);
  EXPECT_EQ((std::vector<int32_t>{EvMaximize, EvSize}),
            DrainWindowEvents({EvMinimize, EvRestore, EvSize, EvMaximize}));
  ShowWindow(window, SW_RESTORE);
  EXPECT_EQ((std::vector<int32_t>{EvRestore, EvSize}),
            DrainWindowEvents({EvMinimize, EvRestore, EvSize, EvMaximize}));
}

TEST_F(WindowEvents, IdenticalEventsInARowCollapse) {
  DrainAll();
  QueueWindowEvent(EvMove, 7);
  QueueWindowEvent(EvMove, 7);
  QueueWindowEvent(EvMove, 8);
  QueueWindowEvent(EvMove, 7);
  struct Expected {
    int32_t kind, window;
  };
  const Expected expected[] = {{EvMove, 7}, {EvMove, 8}, {EvMove, 7}};
  for (const Expected& e : expected) {
    EXPECT_EQ(e.kind, PollEvent());
    EXPECT_EQ(e.window, LastEventWindow());
  }
}

TEST_F(WindowEvents, PollWithNothingWaitingKeepsTheLastGadget) {
  HWND window = Open(1);
  DrainAll();
  PostMessageA(window, GadgetEventMessage, 77, 5);
  EXPECT_EQ(EvGadget, PollEvent());
  EXPECT_EQ(77, LastEventGadget());
  EXPECT_EQ(77, LastEventItem());
  EXPECT_EQ(5, LastEventSubtype());
  DrainAll();
  EXPECT_EQ(0, PollEvent());
  EXPECT_EQ(-1, LastEventSubtype());
  EXPECT_EQ(77, LastEventGadget());
  // A queued window event names its window and leaves the gadget alone.
  QueueWindowEvent(EvSize, 2);
  EXPECT_EQ(EvSize, PollEvent());
  EXPECT_EQ(2, LastEventWindow());
  EXPECT_EQ(77, LastEventGadget());
}

TEST_F(WindowEvents, TimedWaitWithNothingWaitingReturnsZero) {
  DrainAll();
  EXPECT_EQ(0, WaitEventTimeout(20));
}

TEST_F(WindowEvents, ReopeningANumberClosesTheOldWindow) {
  HWND first = Open(1);
  HWND second = Open(1);
  EXPECT_FALSE(IsWindow(first));
  EXPECT_TRUE(IsWindow(second));
  EXPECT_EQ(second, WindowHandle(1));
  char className[64];
  GetClassNameA(second, className, sizeof className);
  EXPECT_STREQ("WindowClass_1", className);
  EXPECT_EQ((HANDLE)2, GetPropA(second, "VX_WindowID"));
}

TEST_F(WindowEvents, AWindowCarriesItsNumberUntilItIsClosedOrDestroyed) {
  struct Ending {
    const char* what;
    void (*end)(HWND window);
  } endings[] = {
      {"closed", [](HWND) { WindowClose(1); }},
      {"destroyed without WindowClose", [](HWND window) { DestroyWindow(window); }},
  };
  for (const Ending& ending : endings) {
    SCOPED_TRACE(ending.what);
    HWND window = Open(1);
    HWND child = CreateWindowExA(0, "Static", "", WS_CHILD, 0, 0, 10, 10, window, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    EXPECT_EQ(1, MarkedWindowNumber(window));
    EXPECT_EQ(-1, MarkedWindowNumber(child));
    EXPECT_EQ((HANDLE)2, GetPropA(window, "VX_WindowID"));  // for other programs to read
    ending.end(window);
    EXPECT_EQ(-1, MarkedWindowNumber(window));
    WindowClose(1);
  }
  EXPECT_EQ(-1, MarkedWindowNumber(nullptr));
}

TEST_F(WindowEvents, ClosingUnregistersTheClassAndForgetsTheNumber) {
  Open(2);
  WindowClose(2);
  WNDCLASSA info;
  EXPECT_FALSE(GetClassInfoA(GetModuleHandleA(nullptr), "WindowClass_2", &info));
  EXPECT_EQ(nullptr, WindowHandle(2));
  WindowClose(2);  // nothing left to close: does nothing
}

TEST_F(WindowEvents, CentringClampsAWindowLargerThanTheScreen) {
  HWND window = (HWND)WindowOpen(1, 0, 0, 5000, 5000, "big", WindowCentreOnScreen | WindowOpenHidden);
  RECT area;
  GetWindowRect(window, &area);
  EXPECT_EQ(0, area.left);
  EXPECT_EQ(0, area.top);
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), area.right - area.left);
  EXPECT_FALSE(IsWindowVisible(window));
}

TEST_F(WindowEvents, CentredWindowHasTheAskedClientSizeAndCaption) {
  HWND window = (HWND)WindowOpen(1, 212, 161, 500, 358, "wizard", 0x10CA0001);
  RECT client, outer;
  GetClientRect(window, &client);
  GetWindowRect(window, &outer);
  EXPECT_EQ(500, client.right);
  EXPECT_EQ(358, client.bottom);
  int width = outer.right - outer.left, height = outer.bottom - outer.top;
  EXPECT_EQ((GetSystemMetrics(SM_CXSCREEN) - width) / 2, outer.left);
  EXPECT_EQ((GetSystemMetrics(SM_CYSCREEN) - height) / 2, outer.top);
  LONG style = GetWindowLongA(window, GWL_STYLE);
  EXPECT_EQ((LONG)0xCA0000, style & 0xCF0000);  // caption, system menu, minimise box only
  EXPECT_FALSE(IsWindowVisible(window));
  WindowHide(1, 0);
  EXPECT_TRUE(IsWindowVisible(window));
  WindowHide(1, 1);
  EXPECT_FALSE(IsWindowVisible(window));
}

TEST_F(WindowEvents, AutoNumberedWindowsGetDistinctNumbers) {
  intptr_t a = WindowOpen(AutoNumber, WindowPositionDefault, WindowPositionDefault, 100, 100, "a", 0);
  intptr_t b = WindowOpen(AutoNumber, WindowPositionDefault, WindowPositionDefault, 100, 100, "b", 0);
  ASSERT_NE(0, a);
  ASSERT_NE(0, b);
  EXPECT_NE(a, b);
  HWND handle = WindowHandle(a);
  ASSERT_TRUE(IsWindow(handle));
  EXPECT_EQ((HANDLE)(a + 1), GetPropA(handle, "VX_WindowID"));
  WindowClose(a);
  WindowClose(b);
  EXPECT_FALSE(IsWindow(handle));
}

TEST_F(WindowEvents, BackgroundColourFillsTheClientAreaOnErase) {
  HWND window = Open(1);
  DrainAll();
  // Erase into a memory bitmap, as the system does during a paint.
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 300, 200);
  HGDIOBJ old = SelectObject(memory, bitmap);
  WindowSetColor(1, 0x969696);
  DrainAll();
  EXPECT_EQ(1, SendMessageA(window, WM_ERASEBKGND, (WPARAM)memory, 0));
  EXPECT_EQ((COLORREF)0x969696, GetPixel(memory, 150, 100));
  EXPECT_EQ(EvRepaint, PollEvent());
  WindowSetColor(1, -1);  // no colour: default erasing, still reported
  DrainAll();
  SendMessageA(window, WM_ERASEBKGND, (WPARAM)memory, 0);
  EXPECT_EQ((COLORREF)GetSysColor(COLOR_BTNFACE), GetPixel(memory, 150, 100));
  EXPECT_EQ(EvRepaint, PollEvent());
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
}

}  // namespace
