// Installation runs into folders of the test's own, with a progress that records what the
// run reported: complete runs with every choice of shortcuts, and runs that must stop.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <string.h>
#include <string>
#include <vector>
#include "install/installation.h"
#include "install_test_support.h"
#include "payload/payload.h"
#include "payload/tests/damaged_byte.h"
#include "runtime/strings.h"
#include "shell/install_folders.h"

namespace {

const std::string Root = "C:\\brx-install-test\\";
const std::string Menu = Root + "menu\\";
const std::string Desktop = Root + "desktop\\";
const std::string Quick = Root + "quick\\";
// Where the run is told the Program Files folder is.
const std::string ProgramFiles = Root + "Program Files\\";

std::string WindowsFolder() {
  char windows[MAX_PATH] = "";
  GetSystemWindowsDirectoryA(windows, MAX_PATH);
  return std::string(windows) + "\\";
}
const std::string Windows = WindowsFolder();

const char StartMenuLine[] = "Создание ярлыков в меню «Пуск»";
const char LinksLine[] = "Создание ярлыков";

ShortcutChoices Choices(bool startMenu, const char* name, bool desktop, bool quickLaunch,
                        const char* programs = Menu.c_str(), const char* windows = Windows.c_str()) {
  return {startMenu, name, desktop, quickLaunch, programs, Desktop.c_str(), Quick.c_str(), windows, Root.c_str()};
}

// The wizard's preset choices: a Start-menu folder "Brindlex" and the desktop link.
ShortcutChoices Preset() { return Choices(true, "Brindlex", true, false); }

struct Outcome {
  bool complete;
  InstallFailure failure;
  std::string file;
  std::vector<std::string> calls;
};

Outcome Install(const std::string& destination, const ShortcutChoices& shortcuts = Preset()) {
  RecordingProgress progress;
  InstallResult result = RunInstallation({destination.c_str(), shortcuts, ProgramFiles.c_str()}, progress);
  return {result.failure == InstallComplete, result.failure, result.file ? result.file : "", progress.calls};
}

std::string Detail(const std::string& text) { return "detail " + text; }
std::string Extracting(const PayloadEntry& entry) { return Detail(std::string("Извлечение файла  ") + entry.name); }

// What a run reports up to and with the first file it would write.
std::vector<std::string> CallsBeforeTheFiles() {
  return {"phase Распаковка файлов...", Detail("Создание папок установки"), "position 1", "pause 100", "pause 100"};
}

std::string Position(int position) { return "position " + std::to_string(position); }

// One step per file: a poll, the file's name, and once it is written the bar one further.
void AddFileSteps(std::vector<std::string>* calls, int written) {
  for (int row = 0; row < written; ++row)
    calls->insert(calls->end(), {"breathe", Extracting(PayloadTable[row]), Position(row + 2)});
}

// A run that writes every file; the shortcut step's detail lines come between the files and
// the registration.
std::vector<std::string> CompleteRun(const std::vector<const char*>& shortcutDetails) {
  std::vector<std::string> calls = CallsBeforeTheFiles();
  AddFileSteps(&calls, PayloadCount);
  for (const char* detail : shortcutDetails) calls.push_back(Detail(detail));
  // The shortcuts take two positions after the files, and the registration ends the bar
  // two further on.
  calls.insert(calls.end(), {Position(PayloadCount + 2), Position(PayloadCount + 3), "breathe",
                             Detail("Регистрация программы"), "breathe", Position(PayloadCount + 5)});
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
  std::string inst = ProgramFiles + "Brindlex\\";
  Outcome run = Install(inst);
  ASSERT_TRUE(run.complete);
  EXPECT_EQ(CompleteRun({StartMenuLine, LinksLine, LinksLine}), run.calls);

  // The tree: three folders, eleven files, every byte as embedded.
  EXPECT_EQ((std::vector<std::string>{"Brindlex.exe", "License.txt", "projects"}), NamesIn(inst));
  EXPECT_EQ(8u, NamesIn(inst + "projects\\Vomar_6k_files\\").size());
  ExpectPayloadIn(inst);
  std::string licence = ReadFileBytes(inst + "License.txt");
  // The text the licence page shows, and its zero byte.
  EXPECT_EQ(std::string(LicenceText().text, LicenceText().length) + '\0', licence);

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
  EXPECT_EQ(0, lstrcmpiA((Windows + "NOTEPAD.EXE").c_str(), licenceLink.target.c_str()))
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
    const char* menuFolder;  // where the Start-menu links land, below Menu; null: none
    std::vector<std::string> menuLinks;
    bool desktop, quickLaunch;
  };
  const std::vector<std::string> bothLinks = {"Brindlex.lnk", "License.lnk"};
  const Case cases[] = {
      {"no Start-menu folder, desktop ticked", Choices(false, "Brindlex", true, false), {StartMenuLine, LinksLine},
       nullptr, {}, true, false},
      {"nested folder, Quick Launch without desktop", Choices(true, "Tools\\Brindlex", false, true),
       {StartMenuLine, LinksLine, LinksLine}, "Tools\\Brindlex\\", bothLinks, false, true},
      {"folder name with its backslash", Choices(true, "Brindlex\\", false, false), {StartMenuLine, LinksLine},
       "Brindlex\\", bothLinks, false, false},
      {"nothing chosen", Choices(false, "Brindlex", false, false), {StartMenuLine}, nullptr, {}, false, false},
      {"every link", Choices(true, "Brindlex", true, true), {StartMenuLine, LinksLine, LinksLine, LinksLine},
       "Brindlex\\", bothLinks, true, true},
      // A Programs folder on a drive that is not there: its links are skipped silently.
      {"Start-menu folder that cannot be made", Choices(true, "Brindlex", true, false, "Q:\\menu\\"),
       {StartMenuLine, LinksLine}, nullptr, {}, true, false},
      // Without the Windows folder the licence's editor cannot be named: no licence link.
      {"no Windows folder", Choices(true, "Brindlex", true, false, Menu.c_str(), ""),
       {StartMenuLine, LinksLine, LinksLine}, "Brindlex\\", {"Brindlex.lnk"}, true, false},
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
      EXPECT_EQ(c.menuLinks, NamesIn(Menu + c.menuFolder));
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

TEST_F(Installation, ExistingFilesAreReplaced) {
  std::string inst = Root + "Apps\\";
  CreateDirectoryA(inst.c_str(), nullptr);
  HANDLE old = CreateFileA((inst + "Brindlex.exe").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written;
  std::string junk(1000000, 'x');  // longer than the new file: it must not survive past its end
  WriteFile(old, junk.data(), (DWORD)junk.size(), &written, nullptr);
  CloseHandle(old);
  ASSERT_TRUE(Install(inst).complete);
  ExpectPayloadIn(inst);
  EXPECT_EQ("\"" + inst + "Brindlex.exe\" \"%1\"",
            RegistryText(HKEY_CLASSES_ROOT, "Applications\\Brindlex.exe\\shell\\open\\command"));
}

TEST_F(Installation, DestinationWithoutDriveInstallsUnderTheRootOfTheCurrentDrive) {
  char previous[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, previous);
  ASSERT_TRUE(SetCurrentDirectoryA(Root.c_str()));  // on drive C:
  bool complete = Install("\\").complete;
  SetCurrentDirectoryA(previous);
  EXPECT_TRUE(complete);
  ExpectPayloadIn("C:\\");
  DeleteFileA("C:\\Brindlex.exe");
  DeleteFileA("C:\\License.txt");
  RemoveTree("C:\\projects");
}

// Runs that stop: what failed comes back to the caller, the run reports nothing after the
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
    EXPECT_EQ(FileNotWritten, run.failure);
    EXPECT_EQ(failed.name, run.file);
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

// A file that cannot be replaced (held open without sharing) stops the run before that file
// is touched: the old file is left as it was.
TEST_F(StoppedInstallation, AFileThatCannotBeWrittenStopsTheRunWithItsName) {
  const int row = 4;
  const PayloadEntry& failing = PayloadTable[row];
  std::string inst = Root + "locked\\";
  std::string path = PathOf(inst, failing);
  MakeFreshFolders({inst, inst + "projects\\", inst + "projects\\Vomar_6k_files\\"});
  WriteFileText(path, "in the way");
  HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  Outcome run = Install(inst);
  CloseHandle(held);
  ExpectStoppedAt(run, inst, row);
  EXPECT_EQ("in the way", ReadFileBytes(path));
}

// A damaged block, installed or only shown, stops the run before anything is made: no
// folder, no file (an old one stays as it was), no shortcut, no document type. The run
// names the first damaged block in extraction order.
TEST_F(StoppedInstallation, ADamagedCopyWritesNothing) {
  struct Case {
    const void* damaged;
    const char* named;
    int oldRow;  // a file already in that row's place, or -1
  };
  // A byte in the middle of a payload file, whatever the payload's sizes.
  auto inside = [](int row) { return PayloadTable[row].data + PayloadTable[row].size / 2; };
  const int last = PayloadCount - 1;
  const Case cases[] = {
      {inside(0), PayloadTable[0].name, -1},
      {inside(0), PayloadTable[0].name, 0},
      {inside(1), PayloadTable[1].name, -1},
      {inside(4), PayloadTable[4].name, 4},
      {inside(last), PayloadTable[last].name, last},
      {WelcomeText().text + 100, "welcome.txt", 0},
      {EmbeddedPicture(0).data + 100, "picture0.png", -1},
  };
  int number = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.named) + (c.oldRow >= 0 ? " over an old installation" : ""));
    std::string inst = Root + "damaged" + std::to_string(++number) + "\\";
    std::string old;
    if (c.oldRow >= 0) {
      MakeFreshFolders({inst, inst + "projects\\", inst + "projects\\Vomar_6k_files\\"});
      old = PathOf(inst, PayloadTable[c.oldRow]);
      WriteFileText(old, "old file");
    }
    Outcome run;
    {
      DamagedByte damage(c.damaged);
      run = Install(inst);
    }

    EXPECT_FALSE(run.complete);
    EXPECT_EQ(FileNotWritten, run.failure);
    EXPECT_EQ(c.named, run.file);
    EXPECT_EQ(std::vector<std::string>{"phase Распаковка файлов..."}, run.calls);
    if (c.oldRow >= 0) {
      EXPECT_EQ("old file", ReadFileBytes(old));
      for (int row = 0; row < PayloadCount; ++row) {
        if (row == c.oldRow) continue;
        EXPECT_FALSE(FileExists(PathOf(inst, PayloadTable[row]))) << PayloadTable[row].name;
      }
    } else {
      EXPECT_FALSE(FolderExists(inst));
    }
    ExpectNothingBeyondTheFiles();
  }
}

