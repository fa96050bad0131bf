#include "dialog_answerer.h"
#include <string.h>

namespace {

// A generous bound so that a dialog that never comes fails the test instead of hanging it.
constexpr int PollMilliseconds = 10;
constexpr int MaximumPolls = 6000;
constexpr int MessageTextId = 0xFFFF;

std::string WindowText(HWND window) {
  char text[2048] = "";
  GetWindowTextA(window, text, sizeof text);
  return text;
}

bool IsOurDialog(HWND window) {
  char className[32] = "";
  GetClassNameA(window, className, sizeof className);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  return strcmp(className, "#32770") == 0 && process == GetCurrentProcessId() && IsWindowVisible(window);
}

struct Search {
  const std::string* title;
  bool anyTitle;
  const std::function<bool(HWND)>* accept;
  HWND found;
};

BOOL CALLBACK MatchDialog(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<Search*>(parameter);
  if (!IsOurDialog(window)) return TRUE;
  if (!search->anyTitle && WindowText(window) != *search->title) return TRUE;
  if (*search->accept && !(*search->accept)(window)) return TRUE;
  search->found = window;
  return FALSE;
}

struct TextSearch {
  const char* text;
  HWND found;
};

BOOL CALLBACK MatchText(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<TextSearch*>(parameter);
  if (WindowText(window) != search->text) return TRUE;
  search->found = window;
  return FALSE;
}

BOOL CALLBACK MatchDefaultButton(HWND window, LPARAM parameter) {
  char className[16] = "";
  GetClassNameA(window, className, sizeof className);
  if (lstrcmpiA(className, "Button") != 0 || (GetWindowLongA(window, GWL_STYLE) & BS_TYPEMASK) != BS_DEFPUSHBUTTON)
    return TRUE;
  *reinterpret_cast<int*>(parameter) = GetDlgCtrlID(window);
  return FALSE;
}

// The identifier of the button drawn as the default one, 0 if none.
int DefaultButton(HWND dialog) {
  int id = 0;
  EnumChildWindows(dialog, MatchDefaultButton, reinterpret_cast<LPARAM>(&id));
  return id;
}

}  // namespace

DialogAnswerer::DialogAnswerer(const char* title, std::function<void(HWND)> act,
                               std::function<bool(HWND)> accept)
    : title_(title ? title : ""), anyTitle_(!title), act_(std::move(act)), accept_(std::move(accept)) {
  thread_ = std::thread([this] { Run(); });
}

DialogAnswerer::~DialogAnswerer() { Finish(); }

SeenDialog DialogAnswerer::Finish() {
  stop_ = true;
  if (thread_.joinable()) thread_.join();
  return seen_;
}

void DialogAnswerer::Run() {
  for (int poll = 0; poll < MaximumPolls && !stop_; ++poll) {
    Search search = {&title_, anyTitle_, &accept_, nullptr};
    EnumWindows(MatchDialog, reinterpret_cast<LPARAM>(&search));
    if (!search.found) {
      Sleep(PollMilliseconds);
      continue;
    }
    HWND dialog = search.found;
    seen_.seen = true;
    seen_.title = WindowText(dialog);
    if (HWND message = GetDlgItem(dialog, MessageTextId)) seen_.text = WindowText(message);
    seen_.defaultButton = DefaultButton(dialog);
    act_(dialog);
    return;
  }
}

void PressDialogButton(HWND dialog, int id) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)GetDlgItem(dialog, id));
}

HWND FindDescendantWithText(HWND window, const char* text) {
  TextSearch search = {text, nullptr};
  EnumChildWindows(window, MatchText, reinterpret_cast<LPARAM>(&search));
  return search.found;
}
