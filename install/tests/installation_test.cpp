// Real installations through the wizard's Install button, into folders of the test's own.
#include <gtest/gtest.h>
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

const std::string Root = "C:\\brx-install-test\\";
const std::string Menu = Root + "menu\\";
const std::string Desktop = Root + "desktop\\";
const std::string Quick = Root + "quick\\";

class Installation : public testing::Test {
 protected:
  void SetUp() override {
    MakeFreshFolders({Root, Menu, Desktop, Quick});
    StrAssign(&CommonProgramsPath, Menu.c_str());
    StrAssign(&CommonDesktopPath, Desktop.c_str());
    StrAssign(&QuickLaunchPath, Quick.c_str());
    RebuildWizard();
  }

  // Walks to the ready page with the destination typed in, presses Install and lets the run
  // finish; returns what the installing page showed.
  void Install(const std::string& destination) {
    GoForwardTo(2);
    GadgetSetText(FldDestination, destination.c_str());
    GoForwardTo(5);
    ASSERT_EQ(5, CurrentPage);
    Click(BtnInstall);
  }

  void ExpectPayloadIn(const std::string& folder) {
    for (const PayloadEntry& entry : PayloadTable) {
      std::string path = folder + PayloadSubfolder(entry) + entry.name;
      EXPECT_TRUE(ReadFileBytes(path) == PayloadBytes(entry)) << path;
    }
  }
};

TEST_F(Installation, DefaultChoicesWriteTheTreeShortcutsAndDocumentTypes) {
  std::string inst = Root + "Program Files\\Brindlex\\";
  InstallationRecorder recorder;
  Install(inst);

  // The tree: three folders, eleven files, every byte as embedded.
  EXPECT_EQ((std::vector<std::string>{"Brindlex.exe", "License.txt", "projects"}), FolderNames(inst.substr(0, inst.size() - 1)));
  EXPECT_EQ(8u, FolderNames(inst + "projects\\Vomar_6k_files").size());
  ExpectPayloadIn(inst);
  std::string licence = ReadFileBytes(inst + "License.txt");
  EXPECT_EQ(764u, licence.size());
  EXPECT_EQ(std::string("\r\n\0", 3), licence.substr(licence.size() - 3));

  // Progress: 1 once the folders exist, one step per file, the shortcut step counted twice,
  // 16 at the end.
  EXPECT_EQ((std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 16}), recorder.positions);
  EXPECT_EQ(16, GadgetGetState(PrgInstall));

  std::vector<std::string> details = {"Создание папок установки"};
  for (const PayloadEntry& entry : PayloadTable) details.push_back(std::string("Извлечение файла  ") + entry.name);
  details.insert(details.end(), {"Создание ярлыков в меню «Пуск»", "Создание ярлыков", "Создание ярлыков",
                                 "Регистрация программы"});
  EXPECT_EQ(details, recorder.details);
  EXPECT_EQ("Распаковка файлов...", Text(TxtInstallStep));

  // Shortcuts: the Start-menu folder with the program and the licence, the desktop, no
  // Quick Launch.
  EXPECT_EQ((std::vector<std::string>{"Brindlex.lnk", "License.lnk"}), FolderNames(Menu + "Brindlex"));
  EXPECT_EQ((std::vector<std::string>{"Brindlex.lnk"}), FolderNames(Desktop.substr(0, Desktop.size() - 1)));
  EXPECT_TRUE(FolderNames(Quick.substr(0, Quick.size() - 1)).empty());

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

  // The finish screen follows.
  EXPECT_TRUE(Shown(BtnFinish));
  EXPECT_TRUE(Shown(PnlWelcome));
}

TEST_F(Installation, DestinationWithoutBackslashGetsOneAndExistingFilesAreReplaced) {
  std::string inst = Root + "Apps";
  CreateDirectoryA(inst.c_str(), nullptr);
  HANDLE old = CreateFileA((inst + "\\Brindlex.exe").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written;
  std::string junk(1000000, 'x');  // longer than the new file: it must not survive past its end
  WriteFile(old, junk.data(), (DWORD)junk.size(), &written, nullptr);
  CloseHandle(old);
  Install(inst);
  ExpectPayloadIn(inst + "\\");
  EXPECT_EQ("\"" + inst + "\\Brindlex.exe\" \"%1\"",
            RegistryText(HKEY_CLASSES_ROOT, "Applications\\Brindlex.exe\\shell\\open\\command"));
}

TEST_F(Installation, NoShortcutsWithTheDesktopTickedMakesExactlyTheDesktopLink) {
  std::string inst = Root + "one-link\\";
  GoForwardTo(3);
  Click(ChkNoShortcuts);
  Install(inst);
  EXPECT_EQ((std::vector<std::string>{"desktop", "menu", "one-link", "quick"}),
            FolderNames(Root.substr(0, Root.size() - 1)));
  EXPECT_TRUE(FolderNames(Menu.substr(0, Menu.size() - 1)).empty());
  EXPECT_EQ((std::vector<std::string>{"Brindlex.lnk"}), FolderNames(Desktop.substr(0, Desktop.size() - 1)));
  EXPECT_TRUE(FolderNames(Quick.substr(0, Quick.size() - 1)).empty());
  EXPECT_EQ(16, GadgetGetState(PrgInstall));
}

TEST_F(Installation, NestedStartMenuFolderAndQuickLaunchWithoutDesktop) {
  std::string inst = Root + "nested\\";
  GoForwardTo(3);
  GadgetSetText(FldStartMenuFolder, "Tools\\Brindlex");
  GoForwardTo(4);
  Click(ChkDesktopIcon);
  Click(ChkQuickLaunch);
  Install(inst);
  EXPECT_EQ((std::vector<std::string>{"Brindlex.lnk", "License.lnk"}), FolderNames(Menu + "Tools\\Brindlex"));
  EXPECT_TRUE(FolderNames(Desktop.substr(0, Desktop.size() - 1)).empty());
  LinkFields quick = ReadLink(Quick + "Brindlex.lnk");
  ASSERT_TRUE(quick.loaded);
  EXPECT_EQ(inst + "Brindlex.exe", quick.target);
}

TEST_F(Installation, EmptyDestinationInstallsUnderTheRootOfTheCurrentDrive) {
  char previous[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, previous);
  ASSERT_TRUE(SetCurrentDirectoryA(Root.c_str()));  // on drive C:
  // Next refuses an empty destination, so it is emptied on the ready page: the run itself
  // still takes it as the root of the current drive.
  GoForwardTo(5);
  GadgetSetText(FldDestination, "");
  Click(BtnInstall);
  SetCurrentDirectoryA(previous);
  ExpectPayloadIn("C:\\");
  DeleteFileA("C:\\Brindlex.exe");
  DeleteFileA("C:\\License.txt");
  RemoveTree("C:\\projects");
}

}  // namespace
