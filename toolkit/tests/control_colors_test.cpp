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

constexpr int G = 1;
constexpr int32_t Red = 0x0000FF, Grey = 0xDCDCDC;

intptr_t Label() { return CreateLabel(G, 5, 5, 80, 20, "l"); }
intptr_t LabelThatHadABackColour() {
  intptr_t label = Label();
  GadgetSetColor(G, ColorBack, Grey);
  return label;
}
intptr_t Edit() { return CreateEditField(G, 5, 5, 80, 20, "e"); }
intptr_t ReadOnlyEdit() { return CreateEditField(G, 5, 5, 80, 20, "e", ES_READONLY); }
intptr_t DisabledEdit() {
  intptr_t edit = Edit();
  GadgetDisable(G, 1);
  return edit;
}
intptr_t List() { return CreateListBox(G, 5, 5, 80, 60); }
intptr_t Button() { return CreateButton(G, 5, 5, 80, 20, "b"); }
intptr_t CheckBox() { return CreateCheckBox(G, 5, 5, 80, 20, "c"); }

const ColorRow ColorRows[] = {
    {"label, no colour", Label, WM_CTLCOLORSTATIC, -1, -1, Answer::Default, 0},
    {"label, front only", Label, WM_CTLCOLORSTATIC, Red, -1, Answer::SystemBrush, COLOR_BTNFACE},
    {"label, back only", Label, WM_CTLCOLORSTATIC, -1, Grey, Answer::BackBrush, 0},
    {"label, back colour removed", LabelThatHadABackColour, WM_CTLCOLORSTATIC, -1, -1, Answer::Default, 0},
    {"edit field, no colour", Edit, WM_CTLCOLOREDIT, -1, -1, Answer::Default, 0},
    {"edit field, front only", Edit, WM_CTLCOLOREDIT, Red, -1, Answer::SystemBrush, COLOR_BTNHIGHLIGHT},
    {"edit field, both", Edit, WM_CTLCOLOREDIT, Red, Grey, Answer::BackBrush, 0},
    {"read-only edit field keeps its colours", ReadOnlyEdit, WM_CTLCOLORSTATIC, Red, Grey, Answer::BackBrush, 0},
    {"disabled edit field gets the default colours", DisabledEdit, WM_CTLCOLORSTATIC, Red, Grey, Answer::Default, 0},
    {"list box, front only", List, WM_CTLCOLORLISTBOX, Red, -1, Answer::SystemBrush, COLOR_BTNHIGHLIGHT},
    {"button: system colours always", Button, WM_CTLCOLORBTN, Red, Grey, Answer::Default, 0},
    {"check box: system colours always", CheckBox, WM_CTLCOLORSTATIC, Red, Grey, Answer::Default, 0},
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
    GadgetSetColor(G, ColorFront, row.front);
    GadgetSetColor(G, ColorBack, row.back);
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
        EXPECT_EQ(row.front != -1 ? (COLORREF)row.front : GetTextColor(reference), GetTextColor(dc));
        break;
    }
    ReleaseDC(control, dc);
    ReleaseDC(control, reference);
    GadgetFree(G);
  }
}

}  // namespace