// Links on the destination's path are never followed: the script that runs these tests
// makes a destination, the parent of one, the "projects" folder of one and the
// "Vomar_6k_files" folder of another links to a folder elsewhere. The run stops on the
// folder before any file, and the folder the link leads to stays empty.
TEST_F(StoppedInstallation, AFolderLinkOnTheDestinationsPathStopsTheRun) {
  const std::string elsewhere = "C:\\brx-link-target\\";
  for (const char* inst : {"C:\\brx-linked-destination\\", "C:\\brx-linked-parent\\Brindlex\\",
                           "C:\\brx-linked-projects\\", "C:\\brx-linked-files\\"}) {
    SCOPED_TRACE(inst);
    ASSERT_TRUE(FolderExists(elsewhere)) << "run this case through run_install_tests.sh";
    Outcome run = Install(inst);
    EXPECT_FALSE(run.complete);
    EXPECT_EQ(FolderNotMade, run.failure);
    EXPECT_EQ((std::vector<std::string>{"phase Распаковка файлов...", Detail("Создание папок установки")}),
              run.calls);
    EXPECT_TRUE(NamesIn(elsewhere).empty());
    EXPECT_FALSE(FileExists(std::string(inst) + "Brindlex.exe"));
    ExpectNothingBeyondTheFiles();
  }
}

