// The whole program when its window cannot be opened: the child runs the program with the
// creation of every top-level window refused; it must end by itself with exit code 0
// instead of waiting for events that never come.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include "wizard/program.h"

namespace {

LRESULT CALLBACK RefuseTopLevelWindows(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND) {
    const CREATESTRUCTA* create = reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs;
    if (!(create->style & WS_CHILD)) return 1;
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

[[noreturn]] void RunChild() {
  SetWindowsHookExA(WH_CBT, RefuseTopLevelWindows, nullptr, GetCurrentThreadId());
  RunSetupProgram();
}

TEST(WindowFailure, TheProgramEndsWithExitCodeZeroWhenItsWindowCannotBeOpened) {
  char self[MAX_PATH];
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string command = "\"" + std::string(self) + "\" --child";
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  ASSERT_TRUE(CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                             &process));
  // Generous: a child that waits forever is what this case catches.
  bool ended = WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0;
  if (!ended) TerminateProcess(process.hProcess, 77);
  DWORD exitCode = 12345;
  GetExitCodeProcess(process.hProcess, &exitCode);
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  EXPECT_TRUE(ended) << "the program still waited with no window";
  EXPECT_EQ(0u, exitCode);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::string(argv[1]) == "--child") RunChild();
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
