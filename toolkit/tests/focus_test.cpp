// Keyboard focus: the focused gadget, and Tab / Shift+Tab over the enabled, visible tab stops
// of the active window.
#include <gtest/gtest.h>
#include "gadget_test_support.h"
#include "toolkit/focus.h"
#include "toolkit/gadget_registry.h"
#include "toolkit/window.h"

namespace {

const GadgetKind NoOperations = KindWithoutOperations(KindButton);

HWND MakePanel(HWND parent, int y) {
  return CreateWindowExA(0, "Static", "", WS_CHILD | WS_VISIBLE, 0, y, 400, 40, parent, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
}

void PressKey(WORD key, bool shift) {
  if (shift) keybd_event(VK_SHIFT, 0, 0, 0);
  keybd_event((BYTE)key, 0, 0, 0);
  keybd_event((BYTE)key, 0, KEYEVENTF_KEYUP, 0);
  if (shift) keybd_event(VK_SHIFT, 0, KEYEVENTF_KEYUP, 0);
}

// Tab stops in window order: 1, [panel: 4, 5], 8. Not eligible: the label 2, the disabled
// button 3, the hidden button 6 and button 7 on a hidden panel.
class Focus : public testing::Test {
 protected:
  void SetUp() override {
    window_ = (HWND)WindowOpen(5, 40, 40, 400, 300, "focus", WS_OVERLAPPEDWINDOW);
    ASSERT_NE(nullptr, window_);
    MakeButton(1, 10, 10);
    MakeGadget(2, "Static", 0, &NoOperations, "label", 100, 10);
    MakeButton(3, 200, 10);
    GadgetDisable(3, 1);
    HWND panel = MakePanel(window_, 50);
    GadgetListPush(panel);
    MakeButton(4, 10, 5);
    MakeButton(5, 100, 5);
    GadgetListClose();
    MakeButton(6, 10, 100);
    GadgetHide(6, 1);
    HWND hiddenPanel = MakePanel(window_, 150);
    GadgetListPush(hiddenPanel);
    MakeButton(7, 10, 5);
    GadgetListClose();
    ShowWindow(hiddenPanel, SW_HIDE);
    MakeButton(8, 10, 250);
    Activate(window_);
    DrainEvents();
    ASSERT_EQ(window_, GetActiveWindow());
  }
  void TearDown() override {
    WindowClose(5);
    DrainEvents();
  }
  HWND window_;
};

TEST_F(Focus, TabMovesForwardAndShiftTabBackwardWithWrapAround) {
  struct Row {
    int from;
    int backwards;
    int to;
  };
  const Row rows[] = {
      {1, 0, 4}, {4, 0, 5}, {5, 0, 8}, {8, 0, 1},  // the last tab stop wraps to the first
      {1, 1, 8}, {8, 1, 5}, {5, 1, 4}, {4, 1, 1},  // and the first to the last
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "from " << row.from << (row.backwards ? " back" : " on"));
    SetFocus(GadgetHandle(row.from));
    ASSERT_EQ(row.from, FocusedGadget());
    MoveFocus(row.backwards);
    EXPECT_EQ(row.to, FocusedGadget());
  }
}

TEST_F(Focus, WithoutAFocusedControlTabGoesToTheFirstAndShiftTabToTheLast) {
  SetFocus(window_);
  EXPECT_EQ(-1, FocusedGadget());
  MoveFocus(0);
  EXPECT_EQ(1, FocusedGadget());
  SetFocus(window_);
  MoveFocus(1);
  EXPECT_EQ(8, FocusedGadget());
}

// Hiding the focused gadget hands the focus to its parent, here the panel, which is no tab
// stop itself; Tab still moves on from the panel's place.
TEST_F(Focus, AfterTheFocusedGadgetWasHiddenTabMovesOnFromItsContainer) {
  struct Row {
    int backwards;
    int to;
  };
  const Row rows[] = {{0, 4}, {1, 1}};
  HWND panel = GetParent(GadgetHandle(5));
  for (const Row& row : rows) {
    SetFocus(GadgetHandle(5));
    GadgetHide(5, 1);
    ASSERT_EQ(panel, GetFocus());
    MoveFocus(row.backwards);
    EXPECT_EQ(row.to, FocusedGadget()) << (row.backwards ? "back" : "on");
    GadgetHide(5, 0);
  }
}

TEST_F(Focus, NoTabStopLeavesTheFocusAlone) {
  for (int gadget : {1, 4, 5, 8}) GadgetDisable(gadget, 1);
  SetFocus(window_);
  MoveFocus(0);
  EXPECT_EQ(window_, GetFocus());
  MoveFocus(1);
  EXPECT_EQ(window_, GetFocus());
}

TEST_F(Focus, TabAndShiftTabKeysMoveTheFocusThroughTheEventWait) {
  struct Row {
    int from;
    bool shift;
    int to;
  };
  const Row rows[] = {{8, false, 1}, {1, false, 4}, {4, true, 1}, {1, true, 8}};
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "from " << row.from << (row.shift ? " Shift+Tab" : " Tab"));
    SetFocus(GadgetHandle(row.from));
    PressKey(VK_TAB, row.shift);
    DrainEvents();
    EXPECT_EQ(row.to, FocusedGadget());
  }
}

TEST_F(Focus, FocusedGadgetReadsTheNumberOfTheControlOrItsComboBox) {
  HWND combo = (HWND)MakeGadget(9, "ComboBox", CBS_DROPDOWN, &NoOperations, "", 200, 250, 100, 100);
  SetFocus(combo);  // the focus goes to the combo box's own edit control
  ASSERT_NE(combo, GetFocus());
  ASSERT_EQ(combo, GetParent(GetFocus()));
  EXPECT_EQ(9, FocusedGadget());

  MakeButton(0, 300, 10);
  SetFocus(GadgetHandle(0));
  EXPECT_EQ(0, FocusedGadget());

  HWND plain = CreateWindowExA(0, "Button", "", WS_CHILD | WS_VISIBLE, 300, 100, 20, 20, window_,
                               (HMENU)8, GetModuleHandleA(nullptr), nullptr);
  SetFocus(plain);
  EXPECT_EQ(-1, FocusedGadget());
}

}  // namespace
