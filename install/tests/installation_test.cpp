// Installation runs into folders of the test's own, with a progress that records what the
// run reported: complete runs with every choice of shortcuts, and runs that must stop.
#include <gtest/gtest.h>
#include <string.h>
#include <string>
#include <vector>
#include "install/installation.h"
#include "install_test_support.h"
#include "payload/payload.h"
#include "runtime/strings.h"

namespace {

const std::string Root = "C:\\brx-install-test\\";
const std::string Menu = Root + "menu\\";
const std::string Desktop = Root + "desktop\\";
const std::string Quick = Root + "quick\\";

const char StartMenuLine[] = "Создание ярлыков в меню «Пуск»";
const char LinksLine[] = "Создание ярлыков";
const char StoppedFileTitle[] = "Фатальная ошибка!";

ShortcutChoices Choices(bool startMenu, const char* name, bool desktop, bool quickLaunch,
                        const char* programs = Menu.c_str()) {
  return {startMenu, name, desktop, quickLaunch, programs, Desktop.c_str(), Quick.c_str()};
}

// The wizard's preset choices: a Start-menu folder "Brindlex" and the desktop link.
ShortcutChoices Preset() { return Choices(true, "Brindlex", true, false); }

struct Outcome {
  bool complete;
  std::string title, text;
  std::vector<std::string> calls;
};

Outcome Install(const std::string& destination, const ShortcutChoices& shortcuts = Preset()) {
  RecordingProgress progress;
  InstallResult result = RunInstallation({destination.c_str(), shortcuts}, progress);
  Outcome outcome = {!result.title, result.title ? result.title : "", result.text ? result.text : "",
                     progress.calls};
  StrFree(result.text);
  return outcome;
}

std::string Detail(const std::string& text) { return "detail " + text; }
std::string Extracting(const PayloadEntry& entry) { return Detail(std::string("Извлечение файла  ") + entry.name); }

// What a run reports up to and with the first file it would write.
std::vector<std::string> CallsBeforeTheFiles() {
  return {"phase Распаковка файлов...", Detail("Создание папок установки"), "position 1", "pause 100", "pause 100"};
}

// One step per file: a poll, the file's name, and once it is written the bar one further.
void AddFileSteps(std::vector<std::string>* calls, int written) {
  for (int row = 0; row < written; ++row)
    calls->insert(calls->end(), {"breathe", Extracting(PayloadTable[row]), "position " + std::to_string(row + 2)});
}

// A run that writes every file; the shortcut step's detail lines come between the files and
// the registration.
std::vector<std::string> CompleteRun(const std::vector<const char*>& shortcutDetails) {
  std::vector<std::string> calls = CallsBeforeTheFiles();
  AddFileSteps(&calls, PayloadCount);
  for (const char* detail : shortcutDetails) calls.push_back(Detail(detail));
  calls.insert(calls.end(), {"position 13", "position 14", "breathe", Detail("Регистрация программы"), "breathe",
                             "position 16"});
  return calls;
}

std::string PathOf(const std::string& installation, const PayloadEntry& entry) {
  return installation + PayloadSubfolder(entry) + entry.name;
}

void ExpectPayloadIn(const std::string& installation) {
  for (const PayloadEntry& entry : PayloadTable)
    EXPECT_TRUE(ReadFileBytes(PathOf(installation, entry)) == PayloadBytes(entry)) << entry.name;
}

std::vector<std::string> NamesIn(const std::string& folder) { return FolderNames(folder.substr(0, folder.size() - 1)); }

const char* const RegistryKeysOfTheRun[] = {"Applications\\Brindlex.exe", ".sfr", ".hex", "sfr_auto_file",
                                            "hex_auto_file"};

void ForgetDocumentTypes() {
  for (const char* key : RegistryKeysOfTheRun) RegDeleteTreeA(HKEY_CLASSES_ROOT, key);
}

class Installation : public testing::Test {
 protected:
  void SetUp() override { MakeFreshFolders({Root, Menu, Desktop, Quick}); }
};

TEST_F(Installation, PresetChoicesWriteTheTreeShortcutsAndDocumentTypes) {
  std::string inst = Root + "Program Files\\Brindlex\\";
  Outcome run = Install(inst);
  ASSERT_TRUE(run.complete);
  EXPECT_EQ(CompleteRun({StartMenuLine, LinksLine, LinksLine}), run.calls);

  // The tree: three folders, eleven files, every byte as embedded.
  EXPECT_EQ((std::vector<std::string>{"Brindlex.exe", "License.txt", "projects"}), NamesIn(inst));
  EXPECT_EQ(8u, NamesIn(inst + "projects\\Vomar_6k_files\\").size());
  ExpectPayloadIn(inst);
  std::string licence = ReadFileBytes(inst + "License.txt");
  EXPECT_EQ(764u, licence.size());
  EXPECT_EQ(std::string("\r\n\0", 3), licence.substr(licence.size() - 3));

  // Shortcuts: the Start-menu folder with the program and the licence, the desktop, no
  // Quick Launch.
  EXPECT_EQ((std::vector<std::string>{"Brindlex.lnk", "License.lnk"}), NamesIn(Menu + "Brindlex\\"));
  EXPECT_EQ((std::vector<std::string>{"Brindlex.lnk"}), NamesIn(Desktop));
  EXPECT_TRUE(NamesIn(Quick).empty());

  for (const std::string& path : {Menu + "Brindlex\\Brindlex.lnk", Desktop + "Brindlex.lnk"}) {
    LinkFields program = ReadLink(path);
    ASSERT_TRUE(program.loaded) << path;
    EXPECT_EQ(inst + "Brindlex.exe", program.target);
    EXPECT_EQ("", program.arguments);
    EXPECT_EQ(inst, program.workingFolder);
    EXPECT_EQ("Программатор микроконтроллеров", program.description);
    EXPECT_EQ(inst + "Brindlex.exe", program.iconFile);
    EXPECT_EQ(0, program.iconIndex);
    EXPECT_EQ(SW_SHOWNORMAL, program.showCommand);
    EXPECT_EQ(0, program.hotKey);
  }
  LinkFields licenceLink = ReadLink(Menu + "Brindlex\\License.lnk");
  ASSERT_TRUE(licenceLink.loaded);
  // The Windows folder's own editor, named with its folder, never one found on a search.
  char windows[MAX_PATH] = "";
  GetSystemWindowsDirectoryA(windows, MAX_PATH);
  EXPECT_EQ(0, lstrcmpiA((std::string(windows) + "\\NOTEPAD.EXE").c_str(), licenceLink.target.c_str()))
      << licenceLink.target;
  EXPECT_EQ(inst + "License.txt", licenceLink.arguments);  // bare, although it has a blank
  EXPECT_EQ(inst, licenceLink.workingFolder);
  EXPECT_EQ("Лицензионное соглашение", licenceLink.description);
  EXPECT_EQ("", licenceLink.iconFile);
  EXPECT_EQ(0, licenceLink.iconIndex);

  // Document types, in the layout of the NT family.
  std::string program = inst + "Brindlex.exe";
  EXPECT_EQ("\"" + program + "\" \"%1\"",
            RegistryText(HKEY_CLASSES_ROOT, "Applications\\Brindlex.exe\\shell\\open\\command"));
  for (std::string ext : {"sfr", "hex"}) {
    EXPECT_EQ(ext + "_auto_file", RegistryText(HKEY_CLASSES_ROOT, "." + ext));
    EXPECT_EQ("Brindlex", RegistryText(HKEY_CLASSES_ROOT, ext + "_auto_file"));
    EXPECT_EQ(program, RegistryText(HKEY_CLASSES_ROOT, ext + "_auto_file\\DefaultIcon"));
    EXPECT_EQ("Brindlex.exe",
              RegistryText(HKEY_CURRENT_USER,
                           "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\." + ext, "Application"));
  }
}

// Whatever the choices, the shortcut step names itself first and counts as two positions;
// each link made is announced on the detail line.
TEST_F(Installation, EachChoiceOfShortcutsMakesExactlyItsLinks) {
  struct Case {
    const char* what;
    ShortcutChoices choices;
    std::vector<const char*> details;
    const char* menuFolder;  // where the two Start-menu links land, below Menu; null: none
    bool desktop, quickLaunch;
  };
  const Case cases[] = {
      {"no Start-menu folder, desktop ticked", Choices(false, "Brindlex", true, false), {StartMenuLine, LinksLine},
       nullptr, true, false},
      {"nested folder, Quick Launch without desktop", Choices(true, "Tools\\Brindlex", false, true),
       {StartMenuLine, LinksLine, LinksLine}, "Tools\\Brindlex\\", false, true},
      {"folder name with its backslash", Choices(true, "Brindlex\\", false, false), {StartMenuLine, LinksLine},
       "Brindlex\\", false, false},
      {"nothing chosen", Choices(false, "Brindlex", false, false), {StartMenuLine}, nullptr, false, false},
      {"every link", Choices(true, "Brindlex", true, true), {StartMenuLine, LinksLine, LinksLine, LinksLine},
       "Brindlex\\", true, true},
      // A Programs folder on a drive that is not there: its links are skipped silently.
      {"Start-menu folder that cannot be made", Choices(true, "Brindlex", true, false, "Q:\\menu\\"),
       {StartMenuLine, LinksLine}, nullptr, true, false},
  };
  int number = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    for (const std::string& folder : {Menu, Desktop, Quick}) MakeFreshFolders({folder});
    std::string inst = Root + "links" + std::to_string(++number) + "\\";
    Outcome run = Install(inst, c.choices);
    ASSERT_TRUE(run.complete);
    EXPECT_EQ(CompleteRun(c.details), run.calls);

    if (c.menuFolder) {
      EXPECT_EQ((std::vector<std::string>{"Brindlex.lnk", "License.lnk"}), NamesIn(Menu + c.menuFolder));
    } else {
      EXPECT_TRUE(NamesIn(Menu).empty());
    }
    EXPECT_EQ(c.desktop ? std::vector<std::string>{"Brindlex.lnk"} : std::vector<std::string>{}, NamesIn(Desktop));
    EXPECT_EQ(c.quickLaunch ? std::vector<std::string>{"Brindlex.lnk"} : std::vector<std::string>{}, NamesIn(Quick));
    if (c.quickLaunch) {
      EXPECT_EQ(inst + "Brindlex.exe", ReadLink(Quick + "Brindlex.lnk").target);
    }
  }
}

