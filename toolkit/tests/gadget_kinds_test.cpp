// The gadget kinds as native controls: classes and creation styles, and the operations of
// each kind with the fallbacks of the kinds that lack one.
#include "kind_test_window.h"
#include <commctrl.h>
#include <vector>
#include "toolkit/gadget_registry.h"
#include "toolkit/gadget_kinds.h"

namespace {

struct KindRow {
  const char* what;
  intptr_t (*create)();
  const char* className;
  DWORD style, edge;  // edge: the extended edge styles
};

constexpr int G = 3;
// Containers take the next gadgets: each row closes the list again.
intptr_t Box(uint32_t flags) {
  intptr_t result = CreateContainer(G, 0, 0, 50, 50, flags);
  GadgetListClose();
  return result;
}

const KindRow KindRows[] = {
    {"button", [] { return CreateButton(G, 5, 5, 80, 24, "OK"); }, "Button", 0x50030000, 0},
    {"check box", [] { return CreateCheckBox(G, 5, 5, 80, 24, "x"); }, "Button", 0x50030003, 0},
    {"edit field", [] { return CreateEditField(G, 5, 5, 80, 24, "e"); }, "Edit", 0x50030080, WS_EX_CLIENTEDGE},
    {"read-only edit field, no edge",
     [] { return CreateEditField(G, 5, 5, 80, 24, "e", ES_READONLY | GadgetFlagSwapClientEdge); }, "Edit", 0x50030880, 0},
    {"label", [] { return CreateLabel(G, 5, 5, 80, 24, "l"); }, "Static", 0x50020000, 0},
    {"centred label with edge", [] { return CreateLabel(G, 5, 5, 80, 24, "l", SS_CENTER | GadgetFlagSwapClientEdge); },
     "Static", 0x50020001, WS_EX_CLIENTEDGE},
    {"list box", [] { return CreateListBox(G, 5, 5, 80, 60); }, "ListBox", 0x50330141, WS_EX_CLIENTEDGE},
    {"image box", [] { return CreateImageBox(G, 5, 5, 20, 20, nullptr); }, "Static", 0x50000100, 0},
    {"container", [] { return Box(0); }, "VexaContainer", 0x50000000, 0},
    {"container, thin border", [] { return Box(ContainerThinBorder); }, "VexaContainer", 0x50800000, 0},
    {"container, dialog frame", [] { return Box(ContainerDialogFrame); }, "VexaContainer", 0x50400000, 0},
    {"container, static edge", [] { return Box(ContainerStaticEdge); }, "VexaContainer", 0x50000000, WS_EX_STATICEDGE},
    {"container, client edge", [] { return Box(ContainerClientEdge); }, "VexaContainer", 0x50000000, WS_EX_CLIENTEDGE},
    {"container, first border flag wins", [] { return Box(ContainerThinBorder | ContainerClientEdge); },
     "VexaContainer", 0x50800000, 0},
    {"smooth progress bar", [] { return CreateProgressBar(G, 5, 5, 80, 16, 0, 16, PBS_SMOOTH); },
     "msctls_progress32", 0x50000001, 0},
    {"read-only text editor", [] { return CreateTextEditor(G, 5, 5, 120, 60, ES_READONLY); }, "RichEdit20A",
     0x503119C4, WS_EX_CLIENTEDGE},
};

// The styles a control is created with, caught while its creator runs: list boxes and
// editors drop their scroll bar styles while there is nothing to scroll.
struct Creation {
  HWND control;
  DWORD style, extendedStyle;
  intptr_t identifier;
} created;

LRESULT CALLBACK CatchCreation(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND && !created.control) {
    const CREATESTRUCTA* create = reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs;
    created = {(HWND)wParam, (DWORD)create->style, (DWORD)create->dwExStyle, (intptr_t)create->hMenu};
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

using GadgetKinds = GadgetWindowTest;

TEST_F(GadgetKinds, EachKindIsItsNativeClassWithItsStyles) {
  for (const KindRow& row : KindRows) {
    SCOPED_TRACE(row.what);
    created = {};
    HHOOK hook = SetWindowsHookExA(WH_CBT, CatchCreation, nullptr, GetCurrentThreadId());
    row.create();
    UnhookWindowsHookEx(hook);
    HWND control = created.control;
    ASSERT_NE(nullptr, control);
    EXPECT_EQ(control, GadgetHandle(G));
    EXPECT_EQ(window, GetParent(control));
    EXPECT_STRCASEEQ(row.className, ClassOf(control).c_str());
    EXPECT_EQ(row.style, created.style);
    EXPECT_EQ(row.edge, created.extendedStyle & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE));
    EXPECT_EQ(G, created.identifier);  // a fixed number is the identifier from the start
    EXPECT_EQ(G, GetWindowLongPtrA(control, GWLP_ID));
    GadgetFree(G);
  }
}

TEST_F(GadgetKinds, EachKindCreatedHiddenHasItsStylesButVisibleUntilShown) {
  for (const KindRow& row : KindRows) {
    SCOPED_TRACE(row.what);
    created = {};
    HHOOK hook = SetWindowsHookExA(WH_CBT, CatchCreation, nullptr, GetCurrentThreadId());
    GadgetCreateHidden(1);
    row.create();
    GadgetCreateHidden(0);
    UnhookWindowsHookEx(hook);
    HWND control = GadgetHandle(G);
    ASSERT_NE(nullptr, control);
    EXPECT_EQ(row.style & ~WS_VISIBLE, created.style);
    EXPECT_FALSE(IsWindowVisible(control));
    GadgetHide(G, 0);
    EXPECT_TRUE(IsWindowVisible(control));
    // Switched off, the next gadget starts visible again.
    row.create();
    EXPECT_TRUE(IsWindowVisible(GadgetHandle(G)));
    GadgetFree(G);
  }
}

TEST_F(GadgetKinds, StatesAndTextsOfKindsWithAndWithoutTheirOperations) {
  CreateCheckBox(1, 5, 5, 80, 24, "x");
  GadgetSetState(1, 5);
  EXPECT_EQ(BST_CHECKED, SendMessageA(GadgetHandle(1), BM_GETCHECK, 0, 0));
  EXPECT_EQ(1, GadgetGetState(1));
  GadgetSetState(1, 0);
  EXPECT_EQ(0, GadgetGetState(1));

  CreateLabel(2, 5, 40, 80, 24, "label");
  GadgetSetState(2, 7);  // a label has no state
  EXPECT_EQ(0, GadgetGetState(2));
  GadgetSetText(2, "Далее >");
  EXPECT_EQ("Далее >", GadgetText(2));
  CreateEditField(3, 5, 80, 80, 24, "field");
  GadgetSetText(3, nullptr);
  EXPECT_EQ("", GadgetText(3));
  EXPECT_EQ(0, GadgetAddItem(3, -1, "x"));
}

TEST_F(GadgetKinds, ListBoxSelectionByIndexAndText) {
  for (DWORD style : {0ul, (DWORD)LBS_EXTENDEDSEL, (DWORD)LBS_MULTIPLESEL}) {
    SCOPED_TRACE(style);
    CreateListBox(1, 5, 5, 120, 100, style);
    for (const char* item : {"b", "c", "d"}) GadgetAddItem(1, -1, item);
    GadgetAddItem(1, 0, "a");
    HWND list = GadgetHandle(1);
    EXPECT_EQ(-1, GadgetGetState(1));
    EXPECT_EQ("", GadgetText(1));
    GadgetSetState(1, 3);
    GadgetSetState(1, 2);
    if (style) {
      EXPECT_EQ(1, SendMessageA(list, LB_GETSELCOUNT, 0, 0));  // one item, not two
    }
    EXPECT_EQ(2, GadgetGetState(1));
    EXPECT_EQ("c", GadgetText(1));
    GadgetSetText(1, "a");
    EXPECT_EQ(0, GadgetGetState(1));
    GadgetSetText(1, "no such item");
    EXPECT_EQ(-1, GadgetGetState(1));
    GadgetClearItems(1);
    EXPECT_EQ(0, SendMessageA(list, LB_GETCOUNT, 0, 0));
  }
}

TEST_F(GadgetKinds, ImageBoxTakesTheSizeOfItsImage) {
  HBITMAP big = CreateBitmap(48, 48, 1, 32, nullptr), wide = CreateBitmap(20, 10, 1, 32, nullptr);
  HWND box = (HWND)CreateImageBox(1, 5, 5, 54, 54, big);
  EXPECT_EQ(48, WindowSize(box).cx);
  EXPECT_EQ(48, WindowSize(box).cy);
  EXPECT_EQ((intptr_t)big, GadgetGetState(1));
  GadgetSetState(1, (intptr_t)wide);
  EXPECT_EQ(20, WindowSize(box).cx);
  EXPECT_EQ(10, WindowSize(box).cy);
  SendMessageA(box, STM_SETICON, (WPARAM)LoadIconA(nullptr, IDI_APPLICATION), 0);
  EXPECT_EQ(GetSystemMetrics(SM_CXICON), WindowSize(box).cx);
  GadgetSetState(1, 0);  // no image: the size stays
  EXPECT_EQ(0, GadgetGetState(1));
  EXPECT_EQ(GetSystemMetrics(SM_CXICON), WindowSize(box).cx);
  GadgetFree(1);
  DeleteObject(big);
  DeleteObject(wide);
}

int erasures;
WNDPROC windowProc;
LRESULT CALLBACK CountErasures(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ERASEBKGND) ++erasures;
  return CallWindowProcA(windowProc, window, message, wParam, lParam);
}

