// Gadget events of the kinds, driven by native mouse and focus messages; each test lists
// the events it expects in order.
#include <vector>
#include "kind_test_window.h"
#include "runtime/object_table.h"
#include "toolkit/gadget_registry.h"
#include "toolkit/focus.h"
#include "toolkit/gadget_kinds.h"

namespace {

using EventList = std::vector<GadgetEvent>;
using Messages = std::vector<std::pair<UINT, LPARAM>>;  // mouse messages and their client points
constexpr int W = KindTestWindow;
constexpr int List = 4;

LPARAM Point(int x, int y) { return MAKELPARAM(x, y); }

void PostAll(HWND control, const Messages& messages) {
  for (auto [message, at] : messages)
    PostMessageA(control, message, message == WM_MOUSEMOVE || message == WM_LBUTTONDOWN ? MK_LBUTTON : 0, at);
}

class GadgetKindEvents : public GadgetWindowTest {
 protected:
  HWND ListWithItems(uint32_t flags = 0) {
    CreateListBox(List, 5, 5, 150, 120, flags);
    for (const char* item : {"a", "b", "c"}) GadgetAddItem(List, -1, item);
    DrainEvents();
    return GadgetHandle(List);
  }
  // The client point in the middle of a list-box item.
  static LPARAM ItemPoint(HWND list, int item) {
    RECT area = {};
    SendMessageA(list, LB_GETITEMRECT, item, (LPARAM)&area);
    return Point((area.left + area.right) / 2, (area.top + area.bottom) / 2);
  }
};

intptr_t NumberOf(intptr_t created, intptr_t asked) { return asked == AutoNumber ? created : asked; }

// AutoNumber gives numbers above 65535, beyond the 16-bit identifier of a command message.
TEST_F(GadgetKindEvents, ButtonAndCheckBoxClicksGiveLeftClicks) {
  for (auto [asked, askedCheck] : {std::pair<int, int>{1, 2}, {AutoNumber, AutoNumber}}) {
    int button = NumberOf(CreateButton(asked, 5, 5, 80, 24, "b"), asked);
    int check = NumberOf(CreateCheckBox(askedCheck, 5, 40, 80, 24, "c"), askedCheck);
    DrainEvents();
    PostLeftClick(GadgetHandle(button));
    PostLeftClick(GadgetHandle(check));
    EXPECT_EQ((EventList{{button, GsLeftClick, W}, {check, GsLeftClick, W}}), CollectGadgetEvents());
    EXPECT_EQ(1, GadgetGetState(check));
    GadgetFree(button);
    GadgetFree(check);
  }
}

TEST_F(GadgetKindEvents, ListBoxMouseActions) {
  HWND list = ListWithItems();
  LPARAM at = ItemPoint(list, 1);
  int x = LOWORD(at), y = HIWORD(at), dragWidth = GetSystemMetrics(SM_CXDRAG);
  struct Row {
    const char* what;
    Messages messages;
    EventList events;
  };
  const Row rows[] = {
      // The selection change and the release of the press each report a click.
      {"selection", {{WM_LBUTTONDOWN, at}, {WM_LBUTTONUP, at}}, {{List, GsLeftClick, W}, {List, GsLeftClick, W}}},
      // The second press of a double click is no press of its own: its release reports nothing.
      {"double click", {{WM_LBUTTONDBLCLK, at}, {WM_LBUTTONUP, at}}, {{List, GsLeftDoubleClick, W}}},
      {"move within the drag rectangle", {{WM_LBUTTONDOWN, at}, {WM_MOUSEMOVE, Point(x + dragWidth, y)}}, {}},
      {"and out of it", {{WM_MOUSEMOVE, Point(x + dragWidth + 1, y)}, {WM_LBUTTONUP, Point(x + 20, y)}},
       {{List, GsDragStart, W}, {List, GsLeftClick, W}}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    PostAll(list, row.messages);
    EXPECT_EQ(row.events, CollectGadgetEvents());
  }
  EXPECT_EQ(nullptr, GetPropA(list, "VX_MouseDown"));
  EXPECT_EQ(nullptr, GetCapture());
}

TEST_F(GadgetKindEvents, ListBoxPressesThatCannotStartADrag) {
  struct Row {
    const char* what;
    uint32_t flags;
    WPARAM keys;
  };
  const Row rows[] = {
      {"with Shift", 0, MK_LBUTTON | MK_SHIFT},
      {"with Ctrl", 0, MK_LBUTTON | MK_CONTROL},
      {"on an unselected item of an extended selection", LBS_EXTENDEDSEL, MK_LBUTTON},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    HWND list = ListWithItems(row.flags);
    LPARAM at = ItemPoint(list, 1);
    SendMessageA(list, WM_LBUTTONDOWN, row.keys, at);
    EXPECT_EQ(nullptr, GetPropA(list, "VX_MouseDown"));
    SendMessageA(list, WM_LBUTTONUP, 0, at);
  }
}

TEST_F(GadgetKindEvents, ExtendedSelectionKeepsItsItemsWhenADragStartsOnOne) {
  HWND list = ListWithItems(LBS_EXTENDEDSEL);
  SendMessageA(list, LB_SELITEMRANGEEX, 0, 1);
  LPARAM at = ItemPoint(list, 1);
  PostAll(list, {{WM_LBUTTONDOWN, at}, {WM_MOUSEMOVE, Point(LOWORD(at), HIWORD(at) + 40)}});
  EXPECT_EQ((EventList{{List, GsDragStart, W}}), CollectGadgetEvents());
  EXPECT_EQ(2, SendMessageA(list, LB_GETSELCOUNT, 0, 0));
}

TEST_F(GadgetKindEvents, ImageBoxMouseActions) {
  HBITMAP bitmap = CreateBitmap(40, 40, 1, 32, nullptr);
  HWND box = (HWND)CreateImageBox(1, 5, 5, 40, 40, bitmap);
  const LPARAM at = Point(5, 5), dragEdge = Point(5, 5 + GetSystemMetrics(SM_CYDRAG));
  struct Row {
    const char* what;
    Messages messages;
    EventList events;
  };
  const Row rows[] = {
      {"left click", {{WM_LBUTTONDOWN, at}, {WM_LBUTTONUP, at}}, {{1, GsLeftClick, W}}},
      {"left double click", {{WM_LBUTTONDOWN, at}, {WM_LBUTTONUP, at}, {WM_LBUTTONDBLCLK, at}, {WM_LBUTTONUP, at}},
       {{1, GsLeftClick, W}, {1, GsLeftDoubleClick, W}}},
      {"right double click: no right click for the release after it",
       {{WM_RBUTTONDOWN, at}, {WM_RBUTTONUP, at}, {WM_RBUTTONDBLCLK, at}, {WM_RBUTTONUP, at}},
       {{1, GsRightClick, W}, {1, GsRightDoubleClick, W}}},
      {"right click after it", {{WM_RBUTTONDOWN, at}, {WM_RBUTTONUP, at}}, {{1, GsRightClick, W}}},
      {"drag", {{WM_LBUTTONDOWN, at}, {WM_MOUSEMOVE, dragEdge}, {WM_MOUSEMOVE, Point(5, 30)}, {WM_LBUTTONUP, at}},
       {{1, GsLeftClick, W}, {1, GsDragStart, W}}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    PostAll(box, row.messages);
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
  // A click into the second field: of the native focus notifications sent during the press
  // the later one wins; the posted focus events follow in the order of the focus change.
  PostLeftClick(second);
  EXPECT_EQ((EventList{{2, EN_SETFOCUS, W}, {1, GsLostFocus, W}, {2, GsFocus, W}}), CollectGadgetEvents());
  EXPECT_EQ(2, FocusedGadget());
}

}  // namespace
