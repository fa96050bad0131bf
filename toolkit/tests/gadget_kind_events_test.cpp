// Gadget events of the kinds, driven by native mouse and focus messages; each test lists
// the events it expects in order.
#include <vector>
#include "kind_test_window.h"
#include "runtime/object_table.h"
#include "toolkit/gadget.h"
#include "toolkit/gadget_kinds.h"

namespace {

using EventList = std::vector<GadgetEvent>;
constexpr int W = KindTestWindow;

LPARAM Point(int x, int y) { return MAKELPARAM(x, y); }

// The client point in the middle of a list box's item.
LPARAM ItemPoint(HWND list, int item) {
  RECT area = {};
  SendMessageA(list, LB_GETITEMRECT, item, (LPARAM)&area);
  return Point((area.left + area.right) / 2, (area.top + area.bottom) / 2);
}

void Post(HWND control, UINT message, WPARAM wParam, LPARAM lParam) { PostMessageA(control, message, wParam, lParam); }

class GadgetKindEvents : public GadgetWindowTest {
 protected:
  HWND ListWithItems(uint32_t flags = 0) {
    CreateListBox(List, 5, 5, 150, 120, flags);
    for (const char* item : {"a", "b", "c"}) GadgetAddItem(List, -1, item);
    DrainEvents();
    return GadgetHandle(List);
  }
  static constexpr int List = 4;
};

TEST_F(GadgetKindEvents, ButtonAndCheckBoxClicksGiveLeftClicks) {
  HWND button = (HWND)CreateButton(1, 5, 5, 80, 24, "b");
  HWND check = (HWND)CreateCheckBox(2, 5, 40, 80, 24, "c");
  DrainEvents();
  PostLeftClick(button);
  PostLeftClick(check);
  EXPECT_EQ((EventList{{1, GsLeftClick, W}, {2, GsLeftClick, W}}), CollectGadgetEvents());
  EXPECT_EQ(1, GadgetGetState(2));
}

TEST_F(GadgetKindEvents, NumbersFromAutoNumberSurviveTheCommandsSixteenBits) {
  int button = (int)CreateButton(AutoNumber, 5, 5, 80, 24, "b");
  int check = (int)CreateCheckBox(AutoNumber, 5, 40, 80, 24, "c");
  ASSERT_GT(button, 65535);
  DrainEvents();
  PostLeftClick(GadgetHandle(button));
  PostLeftClick(GadgetHandle(check));
  EXPECT_EQ((EventList{{button, GsLeftClick, W}, {check, GsLeftClick, W}}), CollectGadgetEvents());
  GadgetFree(button);
  GadgetFree(check);
}

TEST_F(GadgetKindEvents, ListBoxSelectionByMouseGivesTwoLeftClicks) {
  HWND list = ListWithItems();
  Post(list, WM_LBUTTONDOWN, MK_LBUTTON, ItemPoint(list, 1));
  Post(list, WM_LBUTTONUP, 0, ItemPoint(list, 1));
  EXPECT_EQ((EventList{{List, GsLeftClick, W}, {List, GsLeftClick, W}}), CollectGadgetEvents());
  EXPECT_EQ(1, GadgetGetState(List));
  EXPECT_EQ(nullptr, GetPropA(list, "VX_MouseDown"));
  EXPECT_EQ(nullptr, GetCapture());
}

TEST_F(GadgetKindEvents, ListBoxDoubleClickGivesLeftDoubleClick) {
  HWND list = ListWithItems();
  LPARAM at = ItemPoint(list, 2);
  Post(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
  Post(list, WM_LBUTTONUP, 0, at);
  CollectGadgetEvents();
  // The second press of a double click is no press of its own: its release reports nothing.
  Post(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  Post(list, WM_LBUTTONUP, 0, at);
  EXPECT_EQ((EventList{{List, GsLeftDoubleClick, W}}), CollectGadgetEvents());
}

TEST_F(GadgetKindEvents, ListBoxPressMovedOutOfTheDragRectangleStartsADrag) {
  HWND list = ListWithItems();
  LPARAM at = ItemPoint(list, 0);
  int x = LOWORD(at), y = HIWORD(at);
  Post(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
  Post(list, WM_MOUSEMOVE, MK_LBUTTON, Point(x + GetSystemMetrics(SM_CXDRAG), y));  // still inside
  EXPECT_EQ((EventList{}), CollectGadgetEvents());
  EXPECT_NE(nullptr, GetPropA(list, "VX_MouseDown"));
  Post(list, WM_MOUSEMOVE, MK_LBUTTON, Point(x + GetSystemMetrics(SM_CXDRAG) + 1, y));
  Post(list, WM_LBUTTONUP, 0, Point(x + 20, y));
  EXPECT_EQ((EventList{{List, GsDragStart, W}, {List, GsLeftClick, W}}), CollectGadgetEvents());
  EXPECT_EQ(nullptr, GetPropA(list, "VX_MouseDown"));
}

TEST_F(GadgetKindEvents, ListBoxPressesThatStartNoDrag) {
  struct Row {
    const char* what;
    uint32_t flags;
    WPARAM keys;
    bool onItem;
  };
  const Row rows[] = {
      {"with Shift", 0, MK_LBUTTON | MK_SHIFT, true},
      {"with Ctrl", 0, MK_LBUTTON | MK_CONTROL, true},
      {"below the last item", 0, MK_LBUTTON, false},
      {"on an unselected item of an extended selection", LBS_EXTENDEDSEL, MK_LBUTTON, true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    HWND list = ListWithItems(row.flags);
    LPARAM at = row.onItem ? ItemPoint(list, 1) : Point(20, 110);
    SendMessageA(list, WM_LBUTTONDOWN, row.keys, at);
    EXPECT_EQ(nullptr, GetPropA(list, "VX_MouseDown"));
    SendMessageA(list, WM_LBUTTONUP, 0, at);
    DrainEvents();
  }
}

TEST_F(GadgetKindEvents, ExtendedSelectionKeepsItsItemsWhenADragStartsOnOne) {
  HWND list = ListWithItems(LBS_EXTENDEDSEL);
  SendMessageA(list, LB_SELITEMRANGEEX, 0, 1);
  LPARAM at = ItemPoint(list, 1);
  Post(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
  Post(list, WM_MOUSEMOVE, MK_LBUTTON, Point(LOWORD(at), HIWORD(at) + 40));
  EXPECT_EQ((EventList{{List, GsDragStart, W}}), CollectGadgetEvents());
  EXPECT_EQ(2, SendMessageA(list, LB_GETSELCOUNT, 0, 0));
}

TEST_F(GadgetKindEvents, ImageBoxMouseActions) {
  HBITMAP bitmap = CreateBitmap(40, 40, 1, 32, nullptr);
  CreateImageBox(1, 5, 5, 40, 40, bitmap);
  HWND box = GadgetHandle(1);
  struct Row {
    const char* what;
    std::vector<std::pair<UINT, LPARAM>> messages;
    EventList events;
  };
  const Row rows[] = {
      {"left click", {{WM_LBUTTONDOWN, Point(5, 5)}, {WM_LBUTTONUP, Point(5, 5)}}, {{1, GsLeftClick, W}}},
      {"left double click",
       {{WM_LBUTTONDOWN, Point(5, 5)}, {WM_LBUTTONUP, Point(5, 5)}, {WM_LBUTTONDBLCLK, Point(5, 5)},
        {WM_LBUTTONUP, Point(5, 5)}},
       {{1, GsLeftClick, W}, {1, GsLeftDoubleClick, W}}},
      {"right click", {{WM_RBUTTONDOWN, Point(5, 5)}, {WM_RBUTTONUP, Point(5, 5)}}, {{1, GsRightClick, W}}},
      {"right double click: no right click for the release after it",
       {{WM_RBUTTONDOWN, Point(5, 5)}, {WM_RBUTTONUP, Point(5, 5)}, {WM_RBUTTONDBLCLK, Point(5, 5)},
        {WM_RBUTTONUP, Point(5, 5)}},
       {{1, GsRightClick, W}, {1, GsRightDoubleClick, W}}},
      {"right click after a right double click",
       {{WM_RBUTTONDOWN, Point(5, 5)}, {WM_RBUTTONUP, Point(5, 5)}}, {{1, GsRightClick, W}}},
      {"drag",
       {{WM_LBUTTONDOWN, Point(5, 5)}, {WM_MOUSEMOVE, Point(5, 5 + GetSystemMetrics(SM_CYDRAG))},
        {WM_MOUSEMOVE, Point(5, 6 + GetSystemMetrics(SM_CYDRAG))}, {WM_MOUSEMOVE, Point(5, 30)},
        {WM_LBUTTONUP, Point(5, 30)}},
       {{1, GsLeftClick, W}, {1, GsDragStart, W}}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    for (auto [message, at] : row.messages) Post(box, message, message == WM_MOUSEMOVE ? MK_LBUTTON : 0, at);
    EXPECT_EQ(row.events, CollectGadgetEvents());
    EXPECT_EQ(nullptr, GetCapture());
  }
  GadgetFree(1);
  DeleteObject(bitmap);
}

TEST_F(GadgetKindEvents, EditFieldFocusGivesFocusAndLostFocusEvents) {
  HWND first = (HWND)CreateEditField(1, 5, 5, 100, 22, "one");
  HWND second = (HWND)CreateEditField(2, 5, 40, 100, 22, "two");
  Activate(window);
  SetFocus(first);
  DrainEvents();
  // A click into the second field: the native focus notifications come from the press
  // (the later one wins), the posted focus events follow in the order of the focus change.
  PostLeftClick(second);
  EXPECT_EQ((EventList{{2, EN_SETFOCUS, W}, {1, GsLostFocus, W}, {2, GsFocus, W}}), CollectGadgetEvents());
  EXPECT_EQ(2, FocusedGadget());
}

}  // namespace
