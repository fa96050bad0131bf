// Text editors: lines added as items, typed text, colours, and Tab in editable and
// read-only editors.
#include "kind_test_window.h"
#include <richedit.h>
#include <string>
#include <vector>
#include "toolkit/fonts.h"
#include "toolkit/focus.h"
#include "toolkit/gadget.h"
#include "toolkit/gadget_kinds.h"

namespace {

constexpr int Editor = 1;
using Strings = std::vector<std::string>;

Strings Lines(HWND editor) {
  Strings lines;
  for (LRESULT i = 0, count = SendMessageA(editor, EM_GETLINECOUNT, 0, 0); i < count; ++i) {
    char line[256] = {};
    *reinterpret_cast<WORD*>(line) = sizeof line - 1;
    std::string text(line, SendMessageA(editor, EM_GETLINE, i, (LPARAM)line));
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n')) text.pop_back();
    lines.push_back(text);
  }
  return lines;
}

class TextEditor : public GadgetWindowTest {
 protected:
  HWND Create(uint32_t flags = 0) { return (HWND)CreateTextEditor(Editor, 5, 5, 300, 200, flags); }
};

// Position -1 appends; "clear" empties the editor by item, "" by text.
TEST_F(TextEditor, AddedLines) {
  struct Step {
    int32_t position;
    const char* text;
  };
  const Step Clear = {-2, nullptr}, SetEmpty = {-3, nullptr};
  struct Row {
    const char* what;
    std::vector<Step> steps;
    Strings lines;
  };
  const Row rows[] = {
      {"two lines", {{-1, "a"}, {-1, "b"}}, {"a", "b"}},
      {"empty, then a: two lines, the first empty", {{-1, ""}, {-1, "a"}}, {"", "a"}},
      {"empty, a, b", {{-1, ""}, {-1, "a"}, {-1, "b"}}, {"", "a", "b"}},
      {"empty twice", {{-1, ""}, {-1, nullptr}}, {"", ""}},
      {"an empty line in the middle", {{-1, "a"}, {-1, ""}, {-1, "c"}}, {"a", "", "c"}},
      {"inserted before lines 1 and 0", {{-1, "a"}, {-1, "c"}, {1, "b"}, {0, "first"}}, {"first", "a", "b", "c"}},
      {"beyond the last line appends", {{-1, "a"}, {40, "z"}}, {"a", "z"}},
      {"clearing forgets the empty first line", {{-1, ""}, Clear, {-1, "a"}}, {"a"}},
      {"so does the empty text", {{-1, ""}, SetEmpty, {-1, "a"}}, {"a"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    HWND editor = Create();
    for (const Step& step : row.steps) {
      if (step.position == Clear.position) GadgetClearItems(Editor);
      else if (step.position == SetEmpty.position) GadgetSetText(Editor, "");
      else EXPECT_EQ(0, GadgetAddItem(Editor, step.position, step.text));
    }
    EXPECT_EQ(row.lines, Lines(editor));
  }
}

TEST_F(TextEditor, TypedTextHasNoLimit) {
  HWND editor = Create();
  std::string text(70000, 'x');
  GadgetSetText(Editor, text.c_str());
  SendMessageA(editor, EM_SETSEL, -1, -1);
  SendMessageA(editor, WM_CHAR, 'y', 0);
  EXPECT_EQ(text + "y", GadgetText(Editor));
}

CHARFORMATA DefaultFormat(HWND editor) {
  CHARFORMATA format = {};
  format.cbSize = sizeof format;
  SendMessageA(editor, EM_GETCHARFORMAT, SCF_DEFAULT, (LPARAM)&format);
  return format;
}

TEST_F(TextEditor, ColoursGoToTheControlAndTheFrontColourOutlivesAFontChange) {
  HWND editor = Create();
  GadgetSetColor(Editor, ColorBack, 0x203040);
  EXPECT_EQ(0x203040, SendMessageA(editor, EM_SETBKGNDCOLOR, 0, 0x203040));  // answers the previous one
  GadgetSetColor(Editor, ColorFront, 0x0000FF);
  GadgetSetFont(Editor, (HFONT)FontLoad(5, "Arial", 12));
  EXPECT_EQ(0x0000FFu, DefaultFormat(editor).crTextColor);
  EXPECT_FALSE(DefaultFormat(editor).dwEffects & CFE_AUTOCOLOR);
  GadgetSetColor(Editor, ColorFront, -1);
  EXPECT_TRUE(DefaultFormat(editor).dwEffects & CFE_AUTOCOLOR);
  GadgetFree(Editor);
  FontFree(5);
}

void PressTab(bool shift) {
  std::vector<INPUT> inputs;
  auto key = [&](WORD k, DWORD flags) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = k;
    input.ki.dwFlags = flags;
    inputs.push_back(input);
  };
  if (shift) key(VK_SHIFT, 0);
  key(VK_TAB, 0);
  key(VK_TAB, KEYEVENTF_KEYUP);
  if (shift) key(VK_SHIFT, KEYEVENTF_KEYUP);
  SendInput((UINT)inputs.size(), inputs.data(), sizeof(INPUT));
  DrainEvents();
}

TEST_F(TextEditor, TabInsertsATabInAnEditableEditorAndMovesOnFromAReadOnlyOne) {
  struct Row {
    const char* what;
    uint32_t flags;
    bool shift;
    std::string text;
    int focused;
  };
  const Row rows[] = {
      {"editable", 0, false, "\t", Editor},
      {"read-only", ES_READONLY, false, "", 3},
      {"Shift+Tab in an editable editor", 0, true, "", 2},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    CreateButton(2, 5, 250, 80, 24, "before");
    HWND editor = Create(row.flags);
    CreateButton(3, 100, 250, 80, 24, "after");
    Activate(window);
    SetFocus(editor);
    DrainEvents();
    ASSERT_EQ(Editor, FocusedGadget());
    PressTab(row.shift);
    EXPECT_EQ(row.text, GadgetText(Editor));
    EXPECT_EQ(row.focused, FocusedGadget());
  }
}

}  // namespace
