#pragma once
// The state of one scenario run and the table of script commands.
#include <windows.h>
#include <functional>
#include <string>
#include <vector>

#include "tests/e2e/driver/dialogs.h"
#include "tests/e2e/driver/script.h"
#include "tests/e2e/driver/target.h"

struct Driver {
  Target target;
  std::string programCommand;  // how to start the program under test
  std::string programFolder;   // its folder, where it is started as Explorer starts it
  std::string shotsFolder;     // where the harness puts screenshots; empty: none are taken
  DWORD timeoutMs = 20000;     // longest wait for an expected state
  int shotCount = 0;
  int density = 96;            // places in expect-rect and expect-pixel lines are scaled to it
  MessageBoxView message;      // the message box met last
  HWND browser = nullptr;      // the folder browser met last
  std::vector<HANDLE> lockedFiles;
};

// Runs one step; on failure returns false with the reason.
using CommandRun = bool (*)(Driver&, const Step&, std::string* error);

struct Command {
  const char* name;
  size_t minArgs;
  size_t maxArgs;  // SIZE_MAX: any number
  CommandRun run;
};

const Command* FindCommand(const std::string& name);

// The program's window, or false with the reason.
bool NeedWindow(Driver& driver, std::string* error);
// The control a word names (a number or a gadget name) among all descendants of the
// program's window.
bool ControlOf(Driver& driver, const std::string& word, HWND* control, std::string* error);

// Polls check until it holds or the driver's timeout passes; the last reason is kept.
bool WaitFor(Driver& driver, std::string* error, const std::function<bool(std::string*)>& check);

// Writes one line of the log (Windows-1251 in, UTF-8 out) and flushes it at once.
void LogLine(const std::string& cp1251);

// Logs every control of a window, for finding out why a step failed.
void DumpControls(HWND window);

// Asks the harness for a screenshot of the whole screen and waits for it.
// With settle, first gives the program time to repaint.
bool TakeScreenshot(Driver& driver, const std::string& name, bool settle, std::string* error);
