#include "tests/e2e/driver/target.h"

#include <psapi.h>

namespace {

constexpr UINT SendTimeoutMs = 5000;

struct TopSearch {
  DWORD pid;
  std::vector<HWND>* found;
};

BOOL CALLBACK CollectTop(HWND window, LPARAM data) {
  TopSearch* search = reinterpret_cast<TopSearch*>(data);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if ((pid == search->pid || !search->pid) && IsWindowVisible(window)) search->found->push_back(window);
  return TRUE;
}

BOOL CALLBACK CollectChild(HWND window, LPARAM data) {
  reinterpret_cast<std::vector<HWND>*>(data)->push_back(window);
  return TRUE;
}

}  // namespace

bool StartTarget(Target* target, const std::string& commandLine, const std::string& folder, std::string* error) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  std::string line = commandLine;
  if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr,
                      folder.empty() ? nullptr : folder.c_str(), &startup, &target->process)) {
    *error = "cannot start " + commandLine + " (error " + std::to_string(GetLastError()) + ")";
    return false;
  }
  target->exited = false;
  WaitForInputIdle(target->process.hProcess, 10000);
  return true;
}

void StopTarget(Target* target) {
  if (!target->process.hProcess) return;
  if (TargetRunning(target)) {
    TerminateProcess(target->process.hProcess, 255);
    WaitForSingleObject(target->process.hProcess, 5000);
  }
  CloseHandle(target->process.hThread);
  CloseHandle(target->process.hProcess);
  target->process = PROCESS_INFORMATION{};
}

bool TargetRunning(Target* target) {
  if (!target->process.hProcess || target->exited) return false;
  PROCESS_MEMORY_COUNTERS counters = {};
  counters.cb = sizeof counters;
  if (GetProcessMemoryInfo(target->process.hProcess, &counters, sizeof counters) &&
      counters.PeakWorkingSetSize > target->peakWorkingSet)
    target->peakWorkingSet = counters.PeakWorkingSetSize;
  if (WaitForSingleObject(target->process.hProcess, 0) != WAIT_OBJECT_0) return true;
  GetExitCodeProcess(target->process.hProcess, &target->exitCode);
  target->exited = true;
  return false;
}

std::vector<HWND> TargetTopWindows(const Target& target) {
  std::vector<HWND> found;
  TopSearch search = {target.process.dwProcessId, &found};
  EnumWindows(CollectTop, reinterpret_cast<LPARAM>(&search));
  return found;
}

HWND FindTopWindowByTitle(const Target& target, const std::string& title) {
  for (HWND window : TargetTopWindows(target))
    if (WindowText(window) == title) return window;
  return nullptr;
}

std::vector<HWND> Descendants(HWND root) {
  std::vector<HWND> all;
  EnumChildWindows(root, CollectChild, reinterpret_cast<LPARAM>(&all));
  return all;
}

HWND FindControl(HWND root, int id) {
  for (HWND child : Descendants(root))
    if (GetDlgCtrlID(child) == id) return child;
  return nullptr;
}

std::string WindowText(HWND window) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, SendTimeoutMs, &length))
    return std::string();
  std::string text(length + 1, '\0');
  DWORD_PTR copied = 0;
  SendMessageTimeoutA(window, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(&text[0]), SMTO_NORMAL,
                      SendTimeoutMs, &copied);
  text.resize(copied <= length ? copied : length);
  return text;
}

std::string WindowClass(HWND window) {
  char name[256] = "";
  GetClassNameA(window, name, sizeof name);
  return name;
}

bool SetWindowTextRemote(HWND window, const std::string& text) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_NORMAL,
                             SendTimeoutMs, &result) != 0;
}

std::string ListEntryText(HWND list, int index) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(list, LB_GETTEXTLEN, index, 0, SMTO_NORMAL, SendTimeoutMs, &length) ||
      (LRESULT)length < 0)
    return std::string();
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(&text[0]), SMTO_NORMAL, SendTimeoutMs,
                           &copied) ||
      (LRESULT)copied < 0 || copied > length)
    return std::string();
  int bytes = WideCharToMultiByte(1251, 0, text.c_str(), (int)copied, nullptr, 0, nullptr, nullptr);
  std::string entry(bytes, '\0');
  WideCharToMultiByte(1251, 0, text.c_str(), (int)copied, &entry[0], bytes, nullptr, nullptr);
  return entry;
}

bool ListEntryRect(HWND list, int index, RECT* rect) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutA(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(rect), SMTO_NORMAL,
                             SendTimeoutMs, &result) &&
         (LRESULT)result != LB_ERR;
}

bool SyncWithWindow(HWND window) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, SendTimeoutMs, &result) != 0;
}

void Settle(HWND window) {
  for (int i = 0; i < 4; ++i) {
    Sleep(60);
    SyncWithWindow(window);
  }
}

HWND TargetFocus(const Target& target) {
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(target.process.dwThreadId, &info)) return nullptr;
  return info.hwndFocus;
}
