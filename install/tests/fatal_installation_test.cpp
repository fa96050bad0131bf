// Installations that cannot finish. Each runs in a child process of this program, which
// the fatal error ends; the parent answers the message box the way a user would and then
// looks at what the child left behind.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <string>
#include <vector>
#include "../../wizard/tests/wizard_driver.h"
#include "install_test_support.h"
#include "payload/payload.h"
#include "runtime/strings.h"
#include "toolkit/gadget.h"
#include "wizard/gadgets.h"
#include "wizard/program.h"

namespace {

const std::string Root = "C:\\brx-fatal\\";
const std::string Menu = Root + "menu\\";
const std::string Desktop = Root + "desktop\\";

// The child: the wizard walked to the ready page with a destination, then Install. A
// damaged row has one byte of its block changed first, as a damaged download would.
[[noreturn]] void RunChild(const std::string& destination, int damagedRow) {
  if (damagedRow >= 0) {
    const PayloadEntry& entry = PayloadTable[damagedRow];
    const_cast<uint8_t*>(entry.data)[entry.size / 2] ^= 0x10;  // the blocks lie in writable data
  }
  StartWizardProgram();
  StrAssign(&CommonProgramsPath, Menu.c_str());
  StrAssign(&CommonDesktopPath, Desktop.c_str());
  RebuildWizard();
  GoForwardTo(2);
  GadgetSetText(FldDestination, destination.c_str());
  GoForwardTo(5);
  Click(BtnInstall);
  ExitProcess(99);  // the installation returned: not what these cases expect
}

struct MessageSeen {
  std::string title, text;
};

struct Child {
  PROCESS_INFORMATION process = {};
  DWORD exitCode = 12345;
  MessageSeen message;
};

struct BoxSearch {
  DWORD processId;
  HWND box;
};

BOOL CALLBACK FindBox(HWND window, LPARAM data) {
  BoxSearch* search = reinterpret_cast<BoxSearch*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  char className[16] = {};
  GetClassNameA(window, className, sizeof className);
  if (owner == search->processId && lstrcmpA(className, "#32770") == 0 && IsWindowVisible(window)) {
    search->box = window;
    return FALSE;
  }
  return TRUE;
}

// Starts the child for a destination, answers its message box with OK and waits for it.
Child RunInstallationExpectingMessage(const std::string& destination, int damagedRow = -1) {
  Child child;
  char self[MAX_PATH];
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  // A backslash before the closing quote would escape it: double it.
  std::string quoted = destination + (!destination.empty() && destination.back() == '\\' ? "\\" : "");
  std::string command = "\"" + std::string(self) + "\" --child \"" + quoted + "\" " + std::to_string(damagedRow);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &child.process))
    return child;
  BoxSearch search = {child.process.dwProcessId, nullptr};
  for (int i = 0; i < 600 && !search.box; ++i) {
    if (WaitForSingleObject(child.process.hProcess, 50) == WAIT_OBJECT_0) break;
    EnumWindows(FindBox, (LPARAM)&search);
  }
  if (search.box) {
    char text[1024] = {};
    GetWindowTextA(search.box, text, sizeof text);
    child.message.title = text;
    GetDlgItemTextA(search.box, 0xFFFF, text, sizeof text);
    child.message.text = text;
    PostMessageA(search.box, WM_COMMAND, IDOK, 0);
  }
  WaitForSingleObject(child.process.hProcess, 30000);
  GetExitCodeProcess(child.process.hProcess, &child.exitCode);
  CloseHandle(child.process.hProcess);
  CloseHandle(child.process.hThread);
  return child;
}

const char* const RegistryKeysOfTheRun[] = {"Applications\\Brindlex.exe", ".sfr", ".hex", "sfr_auto_file",
                                            "hex_auto_file"};

void ForgetDocumentTypes() {
  for (const char* key : RegistryKeysOfTheRun) RegDeleteTreeA(HKEY_CLASSES_ROOT, key);
}

void ExpectNoDocumentTypes() {
  for (const char* key : RegistryKeysOfTheRun) {
    HKEY opened;
    EXPECT_NE(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CLASSES_ROOT, key, 0, KEY_READ, &opened)) << key;
  }
}

class FatalInstallation : public testing::Test {
 protected:
  void SetUp() override {
    MakeFreshFolders({Root, Menu, Desktop});
    ForgetDocumentTypes();
  }
  void ExpectNothingBeyondTheFiles() {
    EXPECT_TRUE(FolderNames(Menu.substr(0, Menu.size() - 1)).empty());
    EXPECT_TRUE(FolderNames(Desktop.substr(0, Desktop.size() - 1)).empty());
    ExpectNoDocumentTypes();
  }
};

