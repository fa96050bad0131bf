// The gadget kinds as native controls: classes and styles, and the operations of each kind
// with the fallbacks of the kinds that lack one.
#include "kind_test_window.h"
#include <commctrl.h>
#include <functional>
#include <vector>
#include "runtime/object_table.h"
#include "toolkit/gadget.h"
#include "toolkit/gadget_kinds.h"

namespace {

constexpr DWORD EdgeStyles = WS_EX_CLIENTEDGE | WS_EX_STATICEDGE;

struct KindRow {
  const char* what;
  std::function<intptr_t(int number)> create;
  const char* className;
  DWORD style;
  DWORD extendedStyle;  // of the edge styles
};

// Containers take the next gadgets; each row closes its list again.
intptr_t Container(int number, uint32_t flags) {
  intptr_t result = CreateContainer(number, 0, 0, 50, 50, flags);
  GadgetListClose();
  return result;
}

const KindRow KindRows[] = {
    {"button", [](int n) { return CreateButton(n, 5, 5, 80, 24, "OK"); }, "Button", 0x50030000, 0},
    {"default button", [](int n) { return CreateButton(n, 5, 5, 80, 24, "OK", BS_DEFPUSHBUTTON); }, "Button",
     0x50030001, 0},
    {"check box", [](int n) { return CreateCheckBox(n, 5, 5, 80, 24, "x"); }, "Button", 0x50030003, 0},
    {"edit field", [](int n) { return CreateEditField(n, 5, 5, 80, 24, "e"); }, "Edit", 0x50030080,
     WS_EX_CLIENTEDGE},
    {"read-only edit field without edge",
     [](int n) { return CreateEditField(n, 5, 5, 80, 24, "e", ES_READONLY | GadgetFlagNoClientEdge); }, "Edit",
     0x50030880, 0},
    {"label", [](int n) { return CreateLabel(n, 5, 5, 80, 24, "l"); }, "Static", 0x50020000, 0},
    {"centred label with edge", [](int n) { return CreateLabel(n, 5, 5, 80, 24, "l", SS_CENTER | GadgetFlagNoClientEdge); },
     "Static", 0x50020001, WS_EX_CLIENTEDGE},
    {"list box", [](int n) { return CreateListBox(n, 5, 5, 80, 60); }, "ListBox", 0x50330141, WS_EX_CLIENTEDGE},
    {"image box", [](int n) { return CreateImageBox(n, 5, 5, 20, 20, nullptr); }, "Static", 0x50000100, 0},
    {"container", [](int n) { return Container(n, 0); }, "VexaContainer", 0x50000000, 0},
    {"container, thin border", [](int n) { return Container(n, ContainerThinBorder); }, "VexaContainer",
     0x50800000, 0},
    {"container, dialog frame", [](int n) { return Container(n, ContainerDialogFrame); }, "VexaContainer",
     0x50400000, 0},
    {"container, static edge", [](int n) { return Container(n, ContainerStaticEdge); }, "VexaContainer",
     0x50000000, WS_EX_STATICEDGE},
    {"container, client edge", [](int n) { return Container(n, ContainerClientEdge); }, "VexaContainer",
     0x50000000, WS_EX_CLIENTEDGE},
    {"container, first border flag wins",
     [](int n) { return Container(n, ContainerThinBorder | ContainerStaticEdge | ContainerClientEdge); },
     "VexaContainer", 0x50800000, 0},
    {"progress bar", [](int n) { return CreateProgressBar(n, 5, 5, 80, 16, 0, 16, 0); }, "msctls_progress32",
     0x50000000, 0},
    {"smooth progress bar", [](int n) { return CreateProgressBar(n, 5, 5, 80, 16, 0, 16, PBS_SMOOTH); },
     "msctls_progress32", 0x50000001, 0},
    {"text editor", [](int n) { return CreateTextEditor(n, 5, 5, 120, 60, 0); }, "RichEdit20A", 0x503111C4,
     WS_EX_CLIENTEDGE},
    {"read-only text editor", [](int n) { return CreateTextEditor(n, 5, 5, 120, 60, ES_READONLY); },
     "RichEdit20A", 0x503119C4, WS_EX_CLIENTEDGE},
};

// The styles a control is created with, caught while the creator runs: some controls drop
// their scroll bar styles while there is nothing to scroll.
struct Creation {
  HWND control;
  DWORD style, extendedStyle;
};
Creation created;

LRESULT CALLBACK CatchCreation(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND && !created.control) {
    const CREATESTRUCTA* create = reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs;
    created = {(HWND)wParam, (DWORD)create->style, (DWORD)create->dwExStyle};
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

Creation CreationOf(const KindRow& row, int number) {
  created = {};
  HHOOK hook = SetWindowsHookExA(WH_CBT, CatchCreation, nullptr, GetCurrentThreadId());
  row.create(number);
  UnhookWindowsHookEx(hook);
  return created;
}

using GadgetKinds = GadgetWindowTest;

TEST_F(GadgetKinds, EachKindIsItsNativeClassWithItsStyles) {
  for (const KindRow& row : KindRows) {
    SCOPED_TRACE(row.what);
    Creation creation = CreationOf(row, 3);
    HWND control = creation.control;
    ASSERT_NE(nullptr, control);
    EXPECT_EQ(control, GadgetHandle(3));
    EXPECT_EQ(window, GetParent(control));
    EXPECT_STRCASEEQ(row.className, ClassOf(control).c_str());
    EXPECT_EQ(row.style, creation.style);
    EXPECT_EQ(row.extendedStyle, creation.extendedStyle & EdgeStyles);
    EXPECT_EQ(3, GetWindowLongA(control, GWL_ID));
    GadgetFree(3);
    EXPECT_FALSE(IsWindow(control));
  }
}

TEST_F(GadgetKinds, AutoNumberGivesTheNewNumberAboveTheFixedRange) {
  for (const KindRow& row : KindRows) {
    SCOPED_TRACE(row.what);
    intptr_t number = row.create(AutoNumber);
    ASSERT_GT(number, 65535);
    HWND control = GadgetHandle((int)number);
    ASSERT_NE(nullptr, control);
    EXPECT_EQ(number, GetWindowLongA(control, GWL_ID));
    GadgetFree((int)number);
  }
}

TEST_F(GadgetKinds, CheckBoxAndButtonStateIsTheCheckMark) {
  CreateCheckBox(1, 5, 5, 80, 24, "x");
  CreateButton(2, 5, 40, 80, 24, "b", BS_AUTOCHECKBOX | BS_PUSHLIKE);
  for (int gadget : {1, 2}) {
    SCOPED_TRACE(gadget);
    EXPECT_EQ(0, GadgetGetState(gadget));
    GadgetSetState(gadget, 5);
    EXPECT_EQ(BST_CHECKED, SendMessageA(GadgetHandle(gadget), BM_GETCHECK, 0, 0));
    EXPECT_EQ(1, GadgetGetState(gadget));
    GadgetSetState(gadget, 0);
    EXPECT_EQ(0, GadgetGetState(gadget));
  }
}

TEST_F(GadgetKinds, KindsWithoutStateOrTextOperationsFallBack) {
  CreateLabel(1, 5, 5, 80, 24, "label");
  GadgetSetState(1, 7);
  EXPECT_EQ(0, GadgetGetState(1));
  GadgetSetText(1, "new label");
  EXPECT_EQ("new label", GadgetText(1));

  CreateEditField(2, 5, 40, 80, 24, "field");
  EXPECT_EQ("field", GadgetText(2));
  GadgetSetText(2, nullptr);
  EXPECT_EQ("", GadgetText(2));
  EXPECT_EQ(0, GadgetAddItem(2, -1, "x"));

  CreateProgressBar(3, 5, 80, 80, 16, 0, 16, 0);
  EXPECT_EQ("", GadgetText(3));
  CreateButton(4, 5, 100, 80, 24, "Далее >");
  EXPECT_EQ("Далее >", GadgetText(4));
}

TEST_F(GadgetKinds, ListBoxStateTextAndItems) {
  CreateListBox(1, 5, 5, 120, 100);
  for (const char* item : {"b", "c", "d"}) GadgetAddItem(1, -1, item);
  EXPECT_EQ(0, GadgetAddItem(1, 0, "a"));
  HWND list = GadgetHandle(1);
  ASSERT_EQ(4, SendMessageA(list, LB_GETCOUNT, 0, 0));

  EXPECT_EQ(-1, GadgetGetState(1));
  EXPECT_EQ("", GadgetText(1));
  GadgetSetState(1, 2);
  EXPECT_EQ(2, GadgetGetState(1));
  EXPECT_EQ("c", GadgetText(1));
  GadgetSetText(1, "a");
  EXPECT_EQ(0, GadgetGetState(1));
  GadgetSetText(1, "A");  // exact: only case-insensitive
  EXPECT_EQ(0, GadgetGetState(1));
  GadgetSetText(1, "no such item");
  EXPECT_EQ(-1, GadgetGetState(1));
  GadgetSetState(1, 3);
  GadgetSetState(1, -1);
  EXPECT_EQ(-1, GadgetGetState(1));

  GadgetClearItems(1);
  EXPECT_EQ(0, SendMessageA(list, LB_GETCOUNT, 0, 0));
  EXPECT_EQ("", GadgetText(1));
}

TEST_F(GadgetKinds, MultipleSelectionListBoxHoldsOneSelectedItem) {
  for (DWORD style : {(DWORD)LBS_EXTENDEDSEL, (DWORD)LBS_MULTIPLESEL}) {
    SCOPED_TRACE(style);
    CreateListBox(1, 5, 5, 120, 100, style);
    for (const char* item : {"a", "b", "c", "d"}) GadgetAddItem(1, -1, item);
    HWND list = GadgetHandle(1);
    EXPECT_EQ(-1, GadgetGetState(1));
    GadgetSetState(1, 3);
    GadgetSetState(1, 1);
    EXPECT_EQ(1, SendMessageA(list, LB_GETSELCOUNT, 0, 0));
    EXPECT_EQ(1, GadgetGetState(1));
    EXPECT_EQ("b", GadgetText(1));
    GadgetSetText(1, "d");
    EXPECT_EQ(1, SendMessageA(list, LB_GETSELCOUNT, 0, 0));
    EXPECT_EQ(3, GadgetGetState(1));
    GadgetSetText(1, "none");
    EXPECT_EQ(0, SendMessageA(list, LB_GETSELCOUNT, 0, 0));
    EXPECT_EQ(-1, GadgetGetState(1));
  }
}

HBITMAP Bitmap(int width, int height) { return CreateBitmap(width, height, 1, 32, nullptr); }

TEST_F(GadgetKinds, ImageBoxTakesTheSizeOfItsImage) {
  HBITMAP big = Bitmap(48, 48), wide = Bitmap(20, 10);
  CreateImageBox(1, 5, 5, 54, 54, big);
  HWND box = GadgetHandle(1);
  EXPECT_EQ(48, WindowSize(box).cx);
  EXPECT_EQ(48, WindowSize(box).cy);
  EXPECT_EQ((int32_t)(intptr_t)big, GadgetGetState(1));

  GadgetSetState(1, (int32_t)(intptr_t)wide);
  EXPECT_EQ((int32_t)(intptr_t)wide, GadgetGetState(1));
  EXPECT_EQ(20, WindowSize(box).cx);
  EXPECT_EQ(10, WindowSize(box).cy);

  HICON icon = LoadIconA(nullptr, IDI_APPLICATION);
  SendMessageA(box, STM_SETICON, (WPARAM)icon, 0);
  EXPECT_EQ((LRESULT)icon, SendMessageA(box, STM_GETICON, 0, 0));
  EXPECT_EQ(GetSystemMetrics(SM_CXICON), WindowSize(box).cx);

  // No image keeps the size the box had.
  GadgetSetState(1, 0);
  EXPECT_EQ(0, GadgetGetState(1));
  EXPECT_EQ(GetSystemMetrics(SM_CXICON), WindowSize(box).cx);

  // Without an image the box keeps the size asked for.
  CreateImageBox(2, 80, 5, 54, 30, nullptr);
  EXPECT_EQ(54, WindowSize(GadgetHandle(2)).cx);
  EXPECT_EQ(30, WindowSize(GadgetHandle(2)).cy);
  GadgetFree(1);
  DeleteObject(big);
  DeleteObject(wide);
}

TEST_F(GadgetKinds, ImageBoxDrawsItsBitmap) {
  HBITMAP red = Bitmap(8, 8);
  std::vector<DWORD> bits(64, 0x00FF0000);  // red, in the blue-green-red order of a 32-bit bitmap
  SetBitmapBits(red, 64 * 4, bits.data());
  CreateImageBox(1, 5, 5, 30, 30, red);
  HWND box = GadgetHandle(1);
  HDC screen = GetDC(box);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP canvas = CreateCompatibleBitmap(screen, 8, 8);
  HGDIOBJ old = SelectObject(memory, canvas);
  SendMessageA(box, WM_PRINTCLIENT, (WPARAM)memory, PRF_CLIENT);
  EXPECT_EQ(RGB(255, 0, 0), GetPixel(memory, 4, 4));
  SelectObject(memory, old);
  DeleteObject(canvas);
  DeleteDC(memory);
  ReleaseDC(box, screen);
  GadgetFree(1);
  DeleteObject(red);
}

// Counts how often the toolkit window's background is erased.
int erasures;
WNDPROC windowProc;
LRESULT CALLBACK CountErasures(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ERASEBKGND) ++erasures;
  return CallWindowProcA(windowProc, window, message, wParam, lParam);
}

TEST_F(GadgetKinds, IconsAndNoImageRepaintTheWindowBeneathBitmapsDoNot) {
  HBITMAP first = Bitmap(32, 32), second = Bitmap(32, 32);
  CreateImageBox(1, 5, 5, 32, 32, first);
  UpdateWindow(window);
  windowProc = (WNDPROC)SetWindowLongPtrA(window, GWLP_WNDPROC, (LONG_PTR)CountErasures);
  struct Row {
    const char* what;
    HANDLE image;
    int erasures;
  };
  const Row rows[] = {
      {"bitmap", second, 0},
      {"icon", LoadIconA(nullptr, IDI_APPLICATION), 1},
      {"no image", nullptr, 1},
      {"bitmap again", first, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    erasures = 0;
    GadgetSetState(1, (int32_t)(intptr_t)row.image);
    EXPECT_EQ(row.erasures, erasures);
  }
  SetWindowLongPtrA(window, GWLP_WNDPROC, (LONG_PTR)windowProc);
  GadgetFree(1);
  DeleteObject(first);
  DeleteObject(second);
}

COLORREF ErasedColor(HWND control) {
  HDC screen = GetDC(control);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP canvas = CreateCompatibleBitmap(screen, 16, 16);
  HGDIOBJ old = SelectObject(memory, canvas);
  SendMessageA(control, WM_ERASEBKGND, (WPARAM)memory, 0);
  COLORREF color = GetPixel(memory, 2, 2);
  SelectObject(memory, old);
  DeleteObject(canvas);
  DeleteDC(memory);
  ReleaseDC(control, screen);
  return color;
}

TEST_F(GadgetKinds, ContainerHoldsTheNextGadgetsAndPaintsItsBackColour) {
  HWND container = (HWND)CreateContainer(1, 10, 10, 200, 150, ContainerStaticEdge);
  HWND inside = (HWND)CreateButton(2, 5, 5, 80, 24, "in");
  GadgetListClose();
  HWND outside = (HWND)CreateButton(3, 5, 200, 80, 24, "out");
  EXPECT_EQ(container, GetParent(inside));
  EXPECT_EQ(window, GetParent(outside));

  EXPECT_EQ(GetSysColor(COLOR_BTNFACE), ErasedColor(container));
  GadgetSetColor(1, ColorBack, 0xDCDCDC);
  EXPECT_EQ(0xDCDCDCu, ErasedColor(container));
  GadgetSetColor(1, ColorFront, 0x0000FF);  // containers have only a back colour
  EXPECT_EQ(0xDCDCDCu, ErasedColor(container));
  GadgetSetColor(1, ColorBack, 0x969696);
  EXPECT_EQ(0x969696u, ErasedColor(container));
  GadgetSetColor(1, ColorBack, -1);
  EXPECT_EQ(GetSysColor(COLOR_BTNFACE), ErasedColor(container));
}

TEST_F(GadgetKinds, ContainerPassesTheCommandsOfItsGadgetsToTheWindow) {
  CreateContainer(1, 10, 10, 200, 150, 0);
  HWND button = (HWND)CreateButton(2, 5, 5, 80, 24, "in");
  GadgetListClose();
  DrainEvents();
  PostLeftClick(button);
  EXPECT_EQ((std::vector<GadgetEvent>{{2, GsLeftClick, WindowNumber}}), CollectGadgetEvents());
}

TEST_F(GadgetKinds, ProgressBarRangePositionAndColours) {
  CreateProgressBar(1, 5, 5, 200, 16, 0, 16, PBS_SMOOTH);
  HWND bar = GadgetHandle(1);
  PBRANGE range = {};
  SendMessageA(bar, PBM_GETRANGE, FALSE, (LPARAM)&range);
  EXPECT_EQ(0, range.iLow);
  EXPECT_EQ(16, range.iHigh);
  EXPECT_EQ(0, GadgetGetState(1));
  GadgetSetState(1, 11);
  EXPECT_EQ(11, GadgetGetState(1));

  CreateProgressBar(2, 5, 30, 200, 16, -100000, 100000, 0);
  SendMessageA(GadgetHandle(2), PBM_GETRANGE, FALSE, (LPARAM)&range);
  EXPECT_EQ(-100000, range.iLow);
  EXPECT_EQ(100000, range.iHigh);

  // Setting a colour answers the previous one: -1 went to the control as the default colour.
  GadgetSetColor(1, ColorFront, 0x0000FF);
  GadgetSetColor(1, ColorBack, 0x00FF00);
  EXPECT_EQ(0x0000FF, SendMessageA(bar, PBM_SETBARCOLOR, 0, 0x123456));
  EXPECT_EQ(0x00FF00, SendMessageA(bar, PBM_SETBKCOLOR, 0, 0x123456));
  GadgetSetColor(1, ColorFront, -1);
  GadgetSetColor(1, ColorBack, -1);
  EXPECT_EQ((LRESULT)CLR_DEFAULT, SendMessageA(bar, PBM_SETBARCOLOR, 0, 0));
  EXPECT_EQ((LRESULT)CLR_DEFAULT, SendMessageA(bar, PBM_SETBKCOLOR, 0, 0));
}

}  // namespace
