// Runs one scenario script against the setup program:
//   e2e_driver.exe [--shots FOLDER] PROGRAM.exe SCENARIO
// or hands the scenario's prepare and check lines to the harness (see harness_lines.h):
//   e2e_driver.exe --harness-lines SCENARIO
// Each step is logged as "ok FILE:LINE ..." or "FAIL FILE:LINE ...: reason". Screenshots are
// requested from the harness with a line "@@screenshot NAME" and awaited as FOLDER\NAME.png.
// The last line is "@@peak-working-set BYTES". Exit code: 0 when every step passed.
#include <windows.h>
#include <objbase.h>
#include <stdio.h>

#include "tests/e2e/driver/driver.h"
#include "tests/e2e/driver/harness_lines.h"

void LogLine(const std::string& cp1251) {
  std::string line = Cp1251ToUtf8(cp1251) + "\n";
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), line.data(), (DWORD)line.size(), &written, nullptr);
  FlushFileBuffers(GetStdHandle(STD_OUTPUT_HANDLE));
}

bool WaitFor(Driver& driver, std::string* error, const std::function<bool(std::string*)>& check) {
  DWORD start = GetTickCount();
  for (;;) {
    if (check(error)) return true;
    if (GetTickCount() - start > driver.timeoutMs) return false;
    TargetRunning(&driver.target);
    Sleep(20);
  }
}

bool TakeScreenshot(Driver& driver, const std::string& name, bool settle, std::string* error) {
  if (driver.shotsFolder.empty()) return true;
  if (settle && driver.target.mainWindow && IsWindow(driver.target.mainWindow)) Settle(driver.target.mainWindow);
  char number[8];
  wsprintfA(number, "%02d-", ++driver.shotCount);
  std::string file = number + name;
  std::string path = driver.shotsFolder + "\\" + file + ".png";
  LogLine("@@screenshot " + file);
  DWORD start = GetTickCount();
  while (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
    if (GetTickCount() - start > 30000) {
      *error = "the harness made no screenshot " + path;
      return false;
    }
    Sleep(30);
  }
  return true;
}

static std::string Describe(const Step& step) {
  std::string text = step.file.substr(step.file.find_last_of("\\/") + 1) + ":" + std::to_string(step.line);
  for (const std::string& word : step.words)
    text += " " + (word.find_first_of(" \"\r\n") != std::string::npos || word.empty() ? Quoted(word) : word);
  return text;
}

static int Usage() {
  LogLine("usage: e2e_driver.exe [--shots FOLDER] PROGRAM.exe SCENARIO | --harness-lines SCENARIO");
  return 2;
}

static void WriteAll(DWORD handle, const std::string& bytes) {
  DWORD written = 0;
  WriteFile(GetStdHandle(handle), bytes.data(), (DWORD)bytes.size(), &written, nullptr);
}

// A scenario that cannot be read is reported on the error output, which the harness shows.
static int PrintHarnessLines(const std::string& scenario) {
  std::vector<Step> steps;
  std::string error;
  if (!LoadScript(scenario, &steps, &error)) {
    WriteAll(STD_ERROR_HANDLE, "FAIL " + Cp1251ToUtf8(error) + "\n");
    return 2;
  }
  WriteAll(STD_OUTPUT_HANDLE, HarnessRecords(steps));
  return 0;
}

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--harness-lines") return PrintHarnessLines(argv[2]);
  // The shell's link and document handling needs COM on the calling thread.
  CoInitialize(nullptr);
  // Short-lived screens (the installing page lasts a fraction of a second) are seen only if
  // the driver's polling is not starved by a busy machine.
  SetPriorityClass(GetCurrentProcess(), HIGH_PRIORITY_CLASS);
  Driver driver;
  int next = 1;
  if (next + 1 < argc && std::string(argv[next]) == "--shots") {
    driver.shotsFolder = argv[next + 1];
    next += 2;
  }
  if (argc - next != 2) return Usage();
  driver.programCommand = std::string("\"") + argv[next] + "\"";
  std::string program = argv[next];
  driver.programFolder = program.substr(0, program.find_last_of("\\") + 1);
  // Texts are read and compared as Windows-1251 bytes through the ANSI calls, whatever the
  // locale Wine was started with: the driver's manifest gives it that code page.
  if (GetACP() != 1251) {
    LogLine("FAIL the driver runs with code page " + std::to_string(GetACP()) + ", not 1251");
    return 2;
  }

  std::vector<Step> steps;
  std::string error;
  if (!LoadScript(argv[next + 1], &steps, &error)) {
    LogLine("FAIL " + error);
    return 2;
  }
  bool passed = true;
  for (const Step& step : steps) {
    if (IsHarnessStep(step)) continue;
    const Command* command = FindCommand(step.words[0]);
    size_t args = step.words.size() - 1;
    if (!command) {
      error = "unknown command";
    } else if (args < command->minArgs || args > command->maxArgs) {
      error = "wrong number of arguments";
    } else if (command->run(driver, step, &error)) {
      LogLine("ok   " + Describe(step));
      continue;
    }
    LogLine("FAIL " + Describe(step) + ": " + error);
    std::string ignored;
    TakeScreenshot(driver, "failure", true, &ignored);
    if (driver.target.mainWindow && IsWindow(driver.target.mainWindow)) DumpControls(driver.target.mainWindow);
    passed = false;
    break;
  }
  if (passed && TargetRunning(&driver.target)) {
    LogLine("FAIL the program still runs at the end of the scenario");
    passed = false;
  }
  StopTarget(&driver.target);
  for (HANDLE file : driver.lockedFiles) CloseHandle(file);
  LogLine("@@peak-working-set " + std::to_string(driver.target.peakWorkingSet));
  return passed ? 0 : 1;
}
