// Front and back colours of labels, edit fields and list boxes, as answered to the
// control-colour requests that the controls send their window.
#include "kind_test_window.h"
#include "toolkit/gadget.h"
#include "toolkit/gadget_kinds.h"

namespace {

enum class Answer { Default, SystemBrush, BackBrush };

struct ColorRow {
  const char* what;
  intptr_t (*create)();
  UINT request;
  int32_t front, back;
  Answer answer;
  int systemColor;  // behind a front colour alone
};

constexpr int Gadget = 1;
constexpr int32_t Red = 0x0000FF, Grey = 0xDCDCDC;

intptr_t Label() { return CreateLabel(Gadget, 5, 5, 80, 20, "l"); }
intptr_t Edit() { return CreateEditField(Gadget, 5, 5, 80, 20, "e"); }
intptr_t ReadOnlyEdit() { return CreateEditField(Gadget, 5, 5, 80, 20, "e", ES_READONLY); }
intptr_t DisabledEdit() {
  intptr_t result = Edit();
  GadgetDisable(Gadget, 1);
  return result;
}
intptr_t List() { return CreateListBox(Gadget, 5, 5, 80, 60); }

const ColorRow ColorRows[] = {
    {"label, no colour", Label, WM_CTLCOLORSTATIC, -1, -1, Answer::Default, 0},
    {"label, front only", Label, WM_CTLCOLORSTATIC, Red, -1, Answer::SystemBrush, COLOR_BTNFACE},
    {"label, back only", Label, WM_CTLCOLORSTATIC, -1, Grey, Answer::BackBrush, 0},
    {"label, both", Label, WM_CTLCOLORSTATIC, Red, Grey, Answer::BackBrush, 0},
    {"edit field, no colour", Edit, WM_CTLCOLOREDIT, -1, -1, Answer::Default, 0},
    {"edit field, front only", Edit, WM_CTLCOLOREDIT, Red, -1, Answer::SystemBrush, COLOR_BTNHIGHLIGHT},
    {"edit field, both", Edit, WM_CTLCOLOREDIT, Red, Grey, Answer::BackBrush, 0},
    {"read-only edit field keeps its colours", ReadOnlyEdit, WM_CTLCOLORSTATIC, Red, Grey, Answer::BackBrush, 0},
    {"disabled edit field gets the default colours", DisabledEdit, WM_CTLCOLORSTATIC, Red, Grey, Answer::Default,
     0},
    {"list box, front only", List, WM_CTLCOLORLISTBOX, Red, -1, Answer::SystemBrush, COLOR_BTNHIGHLIGHT},
    {"list box, back only", List, WM_CTLCOLORLISTBOX, -1, Grey, Answer::BackBrush, 0},
};

COLORREF BrushColor(HBRUSH brush) {
  LOGBRUSH description = {};
  GetObjectA(brush, sizeof description, &description);
  return description.lbColor;
}

using ControlColors = GadgetWindowTest;

TEST_F(ControlColors, RequestsAreAnsweredByTheColoursSet) {
  for (const ColorRow& row : ColorRows) {
    SCOPED_TRACE(row.what);
    HWND control = (HWND)row.create();
    ASSERT_NE(nullptr, control);
    GadgetSetColor(Gadget, ColorFront, row.front);
    GadgetSetColor(Gadget, ColorBack, row.back);
    HDC dc = GetDC(control), reference = GetDC(control);
    HBRUSH brush = (HBRUSH)SendMessageA(window, row.request, (WPARAM)dc, (LPARAM)control);
    switch (row.answer) {
      case Answer::Default:
        EXPECT_EQ((HBRUSH)DefWindowProcA(window, row.request, (WPARAM)reference, (LPARAM)control), brush);
        EXPECT_EQ(GetTextColor(reference), GetTextColor(dc));
        break;
      case Answer::SystemBrush:
        EXPECT_EQ(GetSysColorBrush(row.systemColor), brush);
        EXPECT_EQ((COLORREF)row.front, GetTextColor(dc));
        EXPECT_EQ(GetSysColor(row.systemColor), GetBkColor(dc));
        break;
      case Answer::BackBrush:
        EXPECT_EQ((COLORREF)row.back, BrushColor(brush));
        EXPECT_EQ((COLORREF)row.back, GetBkColor(dc));
        if (row.front != -1) {
          EXPECT_EQ((COLORREF)row.front, GetTextColor(dc));
        }
        break;
    }
    ReleaseDC(control, dc);
    ReleaseDC(control, reference);
    GadgetFree(Gadget);
  }
}

TEST_F(ControlColors, RemovingTheBackColourReturnsToTheDefault) {
  HWND label = (HWND)Label();
  GadgetSetColor(Gadget, ColorBack, Grey);
  GadgetSetColor(Gadget, ColorBack, -1);
  HDC dc = GetDC(label);
  EXPECT_EQ((HBRUSH)DefWindowProcA(window, WM_CTLCOLORSTATIC, (WPARAM)dc, (LPARAM)label),
            (HBRUSH)SendMessageA(window, WM_CTLCOLORSTATIC, (WPARAM)dc, (LPARAM)label));
  ReleaseDC(label, dc);
}

TEST_F(ControlColors, ButtonsAndCheckBoxesKeepTheSystemColoursOnAColouredContainer) {
  CreateContainer(2, 0, 0, 300, 200, 0);
  GadgetSetColor(2, ColorBack, Grey);
  HWND button = (HWND)CreateButton(3, 5, 5, 80, 24, "b");
  HWND check = (HWND)CreateCheckBox(4, 5, 40, 80, 24, "c");
  GadgetSetColor(3, ColorBack, Red);  // buttons have no colour operation
  GadgetListClose();
  HWND container = GadgetHandle(2);
  for (auto [control, request] : {std::pair<HWND, UINT>{button, WM_CTLCOLORBTN}, {check, WM_CTLCOLORSTATIC}}) {
    HDC dc = GetDC(control), reference = GetDC(control);
    EXPECT_EQ((HBRUSH)DefWindowProcA(container, request, (WPARAM)reference, (LPARAM)control),
              (HBRUSH)SendMessageA(container, request, (WPARAM)dc, (LPARAM)control));
    ReleaseDC(control, dc);
    ReleaseDC(control, reference);
  }
}

}  // namespace