TEST_F(Installation, DestinationWithoutBackslashGetsOneAndExistingFilesAreReplaced) {
  std::string inst = Root + "Apps";
  CreateDirectoryA(inst.c_str(), nullptr);
  HANDLE old = CreateFileA((inst + "\\Brindlex.exe").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written;
  std::string junk(1000000, 'x');  // longer than the new file: it must not survive past its end
  WriteFile(old, junk.data(), (DWORD)junk.size(), &written, nullptr);
  CloseHandle(old);
  ASSERT_TRUE(Install(inst).complete);
  ExpectPayloadIn(inst + "\\");
  EXPECT_EQ("\"" + inst + "\\Brindlex.exe\" \"%1\"",
            RegistryText(HKEY_CLASSES_ROOT, "Applications\\Brindlex.exe\\shell\\open\\command"));
}

TEST_F(Installation, EmptyDestinationInstallsUnderTheRootOfTheCurrentDrive) {
  char previous[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, previous);
  ASSERT_TRUE(SetCurrentDirectoryA(Root.c_str()));  // on drive C:
  bool complete = Install("").complete;
  SetCurrentDirectoryA(previous);
  EXPECT_TRUE(complete);
  ExpectPayloadIn("C:\\");
  DeleteFileA("C:\\Brindlex.exe");
  DeleteFileA("C:\\License.txt");
  RemoveTree("C:\\projects");
}

// Runs that stop: the message comes back to the caller, the run reports nothing after the
// failing step, and nothing is made after it or undone before it.
class StoppedInstallation : public Installation {
 protected:
  void SetUp() override {
    Installation::SetUp();
    ForgetDocumentTypes();
  }

  void ExpectNothingBeyondTheFiles() {
    EXPECT_TRUE(NamesIn(Menu).empty());
    EXPECT_TRUE(NamesIn(Desktop).empty());
    for (const char* key : RegistryKeysOfTheRun) {
      HKEY opened;
      EXPECT_NE(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CLASSES_ROOT, key, 0, KEY_READ, &opened)) << key;
    }
  }

  // The run stopped on payload row `row`: the rows before it are written, none after it.
  void ExpectStoppedAt(const Outcome& run, const std::string& inst, int row) {
    const PayloadEntry& failed = PayloadTable[row];
    EXPECT_FALSE(run.complete);
    EXPECT_EQ(StoppedFileTitle, run.title);
    EXPECT_EQ(std::string("Не удалось извлечь файл  ") + failed.name + "\nДальнейшая работа невозможна!", run.text);
    std::vector<std::string> calls = CallsBeforeTheFiles();
    AddFileSteps(&calls, row);
    calls.insert(calls.end(), {"breathe", Extracting(failed)});
    EXPECT_EQ(calls, run.calls);
    for (int before = 0; before < row; ++before)
      EXPECT_TRUE(ReadFileBytes(PathOf(inst, PayloadTable[before])) == PayloadBytes(PayloadTable[before]));
    for (int after = row + 1; after < PayloadCount; ++after)
      EXPECT_FALSE(FileExists(PathOf(inst, PayloadTable[after]))) << PayloadTable[after].name;
    ExpectNothingBeyondTheFiles();
  }
};

