// Browse on the destination page, answered from a helper thread, and Next on a typed
// destination, on the drives that the test script sets up: D: a CD-ROM, E: a network drive,
// F: a drive without free space, G: a fixed disk with a folder Apps.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>
#include <string.h>
#include <string>
#include "dialog_answerer.h"
#include "payload/product_version.h"
#include "runtime/strings.h"
#include "shell/drives.h"
#include "toolkit/gadget.h"
#include "toolkit/requesters.h"
#include "wizard/gadgets.h"
#include "wizard/program.h"
#include "wizard_driver.h"

namespace {

const char Instruction[] = "Укажите папку, в которую следует установить " BRX_PRODUCT_TITLE;
const char ErrorTitle[] = "Инсталлятор";
const char RefusedDrive[] = "На этот диск невозможно установить программу!";
const char FullDrive[] = "На диске недостаточно свободного места!";
const char BadDestination[] =
    "Папка установки указана неверно!\nУкажите полный путь к папке с буквой диска, например C:\\Brindlex\\";

// Answers the folder browser that shows instruction: selects path unless it is null, then
// presses button.
struct BrowserAnswer : DialogAnswerer {
  BrowserAnswer(const char* path, int button, const char* instruction = Instruction)
      : DialogAnswerer(
            nullptr,
            [path, button](HWND browser) {
              if (path) SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, (LPARAM)path);
              PressDialogButton(browser, button);
            },
            [instruction](HWND dialog) { return FindDescendantWithText(dialog, instruction) != nullptr; }) {}
};

// The same, selecting a folder by its UTF-16 path.
struct WideBrowserAnswer : DialogAnswerer {
  WideBrowserAnswer(const wchar_t* path, const char* instruction)
      : DialogAnswerer(
            nullptr,
            [path](HWND browser) {
              SendMessageW(browser, BFFM_SETSELECTIONW, TRUE, (LPARAM)path);
              PressDialogButton(browser, IDOK);
            },
            [instruction](HWND dialog) { return FindDescendantWithText(dialog, instruction) != nullptr; }) {}
};

std::string FreeSpaceLine(const char* drive) {
  return "Доступно на диске  " + std::to_string(DriveFreeMegabytes(drive)) + " Мб";
}

// The free-space line of a drive that other programs may be writing to meanwhile.
void ExpectFreeSpaceLineOf(const char* drive) {
  std::string line = Text(TxtFreeSpace), expected = FreeSpaceLine(drive);
  const size_t prefix = strlen("Доступно на диске  ");
  ASSERT_EQ(expected.substr(0, prefix), line.substr(0, prefix));
  EXPECT_NEAR(std::stoi(expected.substr(prefix)), std::stoi(line.substr(prefix)), 200) << line;
  EXPECT_EQ(" Мб", line.substr(line.size() - 3));
}

class Browse : public testing::Test {
 protected:
  void SetUp() override {
    RebuildWizard();
    GoForwardTo(2);
    GadgetSetText(FldDestination, "X:\\Before\\");
    GadgetSetText(TxtFreeSpace, "before");
  }
  void ExpectUnchanged() {
    EXPECT_EQ("X:\\Before\\", Text(FldDestination));
    EXPECT_EQ("before", Text(TxtFreeSpace));
  }
};

TEST_F(Browse, TheTestDrivesAreWhatTheScriptMadeThem) {
  EXPECT_EQ(DRIVE_CDROM, PathDriveType("D:"));
  EXPECT_EQ(DRIVE_REMOTE, PathDriveType("E:"));
  EXPECT_EQ(0, DriveFreeMegabytes("F:"));
  EXPECT_EQ(DRIVE_FIXED, PathDriveType("G:"));
  EXPECT_GT(DriveFreeMegabytes("G:"), 0);
}

TEST_F(Browse, OkOnThePreselectedFolderTakesTheProgramFilesFolder) {
  BrowserAnswer ok(nullptr, IDOK);
  Click(BtnBrowse);
  ASSERT_TRUE(ok.Finish().seen);
  EXPECT_EQ(std::string(ProgramFilesPath) + "Brindlex\\", Text(FldDestination));
  ExpectFreeSpaceLineOf("C:");
  EXPECT_EQ(2, CurrentPage);
}

TEST_F(Browse, ADriveRootOrAFolderGetsTheProductFolderAppended) {
  const struct { const char* chosen; const char* destination; } cases[] = {
      {"G:\\", "G:\\Brindlex\\"},
      {"G:\\Apps", "G:\\Apps\\Brindlex\\"},
  };
  for (const auto& c : cases) {
    BrowserAnswer ok(c.chosen, IDOK);
    Click(BtnBrowse);
    ASSERT_TRUE(ok.Finish().seen) << c.chosen;
    EXPECT_EQ(c.destination, Text(FldDestination));
    ExpectFreeSpaceLineOf("G:");
  }
}

TEST_F(Browse, TheBrowserAlwaysOpensAtTheProgramFilesFolder) {
  {
    BrowserAnswer ok("G:\\Apps", IDOK);
    Click(BtnBrowse);
    ASSERT_TRUE(ok.Finish().seen);
  }
  BrowserAnswer ok(nullptr, IDOK);
  Click(BtnBrowse);
  ASSERT_TRUE(ok.Finish().seen);
  EXPECT_EQ(std::string(ProgramFilesPath) + "Brindlex\\", Text(FldDestination));
}

TEST_F(Browse, CancelChangesNothing) {
  BrowserAnswer cancel("G:\\", IDCANCEL);
  MessageBoxAnswer noMessage(ErrorTitle, IDOK);
  Click(BtnBrowse);
  EXPECT_TRUE(cancel.Finish().seen);
  EXPECT_FALSE(noMessage.Finish().seen);
  ExpectUnchanged();
}

