// The benchmark driver: starts a program as a user would and times what the user waits
// for, from outside the program. One measurement per call; the benchmark script repeats
// and interleaves the calls and takes the medians.
//   bench_driver startup PROGRAM   time until the window is shown with its controls, the
//                                  program waits for input and its message loop answers;
//                                  then the peak working set
//   bench_driver install PROGRAM   the setup's pages to the ready page, then the time
//                                  from Install to the finish screen; peak working sets
//                                  on the welcome page and after the installation
//   bench_driver copy FROM TO      time to copy every file of folder FROM into folder TO
//   bench_driver controls PROGRAM  the window tree once the window is shown: one line per
//                                  window, depth first, with what makes it the control it
//                                  is (class, identifier, styles, place, text length; not
//                                  its font: Wine keeps font handles per process)
// Figures are printed one per line as "name value"; a failure prints "error ..." and
// ends with exit code 1.
#include <windows.h>
#include <psapi.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "bench/clock.h"

namespace {

// Control identifiers of the setup's window (its gadget numbers).
enum SetupControl {
  PanelLicence = 2, PanelDestination = 3, PanelStartMenu = 4, PanelTasks = 5, PanelReady = 6,
  AcceptBox = 14, NextButton = 22, InstallButton = 23, FinishButton = 25,
};

constexpr DWORD WaitLimitMs = 60000;
// Time the program gets to paint and settle before its working set is read.
constexpr DWORD SettleMs = 250;

[[noreturn]] void Fail(const char* what) {
  printf("error %s\n", what);
  fflush(stdout);
  ExitProcess(1);
}

// Polls until check holds; false when the wait limit passes first.
template <typename Check>
bool WaitUntil(Check check) {
  double limit = Now() + WaitLimitMs;
  while (!check()) {
    if (Now() > limit) return false;
    Sleep(1);
  }
  return true;
}

struct Program {
  PROCESS_INFORMATION process = {};
  HWND window = nullptr;
};

bool HasVisibleChild(HWND window) {
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if (IsWindowVisible(child)) return true;
  return false;
}

struct WindowSearch {
  DWORD processId;
  HWND found;
};

BOOL CALLBACK TakeShownWindow(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<WindowSearch*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->processId || !IsWindowVisible(window) || !HasVisibleChild(window))
    return TRUE;
  search->found = window;
  return FALSE;
}

