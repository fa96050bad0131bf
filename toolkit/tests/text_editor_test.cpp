// Text editors: lines added as items, text, colours, and Tab in editable and read-only
// editors.
#include "kind_test_window.h"
#include <richedit.h>
#include <string>
#include <vector>
#include "toolkit/fonts.h"
#include "toolkit/gadget.h"
#include "toolkit/gadget_kinds.h"

namespace {

constexpr int Editor = 1;

std::vector<std::string> Lines(HWND editor) {
  std::vector<std::string> lines;
  LRESULT count = SendMessageA(editor, EM_GETLINECOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    char line[256] = {};
    *reinterpret_cast<WORD*>(line) = sizeof line - 1;
    LRESULT length = SendMessageA(editor, EM_GETLINE, i, (LPARAM)line);
    std::string text(line, length);
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n')) text.pop_back();
    lines.push_back(text);
  }
  return lines;
}

using Strings = std::vector<std::string>;

class TextEditor : public GadgetWindowTest {
 protected:
  HWND Create(uint32_t flags = 0) {
    HWND editor = (HWND)CreateTextEditor(Editor, 5, 5, 300, 200, flags);
    EXPECT_NE(nullptr, editor);
    return editor;
  }
};

TEST_F(TextEditor, AppendedLines) {
  struct Row {
    const char* what;
    std::vector<const char*> appended;
    Strings lines;
  };
  const Row rows[] = {
      {"one line", {"a"}, {"a"}},
      {"two lines", {"a", "b"}, {"a", "b"}},
      {"empty, then a: the first line stays empty", {"", "a"}, {"", "a"}},
      {"empty, a, b", {"", "a", "b"}, {"", "a", "b"}},
      {"empty twice", {"", ""}, {"", ""}},
      {"a, then empty", {"a", "", "c"}, {"a", "", "c"}},
      {"no text counts as empty", {nullptr, "a"}, {"", "a"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    HWND editor = Create();
    for (const char* text : row.appended) EXPECT_EQ(0, GadgetAddItem(Editor, -1, text));
    EXPECT_EQ(row.lines, Lines(editor));
  }
}

TEST_F(TextEditor, LinesInsertedBeforeAGivenLine) {
  HWND editor = Create();
  for (const char* text : {"a", "c"}) GadgetAddItem(Editor, -1, text);
  GadgetAddItem(Editor, 1, "b");
  GadgetAddItem(Editor, 0, "first");
  EXPECT_EQ((Strings{"first", "a", "b", "c"}), Lines(editor));
  GadgetAddItem(Editor, 40, "beyond the last line appends");
  EXPECT_EQ((Strings{"first", "a", "b", "c", "beyond the last line appends"}), Lines(editor));
}

TEST_F(TextEditor, ClearingForgetsTheEmptyFirstLine) {
  HWND editor = Create();
  GadgetAddItem(Editor, -1, "");
  GadgetClearItems(Editor);
  GadgetAddItem(Editor, -1, "a");
  EXPECT_EQ((Strings{"a"}), Lines(editor));
  GadgetAddItem(Editor, -1, "");
  GadgetSetText(Editor, "");
  GadgetAddItem(Editor, -1, "b");
  EXPECT_EQ((Strings{"b"}), Lines(editor));
}

TEST_F(TextEditor, TypedTextHasNoLimit) {
  HWND editor = Create();
  EXPECT_EQ(0x7FFFFFFF, SendMessageA(editor, EM_GETLIMITTEXT, 0, 0));
  std::string longText(70000, 'x');
  GadgetSetText(Editor, longText.c_str());
  SendMessageA(editor, EM_SETSEL, -1, -1);
  SendMessageA(editor, WM_CHAR, 'y', 0);
  EXPECT_EQ(longText + "y", GadgetText(Editor));
}

TEST_F(TextEditor, TextIsTheWholeText) {
  HWND editor = Create(ES_READONLY);
  GadgetSetText(Editor, "Лицензия\r\nвторая строка");
  EXPECT_EQ((Strings{"Лицензия", "вторая строка"}), Lines(editor));
  EXPECT_EQ("Лицензия\r\nвторая строка", GadgetText(Editor));
  GadgetSetText(Editor, nullptr);
  EXPECT_EQ("", GadgetText(Editor));
}

CHARFORMATA DefaultFormat(HWND editor) {
  CHARFORMATA format = {};
  format.cbSize = sizeof format;
  SendMessageA(editor, EM_GETCHARFORMAT, SCF_DEFAULT, (LPARAM)&format);
  return format;
}

TEST_F(TextEditor, ColoursGoToTheControlAndTheFrontColourOutlivesAFontChange) {
  HWND editor = Create();
  GadgetAddItem(Editor, -1, "text");
  GadgetSetColor(Editor, ColorBack, 0x203040);
  // Setting the background answers the previous one.
  EXPECT_EQ(0x203040, SendMessageA(editor, EM_SETBKGNDCOLOR, 0, 0x203040));

  GadgetSetColor(Editor, ColorFront, 0x0000FF);
  EXPECT_EQ(0x0000FFu, DefaultFormat(editor).crTextColor);
  EXPECT_FALSE(DefaultFormat(editor).dwEffects & CFE_AUTOCOLOR);
  HFONT font = (HFONT)FontLoad(5, "Arial", 12);
  GadgetSetFont(Editor, font);
  EXPECT_EQ(0x0000FFu, DefaultFormat(editor).crTextColor);
  EXPECT_FALSE(DefaultFormat(editor).dwEffects & CFE_AUTOCOLOR);

  GadgetSetColor(Editor, ColorFront, -1);
  EXPECT_TRUE(DefaultFormat(editor).dwEffects & CFE_AUTOCOLOR);
  GadgetFree(Editor);
  FontFree(5);
}

void PressKey(WORD key, bool shift = false) {
  std::vector<INPUT> inputs;
  auto add = [&](WORD k, DWORD flags) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = k;
    input.ki.dwFlags = flags;
    inputs.push_back(input);
  };
  if (shift) add(VK_SHIFT, 0);
  add(key, 0);
  add(key, KEYEVENTF_KEYUP);
  if (shift) add(VK_SHIFT, KEYEVENTF_KEYUP);
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
      {"read-only", ES_READONLY, false, "", 2},
      {"Shift+Tab in an editable editor", 0, true, "", 3},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    CreateButton(3, 5, 250, 80, 24, "before");
    HWND editor = Create(row.flags);
    CreateButton(2, 100, 250, 80, 24, "after");
    Activate(window);
    SetFocus(editor);
    DrainEvents();
    ASSERT_EQ(Editor, FocusedGadget());
    PressKey(VK_TAB, row.shift);
    EXPECT_EQ(row.text, GadgetText(Editor));
    EXPECT_EQ(row.focused, FocusedGadget());
  }
}

}  // namespace