TEST_F(Browse, DrivesThatCannotHoldTheProgramAreRefused) {
  const struct { const char* chosen; const char* message; } cases[] = {
      {"D:\\", RefusedDrive},  // CD-ROM
      {"E:\\", RefusedDrive},  // network
      {"F:\\", FullDrive},     // no free megabyte
  };
  for (const auto& c : cases) {
    BrowserAnswer ok(c.chosen, IDOK);
    MessageBoxAnswer message(ErrorTitle, IDOK);
    Click(BtnBrowse);
    EXPECT_TRUE(ok.Finish().seen) << c.chosen;
    SeenDialog seen = message.Finish();
    ASSERT_TRUE(seen.seen) << c.chosen;
    EXPECT_EQ(c.message, seen.text) << c.chosen;
    ExpectUnchanged();
  }
}

// A typed destination gets Browse's checks on Next, after the names and the root: the same
// messages, and the page stays with the text as typed and the free-space line as it was.
// A drive that is not there is refused as a drive.
TEST_F(Browse, ATypedDestinationIsCheckedLikeAChosenOne) {
  const struct {
    const char* typed;
    const char* message;  // null: taken, the Start-menu page follows
  } cases[] = {
      {"D:\\Brindlex\\", RefusedDrive},  // CD-ROM
      {"E:\\Brindlex\\", RefusedDrive},  // network
      {"Q:\\Brindlex\\", RefusedDrive},  // not there
      {"F:\\Brindlex\\", FullDrive},
      {"G:\\", BadDestination},           // a root, on a drive that would take it
      {"Q:\\", BadDestination},           // the root's refusal comes before the drive's
      {"D:\\Brind*lex\\", BadDestination},
      {"G:\\Apps\\Brindlex\\", nullptr},
      {"g:\\Brindlex", nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    RebuildWizard();
    GoForwardTo(2);
    GadgetSetText(FldDestination, c.typed);
    GadgetSetText(TxtFreeSpace, "before");
    MessageBoxAnswer message(ErrorTitle, IDOK);
    Click(BtnNext);
    SeenDialog seen = message.Finish();
    EXPECT_EQ(c.message != nullptr, seen.seen);
    if (c.message) {
      EXPECT_EQ(c.message, seen.text);
    }
    EXPECT_EQ(c.message ? 2 : 3, CurrentPage);
    EXPECT_EQ(c.typed, Text(FldDestination));
    EXPECT_EQ("before", Text(TxtFreeSpace));
  }
}

// The initial folder is cut to 259 characters; a chosen folder of that length comes back
// with its backslash, 260 characters.
TEST(ChooseFolder, ALongInitialPathIsCutAndAFullLengthResultKeepsItsBackslash) {
  std::string deep = "G:\\long\\" + std::string(200, 'a') + "\\" + std::string(50, 'b');
  ASSERT_EQ(259u, deep.size());
  // Made through the wide verbatim form: the ANSI calls stop at MAX_PATH characters.
  for (const std::string& folder : {std::string("G:\\long"), deep.substr(0, deep.rfind('\\')), deep}) {
    std::wstring wide = L"\\\\?\\" + std::wstring(folder.begin(), folder.end());
    ASSERT_TRUE(CreateDirectoryW(wide.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS) << folder;
  }
  std::string initial = deep + std::string(41, 'q');  // 300 characters

  BrowserAnswer ok(nullptr, IDOK, "choose");
  ScratchText chosen;
  ChooseFolder("choose", initial.c_str(), chosen.Start());
  ASSERT_TRUE(ok.Finish().seen);
  EXPECT_EQ(deep + "\\", chosen.Get());
}

TEST(ChooseFolder, TheInitialFoldersBackslashIsDroppedExceptAtADriveRoot) {
  const struct { const char* initial; const char* chosen; } cases[] = {
      {"G:\\Apps\\", "G:\\Apps\\"},
      {"G:\\", "G:\\"},
  };
  for (const auto& c : cases) {
    BrowserAnswer ok(nullptr, IDOK, "choose");
    ScratchText chosen;
    ChooseFolder("choose", c.initial, chosen.Start());
    ASSERT_TRUE(ok.Finish().seen);
    EXPECT_EQ(c.chosen, std::string(chosen.Get()));
  }
}

// A folder whose path the process's code page (Windows-1251 here) cannot hold exactly is
// no choice: its ANSI path would name a look-alike folder, G:\Jurgen for G:\Jürgen.
TEST(ChooseFolder, AFolderTheCodePageCannotHoldIsNoChoice) {
  const struct {
    const wchar_t* folder;
    const char* chosen;
  } cases[] = {
      {L"G:\\Программы «Пуск»", "G:\\Программы «Пуск»\\"},
      {L"G:\\Jurgen", "G:\\Jurgen\\"},  // there, so that a look-alike would be found
      {L"G:\\Jürgen", ""},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(CreateDirectoryW(c.folder, nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
    WideBrowserAnswer ok(c.folder, "choose");
    ScratchText chosen;
    ChooseFolder("choose", "G:\\", chosen.Start());
    ASSERT_TRUE(ok.Finish().seen);
    EXPECT_EQ(c.chosen, std::string(chosen.Get()));
  }
}

TEST(ChooseFolder, CancelGivesTheEmptyText) {
  BrowserAnswer cancel(nullptr, IDCANCEL, "choose");
  ScratchText chosen;
  ChooseFolder("choose", "G:\\", chosen.Start());
  ASSERT_TRUE(cancel.Finish().seen);
  EXPECT_EQ("", std::string(chosen.Get()));
  EXPECT_EQ(chosen.Start(), ScratchMark());
}

}  // namespace
