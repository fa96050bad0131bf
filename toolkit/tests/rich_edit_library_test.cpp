// The rich-edit library of the text editor comes from the system folder, never from a
// library of the same name planted beside the program. Run with WINEDLLOVERRIDES set to
// prefer a native riched20.dll (the test's CTest entry does), the test starts this program
// again twice: once loading the library plainly, which must pick up the planted one (or the
// test could not fail), and once creating a text editor, which must not.
#include <gtest/gtest.h>
#include <windows.h>
#include <string.h>
#include <string>
#include "toolkit/gadget_kinds.h"
#include "toolkit/window.h"
#include "toolkit_libraries.h"

namespace {

const char PlainLoad[] = "--load-plainly";
const char EditorLoad[] = "--create-editor";

enum ChildResult : DWORD { EditorFromSystemFolder = 0, NoEditor = 2, EditorFromElsewhere = 3 };

std::string ProgramPath() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  return path;
}

std::string FolderOf(const std::string& path) { return path.substr(0, path.find_last_of('\\') + 1); }

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

DWORD RunChild(const char* mode) {
  std::string command = "\"" + ProgramPath() + "\" " + mode;
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return 0xFFFFFFFF;
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = 0xFFFFFFFF;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return code;
}

// Child: a text editor in a toolkit window, as the setup program makes it.
DWORD CreateEditorAndReport() {
  StartToolkitLibraries();
  WindowOpen(0, 0, 0, 200, 100, "editor", 0);
  if (!CreateTextEditor(1, 0, 0, 200, 100, 0)) return NoEditor;
  char loaded[MAX_PATH] = {}, system[MAX_PATH] = {};
  GetModuleFileNameA(GetModuleHandleA("riched20.dll"), loaded, MAX_PATH);
  UINT length = GetSystemDirectoryA(system, MAX_PATH);
  bool fromSystem = length && _strnicmp(loaded, system, length) == 0 && loaded[length] == '\\';
  return fromSystem ? EditorFromSystemFolder : EditorFromElsewhere;
}

class RichEditLibrary : public testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    marker = std::string(temp) + "brx-planted-riched20-" + std::to_string(GetCurrentProcessId());
    DeleteFileA(marker.c_str());
    SetEnvironmentVariableA("BRX_PLANTED_MARKER", marker.c_str());
  }
  void TearDown() override { DeleteFileA(marker.c_str()); }
  std::string marker;
};

TEST_F(RichEditLibrary, APlantedLibraryBesideTheProgramIsNeverLoaded) {
  ASSERT_TRUE(Exists(FolderOf(ProgramPath()) + "riched20.dll")) << "the planted library is missing";

  EXPECT_EQ(0u, RunChild(PlainLoad));
  ASSERT_TRUE(Exists(marker)) << "a plain load did not take the planted library: the test could not fail";
  DeleteFileA(marker.c_str());

  EXPECT_EQ(EditorFromSystemFolder, RunChild(EditorLoad));
  EXPECT_FALSE(Exists(marker)) << "the text editor loaded the planted library";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && strcmp(argv[1], PlainLoad) == 0) {
    LoadLibraryA("RICHED20.DLL");
    return 0;
  }
  if (argc > 1 && strcmp(argv[1], EditorLoad) == 0) return (int)CreateEditorAndReport();
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