HWND ShownWindowOf(DWORD processId) {
  WindowSearch search = {processId, nullptr};
  EnumWindows(TakeShownWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Starts the program and waits until its window is shown with its controls, the program
// waits for input and its message loop has answered a message. Returns the milliseconds
// this took.
double Start(const char* path, Program* program) {
  char command[MAX_PATH + 2];
  snprintf(command, sizeof(command), "\"%s\"", path);
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  double begin = Now();
  if (!CreateProcessA(path, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &program->process))
    Fail("the program could not be started");
  // Waiting for the program to go idle costs the measured program nothing; polling for its
  // window between the waits would keep the Wine server busy while the program needs it.
  DWORD id = program->process.dwProcessId;
  if (!WaitUntil([&] {
        WaitForInputIdle(program->process.hProcess, WaitLimitMs);
        return (program->window = ShownWindowOf(id)) != nullptr;
      }))
    Fail("no window was shown");
  DWORD_PTR answer;
  if (!SendMessageTimeoutA(program->window, WM_NULL, 0, 0, SMTO_NORMAL, WaitLimitMs, &answer))
    Fail("the window did not answer");
  return Now() - begin;
}

SIZE_T PeakWorkingSet(const Program& program) {
  PROCESS_MEMORY_COUNTERS counters = {};
  counters.cb = sizeof(counters);
  if (!GetProcessMemoryInfo(program.process.hProcess, &counters, sizeof(counters)))
    Fail("the memory counters could not be read");
  return counters.PeakWorkingSetSize;
}

void Stop(Program* program) {
  TerminateProcess(program->process.hProcess, 0);
  WaitForSingleObject(program->process.hProcess, WaitLimitMs);
  CloseHandle(program->process.hThread);
  CloseHandle(program->process.hProcess);
}

struct ControlSearch {
  int id;
  HWND found;
};

BOOL CALLBACK TakeControl(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<ControlSearch*>(data);
  if (GetDlgCtrlID(window) != search->id) return TRUE;
  search->found = window;
  return FALSE;
}

HWND Control(const Program& program, int id) {
  ControlSearch search = {id, nullptr};
  EnumChildWindows(program.window, TakeControl, reinterpret_cast<LPARAM>(&search));
  if (!search.found) Fail("a control of the setup is missing");
  return search.found;
}

// A press and release of the mouse, as the button itself turns BM_CLICK into them.
void Click(const Program& program, int id) { PostMessageA(Control(program, id), BM_CLICK, 0, 0); }

void ClickAndWait(const Program& program, int id, int shownId, const char* what) {
  Click(program, id);
  HWND shown = Control(program, shownId);
  if (!WaitUntil([&] { return IsWindowVisible(shown) != FALSE; })) Fail(what);
}

int Startup(const char* path) {
  Program program;
  double milliseconds = Start(path, &program);
  Sleep(SettleMs);
  SIZE_T peak = PeakWorkingSet(program);
  Stop(&program);
  printf("startup_ms %.2f\npeak_working_set %lu\n", milliseconds, (unsigned long)peak);
  return 0;
}

int Install(const char* path) {
  Program program;
  Start(path, &program);
  Sleep(SettleMs);
  SIZE_T welcomePeak = PeakWorkingSet(program);

  ClickAndWait(program, NextButton, PanelLicence, "the licence page did not come");
  Click(program, AcceptBox);
  HWND next = Control(program, NextButton);
  if (!WaitUntil([&] { return IsWindowEnabled(next) != FALSE; })) Fail("Next stayed disabled");
  ClickAndWait(program, NextButton, PanelDestination, "the destination page did not come");
  ClickAndWait(program, NextButton, PanelStartMenu, "the Start-menu page did not come");
  ClickAndWait(program, NextButton, PanelTasks, "the tasks page did not come");
  ClickAndWait(program, NextButton, PanelReady, "the ready page did not come");

  HWND finish = Control(program, FinishButton);
  double begin = Now();
  Click(program, InstallButton);
  if (!WaitUntil([&] { return IsWindowVisible(finish) != FALSE; }))
    Fail("the finish screen did not come");
  double milliseconds = Now() - begin;
  Sleep(SettleMs);
  SIZE_T installedPeak = PeakWorkingSet(program);

  Click(program, FinishButton);
  DWORD exitCode = 1;
  if (WaitForSingleObject(program.process.hProcess, WaitLimitMs) != WAIT_OBJECT_0)
    Fail("the setup did not end after Finish");
  GetExitCodeProcess(program.process.hProcess, &exitCode);
  CloseHandle(program.process.hThread);
  CloseHandle(program.process.hProcess);
  printf("install_ms %.2f\npeak_working_set_welcome %lu\npeak_working_set_installed %lu\n"
         "exit_code %lu\n",
         milliseconds, (unsigned long)welcomePeak, (unsigned long)installedPeak, exitCode);
  return 0;
}

int Copy(const char* from, const char* to) {
  char pattern[MAX_PATH];
  snprintf(pattern, sizeof(pattern), "%s\\*", from);
  CreateDirectoryA(to, nullptr);
  double begin = Now();
  WIN32_FIND_DATAA entry;
  HANDLE search = FindFirstFileA(pattern, &entry);
  if (search == INVALID_HANDLE_VALUE) Fail("nothing to copy");
  unsigned long long bytes = 0;
  int files = 0;
  do {
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    char source[MAX_PATH], target[MAX_PATH];
    snprintf(source, sizeof(source), "%s\\%s", from, entry.cFileName);
    snprintf(target, sizeof(target), "%s\\%s", to, entry.cFileName);
    if (!CopyFileA(source, target, FALSE)) Fail("a file could not be copied");
    bytes += ((unsigned long long)entry.nFileSizeHigh << 32) | entry.nFileSizeLow;
    ++files;
  } while (FindNextFileA(search, &entry));
  FindClose(search);
  double milliseconds = Now() - begin;
  printf("copy_ms %.2f\ncopy_bytes %llu\ncopy_files %d\n", milliseconds, bytes, files);
  return 0;
}

// One line per window of the tree under window, depth first.
void DescribeTree(HWND window, int depth) {
  char className[64] = "";
  GetClassNameA(window, className, sizeof className);
  RECT area;
  GetWindowRect(window, &area);
  HWND parent = GetParent(window);
  if (parent) MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&area), 2);
  printf("control %d %s id=%d style=%08lx exstyle=%08lx at=%ld,%ld size=%ldx%ld text=%d\n", depth,
         className, GetDlgCtrlID(window), (unsigned long)GetWindowLongA(window, GWL_STYLE),
         (unsigned long)GetWindowLongA(window, GWL_EXSTYLE), area.left, area.top, area.right - area.left,
         area.bottom - area.top, GetWindowTextLengthA(window));
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    DescribeTree(child, depth + 1);
}

int Controls(const char* path) {
  Program program;
  Start(path, &program);
  Sleep(SettleMs);
  DescribeTree(program.window, 0);
  Stop(&program);
  return 0;
}

}  // namespace

// The processor's own speed at this moment: a fixed computation that makes no system call,
// timed like a start-up. Its spread is what the machine adds to every other figure.
int Compute() {
  double begin = Now();
  volatile uint32_t sink = 0;
  uint32_t value = 1;
  for (int i = 0; i < 20000000; ++i) value = value * 1664525u + 1013904223u;
  sink = value;
  printf("compute_ms %.2f\n", Now() - begin);
  return sink == 0;
}

int main(int argc, char** argv) {
  setvbuf(stdout, nullptr, _IONBF, 0);
  if (argc == 3 && strcmp(argv[1], "startup") == 0) return Startup(argv[2]);
  if (argc == 3 && strcmp(argv[1], "install") == 0) return Install(argv[2]);
  if (argc == 4 && strcmp(argv[1], "copy") == 0) return Copy(argv[2], argv[3]);
  if (argc == 3 && strcmp(argv[1], "controls") == 0) return Controls(argv[2]);
  if (argc == 2 && strcmp(argv[1], "compute") == 0) return Compute();
  fprintf(stderr, "usage: bench_driver startup|install|controls PROGRAM | copy FROM TO | compute\n");
  return 2;
}
