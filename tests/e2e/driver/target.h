#pragma once
// The program under test, seen from outside: its process, its top-level windows and their
// controls. Everything is read through window messages and public window state, the way
// an accessibility tool reads another program.
#include <windows.h>
#include <string>
#include <vector>

struct Target {
  PROCESS_INFORMATION process = {};
  HWND mainWindow = nullptr;      // the window found by "window"
  SIZE_T peakWorkingSet = 0;      // largest value seen so far
  bool exited = false;
  DWORD exitCode = 0;
};

// Starts the program with folder (if not empty) as its current folder.
bool StartTarget(Target* target, const std::string& commandLine, const std::string& folder, std::string* error);
// Ends the program if it still runs (a failed scenario leaves nothing behind).
void StopTarget(Target* target);
// Updates exited/exitCode and the peak working set; true while the process runs.
bool TargetRunning(Target* target);

// Top-level windows of the target's process, visible ones only, in z order; those of every
// process while the target's process is not known yet.
std::vector<HWND> TargetTopWindows(const Target& target);
HWND FindTopWindowByTitle(const Target& target, const std::string& title);

// The first descendant of root (depth first) whose control identifier is id.
HWND FindControl(HWND root, int id);
std::vector<HWND> Descendants(HWND root);

std::string WindowText(HWND window);
std::string WindowClass(HWND window);
bool SetWindowTextRemote(HWND window, const std::string& text);

// The text of one list-box entry, and its rectangle in the list's client coordinates.
// The system carries these list messages between processes; the text is asked for in
// UTF-16, since the ANSI form does not come back converted, and returned as Windows-1251.
std::string ListEntryText(HWND list, int index);
bool ListEntryRect(HWND list, int index, RECT* rect);

// Waits until the program's thread has handled everything sent to it before: a sent
// message returns only when the receiver has taken it from its queue.
bool SyncWithWindow(HWND window);
// Gives posted input time to be handled: several sent round trips with short pauses.
void Settle(HWND window);

// The window with the keyboard focus in the target's GUI thread, or null.
HWND TargetFocus(const Target& target);
