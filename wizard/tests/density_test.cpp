// The wizard at the screen density of the Wine prefix it runs in (density_test.sh sets it
// and passes it as the first argument): the layout grows with the fonts, the pictures with
// the layout, and every text the wizard shows fits whole in its box, on every screen from
// the welcome page to the finish screen, including each line of a real installation.
#include <gtest/gtest.h>
#include <windows.h>
#include <map>
#include <set>
#include <string>
#include <vector>
#include "toolkit/gadget.h"
#include "toolkit/window.h"
#include "wizard/gadgets.h"
#include "wizard/program.h"
#include "wizard_driver.h"

namespace {

int Dpi = 96;

int Scaled(int pixelsAt96) { return MulDiv(pixelsAt96, Dpi, 96); }

// ---- every text each control was given, caught as it is set and read after every step

std::map<HWND, std::set<std::string>> TextsShown;
std::map<HWND, WNDPROC> NativeProcs;

std::string WindowTextOf(HWND control) {
  std::string text(GetWindowTextLengthA(control) + 1, '\0');
  text.resize(GetWindowTextA(control, &text[0], (int)text.size()));
  return text;
}

LRESULT CALLBACK CatchText(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SETTEXT && lParam) TextsShown[control].insert(reinterpret_cast<const char*>(lParam));
  return CallWindowProcA(NativeProcs[control], control, message, wParam, lParam);
}

BOOL CALLBACK AddControl(HWND control, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(control);
  return TRUE;
}

std::vector<HWND> Controls() {
  std::vector<HWND> controls;
  EnumChildWindows(WindowHandle(WizardWindow), AddControl, (LPARAM)&controls);
  return controls;
}

void CatchTexts() {
  for (HWND control : Controls())
    NativeProcs[control] = (WNDPROC)SetWindowLongPtrA(control, GWLP_WNDPROC, (LONG_PTR)CatchText);
}

void ReadTexts() {
  for (HWND control : Controls()) TextsShown[control].insert(WindowTextOf(control));
}

// ---- how a control draws its text, and the room it has for it

std::string ClassOf(HWND control) {
  char name[64] = "";
  GetClassNameA(control, name, sizeof name);
  return name;
}

enum class Drawn {
  Wrapped,  // a label: wrapped at its width, all lines must show
  OneLine,  // a button or a one-line field
  Lines,    // a multi-line field or the editor: the lines it has made, scrolled up and down
  NotText,
};