TEST_F(FatalInstallation, AFileThatCannotBeReplacedStopsTheRunWithItsName) {
  std::string inst = Root + "locked\\";
  std::string assets = inst + "projects\\Vomar_6k_files\\";
  CreateDirectoryA(inst.c_str(), nullptr);
  CreateDirectoryA((inst + "projects").c_str(), nullptr);
  CreateDirectoryA(assets.c_str(), nullptr);
  // The fifth file is held open without sharing, so it can be neither opened nor replaced.
  HANDLE held = CreateFileA((assets + "Vomar6kplata00.gif").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, held);
  DWORD written;
  WriteFile(held, "old", 3, &written, nullptr);

  Child child = RunInstallationExpectingMessage(inst);
  CloseHandle(held);

  EXPECT_EQ(0u, child.exitCode);
  EXPECT_EQ("Фатальная ошибка!", child.message.title);
  EXPECT_EQ("Не удалось извлечь файл  Vomar6kplata00.gif\nДальнейшая работа невозможна!", child.message.text);
  for (int row = 0; row < 4; ++row) {
    const PayloadEntry& entry = PayloadTable[row];
    EXPECT_TRUE(ReadFileBytes(inst + PayloadSubfolder(entry) + entry.name) == PayloadBytes(entry)) << entry.name;
  }
  EXPECT_EQ("old", ReadFileBytes(assets + "Vomar6kplata00.gif"));
  for (int row = 5; row < PayloadCount; ++row) EXPECT_FALSE(FileExists(assets + PayloadTable[row].name));
  ExpectNothingBeyondTheFiles();
}

// A damaged block stops the run before its file is touched: a new file is not created,
// an old one is left as it was, and the files before it stay written.
TEST_F(FatalInstallation, ADamagedBlockStopsTheRunBeforeItsFileIsWritten) {
  struct Case {
    int row;
    const char* oldContent;  // a file of that name already there, or null
  };
  const Case cases[] = {{0, nullptr}, {0, "old program"}, {1, nullptr}, {10, "old picture"}};
  for (const Case& c : cases) {
    const PayloadEntry& damaged = PayloadTable[c.row];
    SCOPED_TRACE(std::string(damaged.name) + (c.oldContent ? " over an old file" : ""));
    std::string inst = Root + "damaged" + std::to_string(c.row) + (c.oldContent ? "-old\\" : "\\");
    std::string path = inst + PayloadSubfolder(damaged) + damaged.name;
    if (c.oldContent) {
      MakeFreshFolders({inst, inst + "projects\\", inst + "projects\\Vomar_6k_files\\"});
      HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
      DWORD written;
      WriteFile(file, c.oldContent, (DWORD)strlen(c.oldContent), &written, nullptr);
      CloseHandle(file);
    }

    Child child = RunInstallationExpectingMessage(inst, c.row);

    EXPECT_EQ(0u, child.exitCode);
    EXPECT_EQ("Фатальная ошибка!", child.message.title);
    EXPECT_EQ(std::string("Не удалось извлечь файл  ") + damaged.name + "\nДальнейшая работа невозможна!",
              child.message.text);
    if (c.oldContent) EXPECT_EQ(c.oldContent, ReadFileBytes(path));
    else EXPECT_FALSE(FileExists(path));
    for (int row = 0; row < c.row; ++row) {
      const PayloadEntry& entry = PayloadTable[row];
      EXPECT_TRUE(ReadFileBytes(inst + PayloadSubfolder(entry) + entry.name) == PayloadBytes(entry)) << entry.name;
    }
    for (int row = c.row + 1; row < PayloadCount; ++row)
      EXPECT_FALSE(FileExists(inst + PayloadSubfolder(PayloadTable[row]) + PayloadTable[row].name));
    ExpectNothingBeyondTheFiles();
  }
}

TEST_F(FatalInstallation, AFolderThatCannotBeCreatedStopsTheRun) {
  Child child = RunInstallationExpectingMessage("Q:\\Apps\\");  // no drive Q: in the test prefix
  EXPECT_EQ(0u, child.exitCode);
  EXPECT_EQ("Инсталлятор", child.message.title);
  EXPECT_EQ("Не удалось создать папку установки!\nДальнейшая работа невозможна!", child.message.text);
  ExpectNothingBeyondTheFiles();
}

// The sixth file's place holds a link to a device that takes no bytes (prepared by the
// script that runs this test): the file is created, but its bytes never reach the disk.
TEST_F(FatalInstallation, AFileNotWrittenWholeStopsTheRunLikeOneThatCannotBeCreated) {
  std::string inst = "C:\\brx-short-write\\";
  std::string full = inst + "projects\\Vomar_6k_files\\Vomar_6k_bat.gif";
  ASSERT_EQ(std::vector<std::string>{"Vomar_6k_bat.gif"}, FolderNames(inst + "projects\\Vomar_6k_files"))
      << "run this case through short_write_test.sh";
  Child child = RunInstallationExpectingMessage(inst);
  EXPECT_EQ(0u, child.exitCode);
  EXPECT_EQ("Фатальная ошибка!", child.message.title);
  EXPECT_EQ("Не удалось извлечь файл  Vomar_6k_bat.gif\nДальнейшая работа невозможна!", child.message.text);
  EXPECT_TRUE(ReadFileBytes(inst + "Brindlex.exe") == PayloadBytes(PayloadTable[0]));
  EXPECT_FALSE(FileExists(inst + "projects\\Vomar_6k_files\\Vomar_6k_bat.sfr"));
  ExpectNothingBeyondTheFiles();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::string(argv[1]) == "--child") RunChild(argv[2], atoi(argv[3]));
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