void WriteFileText(const std::string& path, const char* text) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written;
  WriteFile(file, text, (DWORD)strlen(text), &written, nullptr);
  CloseHandle(file);
}

// Changes one byte of a payload block, as a damaged download would, and back again.
void FlipByteOf(const PayloadEntry& entry) {
  uint8_t* byte = const_cast<uint8_t*>(entry.data) + entry.size / 2;
  DWORD protection;
  VirtualProtect(byte, 1, PAGE_EXECUTE_READWRITE, &protection);
  *byte ^= 0x10;
  VirtualProtect(byte, 1, protection, &protection);
}

// A file that cannot be replaced (held open without sharing) or a damaged block stops the
// run before that file is touched: a new file is not created, an old one is left as it was.
TEST_F(StoppedInstallation, AFileThatCannotBeWrittenStopsTheRunWithItsName) {
  enum Fault { Locked, Damaged };
  struct Case {
    int row;
    Fault fault;
    const char* oldContent;  // a file of that name already there, or null
  };
  const Case cases[] = {{4, Locked, "in the way"}, {0, Damaged, nullptr}, {0, Damaged, "old program"},
                        {1, Damaged, nullptr},      {10, Damaged, "old picture"}};
  int number = 0;
  for (const Case& c : cases) {
    const PayloadEntry& failing = PayloadTable[c.row];
    SCOPED_TRACE(std::string(failing.name) + (c.fault == Locked ? " locked" : " damaged") +
                 (c.oldContent ? " over an old file" : ""));
    std::string inst = Root + "stopped" + std::to_string(++number) + "\\";
    std::string path = PathOf(inst, failing);
    if (c.oldContent) {
      MakeFreshFolders({inst, inst + "projects\\", inst + "projects\\Vomar_6k_files\\"});
      WriteFileText(path, c.oldContent);
    }
    HANDLE held = INVALID_HANDLE_VALUE;
    if (c.fault == Locked) held = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (c.fault == Damaged) FlipByteOf(failing);

    Outcome run = Install(inst);

    if (c.fault == Damaged) FlipByteOf(failing);
    if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
    ExpectStoppedAt(run, inst, c.row);
    if (c.oldContent) EXPECT_EQ(c.oldContent, ReadFileBytes(path));
    else EXPECT_FALSE(FileExists(path));
  }
}

TEST_F(StoppedInstallation, AFolderThatCannotBeCreatedStopsTheRunBeforeAnyFile) {
  Outcome run = Install("Q:\\Apps\\");  // no drive Q: in the test prefix
  EXPECT_FALSE(run.complete);
  EXPECT_EQ("Инсталлятор", run.title);
  EXPECT_EQ("Не удалось создать папку установки!\nДальнейшая работа невозможна!", run.text);
  EXPECT_EQ((std::vector<std::string>{"phase Распаковка файлов...", Detail("Создание папок установки")}), run.calls);
  ExpectNothingBeyondTheFiles();
}

// The sixth file's place holds a link to a device that takes no bytes (prepared by the
// script that runs these tests): the file is created, but its bytes never reach the disk.
TEST_F(StoppedInstallation, AFileNotWrittenWholeStopsTheRunLikeOneThatCannotBeCreated) {
  std::string inst = "C:\\brx-short-write\\";
  const int row = 5;
  ASSERT_EQ(std::vector<std::string>{PayloadTable[row].name}, NamesIn(inst + PayloadSubfolder(PayloadTable[row])))
      << "run this case through run_install_tests.sh";
  ExpectStoppedAt(Install(inst), inst, row);
}

}  // namespace
