// Gadget lists: which window receives the next gadget.
#include <gtest/gtest.h>
#include "gadget_test_support.h"
#include "toolkit/gadget_registry.h"
#include "toolkit/window.h"

namespace {

const GadgetKind NoOperations = KindWithoutOperations(KindButton);

HWND ParentOfNewGadget(int number) {
  return GetParent((HWND)MakeGadget(number, "Button", 0, &NoOperations));
}

HWND MakePanel(HWND parent) {
  return CreateWindowExA(0, "Static", "", WS_CHILD | WS_VISIBLE, 0, 0, 200, 200, parent, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
}

class GadgetLists : public testing::Test {
 protected:
  void TearDown() override {
    WindowClose(1);
    WindowClose(2);
    DrainEvents();
  }
  HWND Open(int number, uint32_t flags = WS_OVERLAPPEDWINDOW) {
    return (HWND)WindowOpen(number, 20, 20, 300, 200, "list", flags);
  }
};

TEST_F(GadgetLists, GadgetsGoIntoTheLastPushedContainerUntilItsListIsClosed) {
  HWND window = Open(1);
  HWND outer = MakePanel(window);
  HWND inner = MakePanel(outer);
  struct Step {
    const char* action;
    HWND expectedParent;
  };
  const Step steps[] = {
      {"none", window}, {"push outer", outer}, {"push inner", inner},
      {"close", outer}, {"close", window},     {"close on an empty stack", window},
  };
  int number = 0;
  for (const Step& step : steps) {
    SCOPED_TRACE(step.action);
    std::string action = step.action;
    if (action == "push outer") GadgetListPush(outer);
    if (action == "push inner") GadgetListPush(inner);
    if (action.rfind("close", 0) == 0) GadgetListClose();
    EXPECT_EQ(step.expectedParent, GadgetListParent());
    EXPECT_EQ(step.expectedParent, ParentOfNewGadget(++number));
  }
}

TEST_F(GadgetLists, TheStackGrowsBeyondItsFirstTenEntries) {
  HWND window = Open(1);
  HWND panels[25];
  HWND parent = window;
  for (HWND& panel : panels) {
    panel = MakePanel(parent);
    GadgetListPush(panel);
    parent = panel;
  }
  EXPECT_EQ(panels[24], GadgetListParent());
  for (int i = 24; i > 0; --i) {
    GadgetListClose();
    ASSERT_EQ(panels[i - 1], GadgetListParent()) << "after closing level " << i;
  }
  GadgetListClose();
  EXPECT_EQ(window, GadgetListParent());
  EXPECT_EQ(window, GadgetListAttach(nullptr));
}

TEST_F(GadgetLists, AttachingAWindowAgainRestoresItsParentAndStack) {
  HWND first = Open(1);
  HWND firstPanel = MakePanel(first);
  GadgetListPush(firstPanel);

  HWND second = Open(2);  // becomes the current list
  EXPECT_EQ(second, GadgetListParent());
  HWND secondPanel = MakePanel(second);
  GadgetListPush(secondPanel);

  EXPECT_EQ(second, GadgetListAttach(first));  // returns the previous root
  EXPECT_EQ(firstPanel, GadgetListParent());
  GadgetListClose();
  EXPECT_EQ(first, GadgetListParent());

  EXPECT_EQ(first, GadgetListAttach(second));
  EXPECT_EQ(secondPanel, GadgetListParent());
  EXPECT_EQ(second, GadgetListAttach(nullptr));  // no window: only the root, nothing changes
  EXPECT_EQ(secondPanel, GadgetListParent());
  GadgetListClose();
  EXPECT_EQ(second, GadgetListParent());
}

TEST_F(GadgetLists, ClosingTheRootWindowLeavesNoCurrentParent) {
  HWND window = Open(1);
  GadgetListPush(MakePanel(window));
  WindowClose(1);
  EXPECT_EQ(nullptr, GadgetListParent());
  EXPECT_EQ(nullptr, GadgetListAttach(nullptr));
  EXPECT_EQ(0, MakeGadget(1, "Button", 0, &NoOperations));
  GadgetListClose();  // the stack is empty: nothing happens
  EXPECT_EQ(nullptr, GadgetListParent());

  HWND next = Open(2);
  EXPECT_EQ(next, ParentOfNewGadget(1));
}

TEST_F(GadgetLists, ClosingAnotherWindowKeepsTheCurrentList) {
  HWND first = Open(1);
  Open(2);
  GadgetListAttach(first);
  WindowClose(2);
  EXPECT_EQ(first, GadgetListParent());
  EXPECT_EQ(first, ParentOfNewGadget(1));
}

}  // namespace