Drawn DrawnAs(HWND control) {
  std::string kind = ClassOf(control);
  LONG style = GetWindowLongA(control, GWL_STYLE);
  if (kind == "Static") return (style & SS_TYPEMASK) <= SS_RIGHT ? Drawn::Wrapped : Drawn::NotText;
  // The caption of a 13-pixel check box is hidden by its size; its label beside it shows it.
  if (kind == "Button") return (style & BS_TYPEMASK) == BS_PUSHBUTTON || (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON
                                   ? Drawn::OneLine
                                   : Drawn::NotText;
  if (kind == "Edit") return (style & ES_MULTILINE) ? Drawn::Lines : Drawn::OneLine;
  if (kind.compare(0, 8, "RichEdit") == 0) return Drawn::Lines;
  return Drawn::NotText;
}

// The part of the control's client area that its parent does not cut off.
RECT VisibleClient(HWND control) {
  RECT client, parent;
  GetClientRect(control, &client);
  GetClientRect(GetParent(control), &parent);
  MapWindowPoints(GetParent(control), control, reinterpret_cast<POINT*>(&parent), 2);
  IntersectRect(&client, &client, &parent);
  return client;
}

// Where the control draws text: fields and editors inside their formatting rectangle, a
// button inside its raised edges.
RECT TextArea(HWND control, Drawn drawn) {
  RECT area = VisibleClient(control);
  if (drawn == Drawn::Lines || ClassOf(control) == "Edit") {
    RECT format;
    SendMessageA(control, EM_GETRECT, 0, (LPARAM)&format);
    IntersectRect(&area, &area, &format);
  } else if (ClassOf(control) == "Button") {
    InflateRect(&area, -3, -2);
  }
  return area;
}

// The size the text takes in the control's own font, wrapped as the control wraps it.
SIZE Needed(HWND control, Drawn drawn, const std::string& text, int width) {
  HDC dc = GetDC(control);
  HGDIOBJ font = (HGDIOBJ)SendMessageA(control, WM_GETFONT, 0, 0);
  HGDIOBJ previous = SelectObject(dc, font ? font : GetStockObject(SYSTEM_FONT));
  RECT room = {0, 0, width, 0};
  UINT format = DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS;
  if (drawn == Drawn::Wrapped) format |= DT_WORDBREAK;
  if (drawn == Drawn::OneLine) format |= DT_SINGLELINE;
  DrawTextA(dc, text.empty() ? " " : text.c_str(), -1, &room, format);
  SelectObject(dc, previous);
  ReleaseDC(control, dc);
  return {room.right, room.bottom};
}

// The lines a multi-line control shows, as it has wrapped them, without the spaces that
// may hang past its edge.
std::vector<std::string> ShownLines(HWND control) {
  std::vector<std::string> lines;
  int count = (int)SendMessageA(control, EM_GETLINECOUNT, 0, 0);
  for (int line = 0; line < count; ++line) {
    int length = (int)SendMessageA(control, EM_LINELENGTH, SendMessageA(control, EM_LINEINDEX, line, 0), 0);
    std::string text(length + 2 > 2 ? length + 2 : 2, '\0');
    *reinterpret_cast<WORD*>(&text[0]) = (WORD)text.size();
    text.resize(SendMessageA(control, EM_GETLINE, line, (LPARAM)&text[0]));
    text.erase(text.find_last_not_of(" \r\n") + 1);
    lines.push_back(text);
  }
  return lines;
}

std::string Overflow(HWND control, const std::string& text) {
  Drawn drawn = DrawnAs(control);
  if (drawn == Drawn::NotText) return "";
  RECT area = TextArea(control, drawn);
  int width = area.right - area.left, height = area.bottom - area.top;
  SIZE needed = Needed(control, drawn, text, width);
  if (needed.cx <= width && (drawn == Drawn::Lines || needed.cy <= height)) return "";
  return "gadget " + std::to_string(GetDlgCtrlID(control)) + " needs " + std::to_string(needed.cx) + " x " +
         std::to_string(needed.cy) + ", has " + std::to_string(width) + " x " + std::to_string(height) + " for \"" +
         text + "\"";
}

// Every text the control was given or shows that does not fit.
void AddOverflows(HWND control, const std::set<std::string>& texts, std::vector<std::string>* overflows) {
  Drawn drawn = DrawnAs(control);
  std::vector<std::string> measured(texts.begin(), texts.end());
  if (drawn == Drawn::Lines) measured = ShownLines(control);
  for (const std::string& text : measured) {
    std::string overflow = Overflow(control, text);
    if (!overflow.empty()) overflows->push_back(overflow);
  }
}

class WizardAtThisDensity : public testing::Test {
 protected:
  void SetUp() override { RebuildWizard(); }
};

TEST_F(WizardAtThisDensity, TheDisplayHasTheDensityOfThePrefix) {
  HDC screen = GetDC(nullptr);
  EXPECT_EQ(Dpi, GetDeviceCaps(screen, LOGPIXELSY));
  ReleaseDC(nullptr, screen);
}

TEST_F(WizardAtThisDensity, TheClientAreaGrowsWithTheDensity) {
  RECT client;
  GetClientRect(WindowHandle(WizardWindow), &client);
  EXPECT_EQ(Scaled(500), client.right);
  EXPECT_EQ(Scaled(358), client.bottom);
}

// Each box takes its picture's size, and the pictures are scaled to the density.
TEST_F(WizardAtThisDensity, PicturesGrowWithTheLayout) {
  const struct { int32_t gadget, width, height; } pictures[] = {
      {ImgCorner, 54, 54}, {ImgSide, 162, 312}, {ImgDestination, 32, 32}, {ImgStartMenu, 32, 32}};
  for (const auto& picture : pictures) {
    RECT box;
    GetWindowRect(GadgetHandle(picture.gadget), &box);
    EXPECT_EQ(Scaled(picture.width), box.right - box.left) << picture.gadget;
    EXPECT_EQ(Scaled(picture.height), box.bottom - box.top) << picture.gadget;
  }
}

// Every text on every screen, from the welcome page through a real installation to the
// finish screen, measured in its control's font against the room the control has for it.
TEST_F(WizardAtThisDensity, EveryTextFitsItsBoxOnEveryScreen) {
  TextsShown.clear();
  CatchTexts();
  ReadTexts();
  for (int32_t page = 1; page <= 5; ++page) {
    GoForwardTo(page);
    ASSERT_EQ(page, CurrentPage);
    ReadTexts();
  }
  Click(BtnInstall);
  ASSERT_TRUE(Shown(BtnFinish));
  ReadTexts();

  std::vector<std::string> overflows;
  int texts = 0;
  for (const auto& control : TextsShown) {
    AddOverflows(control.first, control.second, &overflows);
    if (DrawnAs(control.first) != Drawn::NotText) texts += (int)control.second.size();
  }
  EXPECT_EQ(std::vector<std::string>{}, overflows) << "at " << Dpi << " DPI";
  // Headings, finish texts and installation lines come on top of the texts at creation.
  EXPECT_GT(texts, 60);
}

// The start-menu list shows each folder name whole.
TEST_F(WizardAtThisDensity, EveryStartMenuFolderFitsItsListLine) {
  HWND list = GadgetHandle(LstStartMenu);
  RECT client;
  GetClientRect(list, &client);
  int height = (int)SendMessageA(list, LB_GETITEMHEIGHT, 0, 0);
  for (int item = 0; item < (int)SendMessageA(list, LB_GETCOUNT, 0, 0); ++item) {
    std::string name(SendMessageA(list, LB_GETTEXTLEN, item, 0) + 1, '\0');
    name.resize(SendMessageA(list, LB_GETTEXT, item, (LPARAM)&name[0]));
    SIZE needed = Needed(list, Drawn::OneLine, name, client.right);
    EXPECT_LE(needed.cx, client.right) << name;
    EXPECT_LE(needed.cy, height) << name;
  }
}

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (argc > 1) Dpi = atoi(argv[1]);
  StartWizardProgram();
  return RUN_ALL_TESTS();
}