TEST_F(GadgetKinds, IconsAndNoImageRepaintTheWindowBeneathBitmapsDoNot) {
  HBITMAP first = CreateBitmap(32, 32, 1, 32, nullptr), second = CreateBitmap(32, 32, 1, 32, nullptr);
  CreateImageBox(1, 5, 5, 32, 32, first);
  UpdateWindow(window);
  windowProc = (WNDPROC)SetWindowLongPtrA(window, GWLP_WNDPROC, (LONG_PTR)CountErasures);
  const std::pair<HANDLE, int> rows[] = {{second, 0}, {LoadIconA(nullptr, IDI_APPLICATION), 1}, {nullptr, 1}, {first, 0}};
  for (auto [image, expected] : rows) {
    erasures = 0;
    GadgetSetState(1, (intptr_t)image);
    EXPECT_EQ(expected, erasures) << image;
  }
  SetWindowLongPtrA(window, GWLP_WNDPROC, (LONG_PTR)windowProc);
  GadgetFree(1);
  DeleteObject(first);
  DeleteObject(second);
}

COLORREF ErasedColor(HWND control) {
  HDC screen = GetDC(control), memory = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(memory, CreateCompatibleBitmap(screen, 8, 8));
  SendMessageA(control, WM_ERASEBKGND, (WPARAM)memory, 0);
  COLORREF color = GetPixel(memory, 2, 2);
  DeleteObject(SelectObject(memory, old));
  DeleteDC(memory);
  ReleaseDC(control, screen);
  return color;
}