// A Unix shell command run from inside Wine, which starts Unix programs too but does not
// wait for them: until asks whether the command has done its work.
template <typename Done>
bool RunUnixShell(const std::string& command, Done until) {
  std::string line = "Z:\\bin\\sh -c \"" + command + "\"";
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return false;
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  for (int tries = 0; tries < 1000; ++tries, Sleep(10))
    if (until()) return true;
  return false;
}

// Between the folders and the first file the destination's "projects" folder is put aside
// and a link to a folder elsewhere made in its place (only the Unix side can make a link
// that Wine shows; the script that runs these tests names the C: drive's Unix path): the
// path is asked again before the first file, and the run stops with nothing written.
TEST_F(StoppedInstallation, ALinkMadeAfterTheFoldersStopsTheRunBeforeTheFirstFile) {
  const char* drive = getenv("BRX_UNIX_DRIVE_C");
  ASSERT_TRUE(drive && *drive) << "a case for Wine, run through run_install_tests.sh";
  const std::string elsewhere = "C:\\brx-link-target\\", inst = Root + "swapped\\", link = inst + "projects";
  const std::string projects = std::string(drive) + "/brx-install-test/swapped/projects";
  struct SwappingProgress : RecordingProgress {
    std::string swap, link;
    bool linked = false;
    void Pause(int milliseconds) override {
      RecordingProgress::Pause(milliseconds);
      if (calls.size() == CallsBeforeTheFiles().size())
        linked = RunUnixShell(swap, [this] { return FolderIsLink(link.c_str()) != 0; });
    }
  } progress;
  progress.swap =
      "mv '" + projects + "' '" + projects + "-aside' && ln -s '" + drive + "/brx-link-target' '" + projects + "'";
  progress.link = link;
  InstallResult result = RunInstallation({inst.c_str(), Preset(), ProgramFiles.c_str()}, progress);
  RunUnixShell("rm '" + projects + "' && mv '" + projects + "-aside' '" + projects + "'",
               [&link] { return FolderExists(link) && !FolderIsLink(link.c_str()); });
  ASSERT_TRUE(progress.linked) << "the link was not made: " << progress.swap;
  EXPECT_EQ(FolderNotMade, result.failure);
  EXPECT_EQ(CallsBeforeTheFiles(), progress.calls);
  EXPECT_TRUE(NamesIn(elsewhere).empty());
  EXPECT_FALSE(FileExists(inst + "Brindlex.exe"));
  ExpectNothingBeyondTheFiles();
}

// A payload file's place holds a second name of a file elsewhere: writing it would change
// that file. The run stops there, and the file elsewhere keeps its bytes.
TEST_F(StoppedInstallation, AHardLinkedFileIsNotWritten) {
  const int row = 4;
  std::string inst = Root + "hard-linked\\";
  MakeFreshFolders({inst, inst + "projects\\", inst + "projects\\Vomar_6k_files\\"});
  std::string elsewhere = Root + "elsewhere.gif";
  WriteFileText(elsewhere, "not the installation's");
  ASSERT_TRUE(CreateHardLinkA(PathOf(inst, PayloadTable[row]).c_str(), elsewhere.c_str(), nullptr));
  ExpectStoppedAt(Install(inst), inst, row);
  EXPECT_EQ("not the installation's", ReadFileBytes(elsewhere));
}

TEST_F(StoppedInstallation, AFolderThatCannotBeCreatedStopsTheRunBeforeAnyFile) {
  Outcome run = Install("Q:\\Apps\\");  // no drive Q: in the test prefix
  EXPECT_FALSE(run.complete);
  EXPECT_EQ(FolderNotMade, run.failure);
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
