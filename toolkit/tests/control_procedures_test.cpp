// What the toolkit's own procedures in front of a control must leave as the control alone
// would have it: its character set, its texts, and the state of a field that was given its
// text after its font.
#include "kind_test_window.h"
#include <vector>
#include "toolkit/gadget.h"
#include "toolkit/gadget_kinds.h"

namespace {

constexpr int G = 4;
constexpr int NativeId = 500;

struct NativeTwin {
  const char* what;
  intptr_t (*create)();
  const char* className;  // of the same control made natively, no toolkit procedure in front
  DWORD style;
};

const NativeTwin Twins[] = {
    {"button", [] { return CreateButton(G, 5, 5, 80, 24, "Далее >"); }, "Button", WS_CHILD},
    {"edit field", [] { return CreateEditField(G, 5, 5, 80, 24, "Далее >"); }, "Edit", WS_CHILD},
    {"multi-line field", [] { return CreateEditField(G, 5, 5, 80, 60, "Далее >", ES_MULTILINE); }, "Edit",
     WS_CHILD | ES_MULTILINE},
    {"label", [] { return CreateLabel(G, 5, 5, 80, 24, "Далее >"); }, "Static", WS_CHILD},
    {"list box", [] { return CreateListBox(G, 5, 5, 80, 60); }, "ListBox", WS_CHILD},
    {"image box", [] { return CreateImageBox(G, 5, 5, 20, 20, nullptr); }, "Static", WS_CHILD},
    {"text editor", [] { return CreateTextEditor(G, 5, 5, 120, 60, 0); }, "RichEdit20A", WS_CHILD},
};

using ControlProcedures = GadgetWindowTest;

TEST_F(ControlProcedures, AGadgetKeepsItsControlsCharacterSetAndItsTexts) {
  for (const NativeTwin& row : Twins) {
    SCOPED_TRACE(row.what);
    row.create();
    HWND control = GadgetHandle(G);
    ASSERT_NE(nullptr, control);
    HWND twin = CreateWindowExA(0, row.className, "", row.style, 0, 0, 40, 40, window, (HMENU)NativeId,
                                GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, twin);
    EXPECT_EQ(IsWindowUnicode(twin), IsWindowUnicode(control));
    GadgetSetText(G, "Установка");
    if (GadgetText(G) == "Установка") {  // the kinds that show a text
      wchar_t wide[32] = {};
      GetWindowTextW(control, wide, 32);
      EXPECT_STREQ(L"\x0423\x0441\x0442\x0430\x043D\x043E\x0432\x043A\x0430", wide);
    }
    DestroyWindow(twin);
    GadgetFree(G);
    EXPECT_EQ(nullptr, GadgetHandle(G));
  }
}

// The state of an edit control that the user or another program can read.
struct FieldState {
  std::string text;
  LRESULT canUndo, selection, firstLine, lineCount;
  HFONT font;
  SCROLLINFO scroll;
};

FieldState StateOf(HWND field) {
  FieldState state = {};
  char text[2048] = {};
  GetWindowTextA(field, text, sizeof text);
  state.text = text;
  state.canUndo = SendMessageA(field, EM_CANUNDO, 0, 0);
  state.selection = SendMessageA(field, EM_GETSEL, 0, 0);
  state.firstLine = SendMessageA(field, EM_GETFIRSTVISIBLELINE, 0, 0);
  state.lineCount = SendMessageA(field, EM_GETLINECOUNT, 0, 0);
  state.font = (HFONT)SendMessageA(field, WM_GETFONT, 0, 0);
  state.scroll.cbSize = sizeof state.scroll;
  state.scroll.fMask = SIF_ALL;
  GetScrollInfo(field, SB_VERT, &state.scroll);
  return state;
}

TEST_F(ControlProcedures, AFieldReadsAsIfItHadBeenCreatedWithItsTextAndThenGivenItsFont) {
  std::string lines;
  for (int i = 0; i < 30; ++i) lines += "Строка лицензионного соглашения номер " + std::to_string(i) + "\r\n";
  HFONT font = CreateFontA(-13, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial");
  const struct {
    const char* what;
    DWORD flags;
    std::string text;
  } rows[] = {
      {"read-only multi-line, scroll bar, both alignments", ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL | ES_CENTER |
                                                                ES_RIGHT | ES_READONLY, lines},
      {"multi-line", ES_MULTILINE, "одна\r\nдве"},
      {"multi-line, no text", ES_MULTILINE, ""},
      {"single line", 0, "C:\\Program Files\\Brindlex"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    DWORD style = WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP | ES_AUTOHSCROLL | row.flags;
    HWND native = CreateWindowExA(WS_EX_CLIENTEDGE, "Edit", row.text.c_str(), style, 5, 5, 300, 120, window,
                                  (HMENU)NativeId, GetModuleHandleA(nullptr), nullptr);
    SendMessageA(native, WM_SETFONT, (WPARAM)font, 0);
    std::vector<GadgetEvent> nativeEvents = CollectGadgetEvents();
    GadgetSetFont(-1, font);
    CreateEditField(G, 5, 5, 300, 120, row.text.c_str(), row.flags);
    GadgetSetFont(-1, (HFONT)-1);
    std::vector<GadgetEvent> events = CollectGadgetEvents();
    ASSERT_EQ(nativeEvents.size(), events.size());
    for (size_t i = 0; i < events.size(); ++i) {
      EXPECT_EQ(NativeId, nativeEvents[i].gadget);
      EXPECT_EQ((GadgetEvent{G, nativeEvents[i].subtype, nativeEvents[i].window}), events[i]);
    }
    FieldState expected = StateOf(native), got = StateOf(GadgetHandle(G));
    EXPECT_EQ(expected.text, got.text);
    EXPECT_EQ(expected.canUndo, got.canUndo);
    EXPECT_EQ(expected.selection, got.selection);
    EXPECT_EQ(expected.firstLine, got.firstLine);
    EXPECT_EQ(expected.lineCount, got.lineCount);
    EXPECT_EQ(font, got.font);
    // The scroll bar covers every line in the field's font: a field laid out in the system
    // font first keeps that layout's range after its font is set.
    if (got.scroll.nPage) {
      EXPECT_EQ(got.lineCount - 1, got.scroll.nMax);
    }
    EXPECT_EQ(expected.scroll.nPage, got.scroll.nPage);
    EXPECT_EQ(expected.scroll.nPos, got.scroll.nPos);
    DestroyWindow(native);
    GadgetFree(G);
  }
  DeleteObject(font);
}

}  // namespace