TEST_F(GadgetKinds, ContainerHoldsTheNextGadgetsAndPaintsItsBackColour) {
  HWND container = (HWND)CreateContainer(1, 10, 10, 200, 150, ContainerStaticEdge);
  EXPECT_EQ(container, GetParent((HWND)CreateButton(2, 5, 5, 80, 24, "in")));
  GadgetListClose();
  EXPECT_EQ(GetSysColor(COLOR_BTNFACE), ErasedColor(container));
  GadgetSetColor(1, ColorBack, 0xDCDCDC);
  GadgetSetColor(1, ColorFront, 0x0000FF);  // a container has only a back colour
  EXPECT_EQ(0xDCDCDCu, ErasedColor(container));
  GadgetSetColor(1, ColorBack, -1);
  EXPECT_EQ(GetSysColor(COLOR_BTNFACE), ErasedColor(container));
}

TEST_F(GadgetKinds, ProgressBarTakesA32BitRangeAndTheDefaultColourForNone) {
  HWND bar = (HWND)CreateProgressBar(1, 5, 5, 200, 16, -100000, 100000, PBS_SMOOTH);
  PBRANGE range = {};
  SendMessageA(bar, PBM_GETRANGE, FALSE, (LPARAM)&range);
  EXPECT_EQ(-100000, range.iLow);
  EXPECT_EQ(100000, range.iHigh);
  GadgetSetState(1, 70000);
  EXPECT_EQ(70000, GadgetGetState(1));
  GadgetSetColor(1, ColorFront, 0x0000FF);
  GadgetSetColor(1, ColorFront, -1);
  EXPECT_EQ((LRESULT)CLR_DEFAULT, SendMessageA(bar, PBM_SETBARCOLOR, 0, 0));  // answers the previous colour
}

}  // namespace
