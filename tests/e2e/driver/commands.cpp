// The script commands: starting and ending the program, operating its controls and
// comparing what it shows with what the scenario expects.
#include "tests/e2e/driver/driver.h"

#include <commctrl.h>
#include <shellapi.h>
#include <stdint.h>
#include <stdlib.h>
#include <algorithm>

#include "tests/e2e/driver/gadget_names.h"
#include "tests/e2e/driver/input.h"
#include "tests/e2e/driver/layout.h"
#include "tests/e2e/driver/text_match.h"

bool NeedWindow(Driver& d, std::string* error) {
  if (d.target.mainWindow && IsWindow(d.target.mainWindow)) return true;
  *error = "no program window (use \"window\" first)";
  return false;
}

bool ControlOf(Driver& d, const std::string& word, HWND* control, std::string* error) {
  long id;
  if (!ControlNumber(word, &id)) {
    *error = "neither a control number nor a gadget name: " + word;
    return false;
  }
  if (!NeedWindow(d, error)) return false;
  *control = FindControl(d.target.mainWindow, (int)id);
  if (*control) return true;
  *error = "no control " + word;
  return false;
}

namespace {

constexpr UINT SendTimeoutMs = 5000;

// A check on every control named from the second word on, repeated until all hold.
bool EachControl(Driver& d, const Step& s, std::string* error, const char* wanted, bool (*holds)(HWND)) {
  return WaitFor(d, error, [&](std::string* why) {
    for (size_t i = 1; i < s.words.size(); ++i) {
      HWND control;
      if (!ControlOf(d, s.words[i], &control, why)) return false;
      if (!holds(control)) {
        *why = "control " + s.words[i] + " is not " + wanted;
        return false;
      }
    }
    return true;
  });
}

LRESULT SendQuery(HWND control, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  DWORD_PTR result = 0;
  SendMessageTimeoutA(control, message, wParam, lParam, SMTO_NORMAL, SendTimeoutMs, &result);
  return (LRESULT)result;
}

bool Usable(HWND control, const std::string& word, std::string* error) {
  if (!IsWindowVisible(control)) *error = "control " + word + " is hidden: a user cannot reach it";
  else if (!IsWindowEnabled(control)) *error = "control " + word + " is disabled: a user cannot use it";
  else return true;
  return false;
}

std::vector<std::string> ListEntries(HWND list) {
  std::vector<std::string> entries;
  LRESULT count = SendQuery(list, LB_GETCOUNT);
  for (LRESULT i = 0; i < count; ++i) entries.push_back(ListEntryText(list, (int)i));
  return entries;
}

// ---- the program's process and window

bool RunStart(Driver& d, const Step&, std::string* error) {
  return StartTarget(&d.target, d.programCommand, d.programFolder, error);
}

bool RunWindow(Driver& d, const Step& s, std::string* error) {
  return WaitFor(d, error, [&](std::string* why) {
    d.target.mainWindow = FindTopWindowByTitle(d.target, s.words[1]);
    if (d.target.mainWindow) {
      DWORD pid = 0;
      d.target.process.dwThreadId = GetWindowThreadProcessId(d.target.mainWindow, &pid);
      if (!d.target.process.hProcess) {
        d.target.process.hProcess = OpenProcess(PROCESS_ALL_ACCESS, FALSE, pid);
        d.target.process.dwProcessId = pid;
      }
      return true;
    }
    *why = "no window titled " + Quoted(s.words[1]);
    if (d.target.process.hProcess && !TargetRunning(&d.target)) *why += "; the program has ended";
    return false;
  });
}

bool RunExpectTitle(Driver& d, const Step& s, std::string* error) {
  return WaitFor(d, error, [&](std::string* why) {
    if (!NeedWindow(d, why)) return false;
    std::string title = WindowText(d.target.mainWindow);
    if (title == s.words[1]) return true;
    *why = "the title is " + Quoted(title);
    return false;
  });
}

bool RunExpectClientSize(Driver& d, const Step& s, std::string* error) {
  long width, height;
  if (!ParseNumber(s.words[1], &width) || !ParseNumber(s.words[2], &height)) {
    *error = "width and height must be numbers";
    return false;
  }
  if (!NeedWindow(d, error)) return false;
  RECT client;
  GetClientRect(d.target.mainWindow, &client);
  if (client.right == width && client.bottom == height) return true;
  *error = "the client area is " + std::to_string(client.right) + " by " + std::to_string(client.bottom);
  return false;
}

bool RunExpectCentred(Driver& d, const Step&, std::string* error) {
  if (!NeedWindow(d, error)) return false;
  RECT frame;
  GetWindowRect(d.target.mainWindow, &frame);
  int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
  int left = (screenWidth - (frame.right - frame.left)) / 2;
  int top = (screenHeight - (frame.bottom - frame.top)) / 2;
  if (abs(frame.left - left) <= 1 && abs(frame.top - top) <= 1) return true;
  *error = "the window is at " + std::to_string(frame.left) + "," + std::to_string(frame.top) + ", centred would be " +
           std::to_string(left) + "," + std::to_string(top);
  return false;
}

// The colour on screen at a point of the window's client area, as RRGGBB; the point is given
// as at 96 pixels per inch and scaled to the density of a "density" line.
bool RunExpectPixel(Driver& d, const Step& s, std::string* error) {
  long x, y, rgb;
  if (!ParseNumber(s.words[1], &x) || !ParseNumber(s.words[2], &y) || !ParseNumber("0x" + s.words[3], &rgb)) {
    *error = "expect-pixel X Y RRGGBB";
    return false;
  }
  if (!NeedWindow(d, error)) return false;
  return WaitFor(d, error, [&](std::string* why) {
    POINT at = {MulDiv(x, d.density, 96), MulDiv(y, d.density, 96)};
    ClientToScreen(d.target.mainWindow, &at);
    HDC screen = GetDC(nullptr);
    COLORREF colour = GetPixel(screen, at.x, at.y);
    ReleaseDC(nullptr, screen);
    long seen = (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
    if (seen == rgb) return true;
    char text[16];
    wsprintfA(text, "%06lX", seen);
    *why = std::string("the colour there is ") + text;
    return false;
  });
}

bool RunClose(Driver& d, const Step&, std::string* error) {
  if (!NeedWindow(d, error)) return false;
  PressCloseBox(d.target.mainWindow);
  return true;
}

// Opens a document or shortcut through the shell, as a double click in the desktop does;
// the program that the shell starts becomes the program under test.
bool RunShellOpen(Driver& d, const Step& s, std::string* error) {
  if (TargetRunning(&d.target)) {
    *error = "the program under test still runs";
    return false;
  }
  StopTarget(&d.target);
  d.target = Target{};
  SHELLEXECUTEINFOA info = {};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
  info.lpVerb = "open";
  info.lpFile = s.words[1].c_str();
  info.nShow = SW_SHOWNORMAL;
  if (!ShellExecuteExA(&info)) {
    *error = "the shell could not open it (error " + std::to_string(GetLastError()) + ")";
    return false;
  }
  // For a shortcut the shell starts the target itself and hands back no process: the
  // program is then found by its window ("window" looks at every process).
  if (info.hProcess) {
    d.target.process.hProcess = info.hProcess;
    d.target.process.dwProcessId = GetProcessId(info.hProcess);
  }
  return true;
}

bool RunExpectExit(Driver& d, const Step& s, std::string* error) {
  long code;
  if (!ParseNumber(s.words[1], &code)) {
    *error = "not an exit code: " + s.words[1];
    return false;
  }
  if (!WaitFor(d, error, [&](std::string* why) {
        *why = "the program still runs";
        return !TargetRunning(&d.target);
      }))
    return false;
  if ((long)d.target.exitCode == code) return true;
  *error = "the exit code is " + std::to_string(d.target.exitCode);
  return false;
}

bool RunExpectRunning(Driver& d, const Step&, std::string* error) {
  if (d.target.mainWindow) Settle(d.target.mainWindow);
  if (TargetRunning(&d.target)) return true;
  *error = "the program has ended with exit code " + std::to_string(d.target.exitCode);
  return false;
}

// ---- controls

// Waits until the control named by the step's second word can be operated by a user.
bool UsableControl(Driver& d, const Step& s, HWND* control, std::string* error) {
  return WaitFor(d, error, [&](std::string* why) {
    return ControlOf(d, s.words[1], control, why) && Usable(*control, s.words[1], why);
  });
}

bool RunClick(Driver& d, const Step& s, std::string* error) {
  HWND control;
  if (!UsableControl(d, s, &control, error)) return false;
  return PressButton(control) || (*error = "the click was not delivered", false);
}

bool RunType(Driver& d, const Step& s, std::string* error) {
  HWND control;
  if (!UsableControl(d, s, &control, error)) return false;
  return SetWindowTextRemote(control, s.words[2]) || (*error = "the text was not delivered", false);
}

bool RunSelect(Driver& d, const Step& s, std::string* error) {
  HWND control;
  return UsableControl(d, s, &control, error) && ClickListEntry(control, s.words[2], error);
}

bool RunKey(Driver& d, const Step& s, std::string* error) {
  if (!NeedWindow(d, error)) return false;
  HWND foreground = d.target.mainWindow;
  MessageBoxView box;
  if (FindMessageBox(d.target, &box)) foreground = box.window;
  if (!TypeKey(foreground, s.words[1], error)) return false;
  Settle(d.target.mainWindow);
  return true;
}

bool RunExpectVisible(Driver& d, const Step& s, std::string* error) {
  return EachControl(d, s, error, "visible", [](HWND c) { return IsWindowVisible(c) != FALSE; });
}
bool RunExpectHidden(Driver& d, const Step& s, std::string* error) {
  return EachControl(d, s, error, "hidden", [](HWND c) { return !IsWindowVisible(c); });
}
bool RunExpectEnabled(Driver& d, const Step& s, std::string* error) {
  return EachControl(d, s, error, "enabled", [](HWND c) { return IsWindowEnabled(c) != FALSE; });
}
bool RunExpectDisabled(Driver& d, const Step& s, std::string* error) {
  return EachControl(d, s, error, "disabled", [](HWND c) { return !IsWindowEnabled(c); });
}
bool RunExpectChecked(Driver& d, const Step& s, std::string* error) {
  return EachControl(d, s, error, "checked", [](HWND c) { return SendQuery(c, BM_GETCHECK) == BST_CHECKED; });
}
bool RunExpectUnchecked(Driver& d, const Step& s, std::string* error) {
  return EachControl(d, s, error, "unchecked", [](HWND c) { return SendQuery(c, BM_GETCHECK) == BST_UNCHECKED; });
}

bool RunExpectReadOnly(Driver& d, const Step& s, std::string* error) {
  return EachControl(d, s, error, "read-only", [](HWND c) { return (GetWindowLongA(c, GWL_STYLE) & ES_READONLY) != 0; });
}

// "expect-scrolled ID yes|no": whether an edit field shows its text from a later line
// than the first.
bool RunExpectScrolled(Driver& d, const Step& s, std::string* error) {
  bool wanted = s.words[2] == "yes";
  if (!wanted && s.words[2] != "no") {
    *error = "expect-scrolled ID yes|no";
    return false;
  }
  return WaitFor(d, error, [&](std::string* why) {
    HWND control;
    if (!ControlOf(d, s.words[1], &control, why)) return false;
    LRESULT first = SendQuery(control, EM_GETFIRSTVISIBLELINE);
    if ((first > 0) == wanted) return true;
    *why = "the first line shown is " + std::to_string(first);
    return false;
  });
}

bool RunExpectText(Driver& d, const Step& s, std::string* error) {
  return WaitFor(d, error, [&](std::string* why) {
    HWND control;
    if (!ControlOf(d, s.words[1], &control, why)) return false;
    std::string text = WindowText(control);
    if (TextMatches(s.words[2], text)) return true;
    *why = "the text is " + Quoted(text);
    return false;
  });
}

// The control's text equals the bytes of a file (Windows-1251 already, read as it is),
// named relative to the script unless its name starts with a drive, as {build}'s and
// {licence}'s do.
bool RunExpectTextFile(Driver& d, const Step& s, std::string* error) {
  const bool full = s.words[2].size() > 1 && s.words[2][1] == ':';
  std::string path = (full ? std::string() : s.file.substr(0, s.file.find_last_of("\\/") + 1)) + s.words[2];
  std::string wanted;
  if (!ReadWholeFile(path, &wanted)) {
    *error = "cannot read " + path;
    return false;
  }
  return WaitFor(d, error, [&](std::string* why) {
    HWND control;
    if (!ControlOf(d, s.words[1], &control, why)) return false;
    std::string text = WindowText(control);
    if (text == wanted) return true;
    *why = "the text is " + Quoted(text);
    return false;
  });
}

bool RunExpectFocus(Driver& d, const Step& s, std::string* error) {
  bool none = s.words[1] == "none";
  return WaitFor(d, error, [&](std::string* why) {
    if (!NeedWindow(d, why)) return false;
    HWND focus = TargetFocus(d.target);
    bool onControl = focus && IsChild(d.target.mainWindow, focus);
    if (none) {
      if (!onControl) return true;
      *why = "control " + ControlLabel(GetDlgCtrlID(focus)) + " has the focus";
      return false;
    }
    HWND control;
    if (!ControlOf(d, s.words[1], &control, why)) return false;
    if (focus == control) return true;
    *why = onControl ? "control " + ControlLabel(GetDlgCtrlID(focus)) + " has the focus" : "no control has the focus";
    return false;
  });
}

bool RunExpectItems(Driver& d, const Step& s, std::string* error) {
  // The order is the file system's listing order, which a scenario cannot know: compared as sets.
  std::vector<std::string> wanted(s.words.begin() + 2, s.words.end());
  std::sort(wanted.begin(), wanted.end());
  return WaitFor(d, error, [&](std::string* why) {
    HWND control;
    if (!ControlOf(d, s.words[1], &control, why)) return false;
    std::vector<std::string> entries = ListEntries(control);
    std::sort(entries.begin(), entries.end());
    if (entries == wanted) return true;
    *why = "the entries are";
    for (auto& entry : entries) *why += " " + Quoted(entry);
    return false;
  });
}

bool RunExpectSelected(Driver& d, const Step& s, std::string* error) {
  return WaitFor(d, error, [&](std::string* why) {
    HWND control;
    if (!ControlOf(d, s.words[1], &control, why)) return false;
    LRESULT index = SendQuery(control, LB_GETCURSEL);
    std::vector<std::string> entries = ListEntries(control);
    std::string selected = index >= 0 && index < (LRESULT)entries.size() ? entries[index] : std::string();
    if (index >= 0 && selected == s.words[2]) return true;
    *why = index < 0 ? "nothing is selected" : "the selected entry is " + Quoted(selected);
    return false;
  });
}

bool RunExpectProgress(Driver& d, const Step& s, std::string* error) {
  long position;
  if (!ParseNumber(s.words[2], &position)) {
    *error = "not a position: " + s.words[2];
    return false;
  }
  return WaitFor(d, error, [&](std::string* why) {
    HWND control;
    if (!ControlOf(d, s.words[1], &control, why)) return false;
    LRESULT now = SendQuery(control, PBM_GETPOS);
    LRESULT high = SendQuery(control, PBM_GETRANGE, FALSE);
    if (now == position && (s.words.size() < 4 || std::to_string(high) == s.words[3])) return true;
    *why = "the position is " + std::to_string(now) + " of " + std::to_string(high);
    return false;
  });
}

// ---- message boxes and the folder browser

bool RunExpectMessage(Driver& d, const Step& s, std::string* error) {
  return WaitFor(d, error, [&](std::string* why) {
    if (!FindMessageBox(d.target, &d.message)) {
      *why = "no message box is shown";
      if (!TargetRunning(&d.target)) *why += "; the program has ended";
      return false;
    }
    if (d.message.title != s.words[1]) *why = "the message box is titled " + Quoted(d.message.title);
    else if (d.message.text != s.words[2]) *why = "the message reads " + Quoted(d.message.text);
    else if (s.words.size() > 3 && d.message.buttons != s.words[3]) *why = "the buttons are " + d.message.buttons;
    else return true;
    return false;
  });
}

bool RunAnswer(Driver& d, const Step& s, std::string* error) {
  if (!WaitFor(d, error, [&](std::string* why) {
        *why = "no message box is shown";
        return FindMessageBox(d.target, &d.message);
      }))
    return false;
  return AnswerMessageBox(d.message, s.words[1], error);
}

bool RunExpectNoMessage(Driver& d, const Step&, std::string* error) {
  if (d.target.mainWindow) Settle(d.target.mainWindow);
  MessageBoxView box;
  if (!FindMessageBox(d.target, &box)) return true;
  *error = "a message box is shown: " + Quoted(box.title) + " " + Quoted(box.text);
  return false;
}

bool RunExpectBrowser(Driver& d, const Step& s, std::string* error) {
  return WaitFor(d, error, [&](std::string* why) {
    d.browser = FindFolderBrowser(d.target);
    if (!d.browser) {
      *why = "no folder browser is shown";
      return false;
    }
    std::vector<std::string> texts = FolderBrowserTexts(d.browser);
    for (auto& text : texts)
      if (text == s.words[1]) return true;
    *why = "the browser's texts are";
    for (auto& text : texts) *why += " " + Quoted(text);
    return false;
  });
}

bool RunExpectBrowserSelection(Driver& d, const Step& s, std::string* error) {
  std::vector<std::string> wanted(s.words.begin() + 1, s.words.end());
  return WaitFor(d, error, [&](std::string* why) {
    if (!d.browser || !IsWindow(d.browser)) {
      *why = "no folder browser is shown";
      return false;
    }
    std::vector<std::string> labels = FolderBrowserSelection(&d.target, d.browser);
    if (labels == wanted) return true;
    *why = "the selection is";
    for (auto& label : labels) *why += " " + Quoted(label);
    return false;
  });
}

bool RunBrowseSelect(Driver& d, const Step& s, std::string* error) {
  if (!d.browser || !IsWindow(d.browser)) {
    *error = "no folder browser is shown (use expect-browser first)";
    return false;
  }
  std::vector<std::string> labels(s.words.begin() + 1, s.words.end());
  return FolderBrowserSelect(&d.target, d.browser, labels, error);
}

bool RunBrowseClose(Driver& d, const Step& s, std::string* error) {
  if (!d.browser || !IsWindow(d.browser)) {
    *error = "no folder browser is shown (use expect-browser first)";
    return false;
  }
  bool accept = s.words[0] == "browse-ok";
  if (FolderBrowserClose(d.browser, accept)) return true;
  *error = "the browser's button could not be pressed";
  return false;
}

// ---- the scenario's surroundings

bool RunLockFile(Driver& d, const Step& s, std::string* error) {
  HANDLE file = CreateFileA(s.words[1].c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    *error = "cannot open the file (error " + std::to_string(GetLastError()) + ")";
    return false;
  }
  d.lockedFiles.push_back(file);
  return true;
}

// "screenshot NAME nowait" does not wait for the program to repaint first: for a screen
// that the program shows while it handles no messages.
bool RunScreenshot(Driver& d, const Step& s, std::string* error) {
  if (s.words.size() > 2 && s.words[2] != "nowait") {
    *error = "screenshot NAME [nowait]";
    return false;
  }
  return TakeScreenshot(d, s.words[1], s.words.size() == 2, error);
}

bool RunSettle(Driver& d, const Step&, std::string*) {
  if (d.target.mainWindow) Settle(d.target.mainWindow);
  return true;
}

// Lists every control of the program's window: identifier, class, state and text.
bool RunDump(Driver& d, const Step&, std::string* error) {
  if (!NeedWindow(d, error)) return false;
  DumpControls(d.target.mainWindow);
  return true;
}

bool RunTimeout(Driver& d, const Step& s, std::string* error) {
  long seconds;
  if (!ParseNumber(s.words[1], &seconds) || seconds <= 0) {
    *error = "not a number of seconds: " + s.words[1];
    return false;
  }
  d.timeoutMs = (DWORD)seconds * 1000;
  return true;
}

const Command Commands[] = {
    {"start", 0, 0, RunStart},
    {"window", 1, 1, RunWindow},
    {"expect-title", 1, 1, RunExpectTitle},
    {"expect-client-size", 2, 2, RunExpectClientSize},
    {"expect-centred", 0, 0, RunExpectCentred},
    {"expect-pixel", 3, 3, RunExpectPixel},
    {"density", 1, 1, RunDensity},
    {"expect-rect", 5, 5, RunExpectRect},
    {"close", 0, 0, RunClose},
    {"shell-open", 1, 1, RunShellOpen},
    {"expect-exit", 1, 1, RunExpectExit},
    {"expect-running", 0, 0, RunExpectRunning},
    {"click", 1, 1, RunClick},
    {"type", 2, 2, RunType},
    {"select", 2, 2, RunSelect},
    {"key", 1, 1, RunKey},
    {"expect-visible", 1, SIZE_MAX, RunExpectVisible},
    {"expect-hidden", 1, SIZE_MAX, RunExpectHidden},
    {"expect-enabled", 1, SIZE_MAX, RunExpectEnabled},
    {"expect-disabled", 1, SIZE_MAX, RunExpectDisabled},
    {"expect-checked", 1, SIZE_MAX, RunExpectChecked},
    {"expect-unchecked", 1, SIZE_MAX, RunExpectUnchecked},
    {"expect-read-only", 1, SIZE_MAX, RunExpectReadOnly},
    {"expect-scrolled", 2, 2, RunExpectScrolled},
    {"expect-text", 2, 2, RunExpectText},
    {"expect-text-file", 2, 2, RunExpectTextFile},
    {"expect-focus", 1, 1, RunExpectFocus},
    {"expect-items", 1, SIZE_MAX, RunExpectItems},
    {"expect-selected", 2, 2, RunExpectSelected},
    {"expect-progress", 2, 3, RunExpectProgress},
    {"expect-message", 2, 3, RunExpectMessage},
    {"answer", 1, 1, RunAnswer},
    {"expect-no-message", 0, 0, RunExpectNoMessage},
    {"expect-browser", 1, 1, RunExpectBrowser},
    {"expect-browser-selection", 1, SIZE_MAX, RunExpectBrowserSelection},
    {"browse-select", 1, SIZE_MAX, RunBrowseSelect},
    {"browse-ok", 0, 0, RunBrowseClose},
    {"browse-cancel", 0, 0, RunBrowseClose},
    {"lock-file", 1, 1, RunLockFile},
    {"screenshot", 1, 2, RunScreenshot},
    {"settle", 0, 0, RunSettle},
    {"timeout", 1, 1, RunTimeout},
    {"dump", 0, 0, RunDump},
};

}  // namespace

void DumpControls(HWND window) {
  for (HWND control : Descendants(window)) {
    char line[128];
    wsprintfA(line, " %s %s %s ", WindowClass(control).c_str(), IsWindowVisible(control) ? "visible" : "hidden",
              IsWindowEnabled(control) ? "enabled" : "disabled");
    LogLine("     control " + ControlLabel(GetDlgCtrlID(control)) + line + Quoted(WindowText(control)));
  }
}

const Command* FindCommand(const std::string& name) {
  for (const Command& command : Commands)
    if (name == command.name) return &command;
  return nullptr;
}
