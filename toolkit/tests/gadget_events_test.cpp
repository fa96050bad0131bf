// Gadget events: native notifications and posted gadget actions becoming EvGadget events
// with the gadget's number, its subtype and its window.
#include <gtest/gtest.h>
#include <vector>
#include "gadget_test_support.h"
#include "runtime/object_table.h"
#include "toolkit/gadget_registry.h"
#include "toolkit/window.h"

namespace {

using EventList = std::vector<GadgetEvent>;

// A kind that takes its own commands and reports them as double clicks, as a list box does.
LRESULT CommandsAsDoubleClicks(GadgetRecord* gadget, HWND, UINT message, WPARAM, LPARAM) {
  if (message != WM_COMMAND) return NotHandled;
  PostGadgetEvent(gadget->handle, GsLeftDoubleClick);
  return 0;
}
const GadgetKind SwallowingKind = [] {
  GadgetKind kind = KindWithoutOperations(KindListBox);
  kind.notify = CommandsAsDoubleClicks;
  return kind;
}();

// A child window served by the toolkit window procedure, as containers are.
HWND MakeContainer(HWND parent) {
  static ATOM registered = [] {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = ToolkitWindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "TestContainer";
    return RegisterClassA(&windowClass);
  }();
  (void)registered;
  return CreateWindowExA(0, "TestContainer", "", WS_CHILD | WS_VISIBLE, 0, 0, 300, 200, parent,
                         nullptr, GetModuleHandleA(nullptr), nullptr);
}

class GadgetEvents : public testing::Test {
 protected:
  void SetUp() override {
    window_ = (HWND)WindowOpen(3, 30, 30, 400, 300, "events", WS_OVERLAPPEDWINDOW);
    ASSERT_NE(nullptr, window_);
    DrainEvents();
  }
  void TearDown() override {
    WindowClose(3);
    DrainEvents();
  }
  HWND window_;
};

TEST_F(GadgetEvents, AButtonClickGivesLeftClickWithTheGadgetNumber) {
  HWND button = (HWND)MakeButton(12);
  DrainEvents();
  PostLeftClick(button);
  EXPECT_EQ((EventList{{12, GsLeftClick, 3}}), CollectGadgetEvents());
}

TEST_F(GadgetEvents, AutoNumberedButtonsReportTheirFullNumber) {
  intptr_t number = MakeButton(AutoNumber);
  ASSERT_GT(number, 65535);  // does not fit the command message's 16-bit identifier
  DrainEvents();
  PostLeftClick(GadgetHandle(number));
  EXPECT_EQ((EventList{{number, GsLeftClick, 3}}), CollectGadgetEvents());
}

TEST_F(GadgetEvents, ClicksInsideAContainerBelongToTheEnclosingWindow) {
  HWND container = MakeContainer(window_);
  GadgetListPush(container);
  HWND inner = (HWND)MakeButton(20);
  GadgetListClose();
  HWND outer = (HWND)MakeButton(21, 10, 250);
  ASSERT_EQ(container, GetParent(inner));
  DrainEvents();
  PostLeftClick(inner);
  PostLeftClick(outer);
  PostLeftClick(inner);
  EXPECT_EQ((EventList{{20, GsLeftClick, 3}, {21, GsLeftClick, 3}, {20, GsLeftClick, 3}}),
            CollectGadgetEvents());
}

TEST_F(GadgetEvents, PostedGadgetEventsComeOutWithTheirSubtype) {
  HWND container = MakeContainer(window_);
  GadgetListPush(container);
  HWND inner = (HWND)MakeButton(30);
  GadgetListClose();
  DrainEvents();
  PostGadgetEvent(inner, GsFocus);
  PostGadgetEvent(inner, GsDragStart);
  PostGadgetEvent(inner, GsRightDoubleClick);
  EXPECT_EQ((EventList{{30, GsFocus, 3}, {30, GsDragStart, 3}, {30, GsRightDoubleClick, 3}}),
            CollectGadgetEvents());
}

TEST_F(GadgetEvents, AKindThatHandlesItsCommandsReplacesTheNativeEvent) {
  HWND control = (HWND)MakeGadget(40, "Button", BS_PUSHBUTTON, &SwallowingKind, "b");
  DrainEvents();
  PostLeftClick(control);
  EXPECT_EQ((EventList{{40, GsLeftDoubleClick, 3}}), CollectGadgetEvents());
}

}  // namespace
