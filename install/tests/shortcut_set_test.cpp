// The shortcut set when the shell could not give one of its folders, or one of the folders
// is a link: the links meant for it are not made, the others are, and nothing is written
// into the current folder or wherever a link leads.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "install/shortcut_set.h"
#include "install_test_support.h"

namespace {

const std::string Root = "C:\\brx-shortcut-test\\";
const std::string Menu = Root + "menu\\";
const std::string Desktop = Root + "desktop\\";
const std::string Quick = Root + "quick\\";
const std::string Current = Root + "current\\";
const std::string Installation = Root + "inst\\";

const char StartMenuLine[] = "detail Создание ярлыков в меню «Пуск»";
const char LinksLine[] = "detail Создание ярлыков";

std::vector<std::string> NamesIn(const std::string& folder) { return FolderNames(folder.substr(0, folder.size() - 1)); }

const std::vector<std::string> OneLink = {"Brindlex.lnk"};
const std::vector<std::string> NoLink = {};

TEST(ShortcutSet, AFolderTheShellCouldNotGiveGetsNoLinkAndTheCurrentFolderNone) {
  struct Case {
    const char* what;
    const char *programs, *desktop, *quick;
    std::vector<std::string> calls;
    bool menuLinks, desktopLink, quickLink;
  };
  const Case cases[] = {
      {"no Programs folder", "", Desktop.c_str(), Quick.c_str(), {StartMenuLine, LinksLine, LinksLine},
       false, true, true},
      {"no desktop folder", Menu.c_str(), "", Quick.c_str(),
       {StartMenuLine, LinksLine, LinksLine, LinksLine}, true, false, true},
      {"no Application Data folder, so no Quick Launch folder", Menu.c_str(), Desktop.c_str(), "",
       {StartMenuLine, LinksLine, LinksLine, LinksLine}, true, true, false},
      {"none of the three", "", "", "", {StartMenuLine, LinksLine, LinksLine}, false, false, false},
  };
  char previous[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, previous);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    MakeFreshFolders({Root, Menu, Desktop, Quick, Current, Installation});
    ASSERT_TRUE(SetCurrentDirectoryA(Current.c_str()));
    RecordingProgress progress;
    const ShortcutChoices every = {true,      "Brindlex",      true, true, c.programs, c.desktop, c.quick,
                                   "C:\\windows\\", Root.c_str()};
    EXPECT_EQ(0, CreateProgramShortcuts(Installation.c_str(), every, progress));
    SetCurrentDirectoryA(previous);

    EXPECT_EQ(c.calls, progress.calls);
    EXPECT_EQ(NoLink, NamesIn(Current));
    EXPECT_EQ(c.menuLinks ? (std::vector<std::string>{"Brindlex"}) : NoLink, NamesIn(Menu));
    if (c.menuLinks) {
      EXPECT_EQ((std::vector<std::string>{"Brindlex.lnk", "License.lnk"}), NamesIn(Menu + "Brindlex\\"));
    }
    EXPECT_EQ(c.desktopLink ? OneLink : NoLink, NamesIn(Desktop));
    EXPECT_EQ(c.quickLink ? OneLink : NoLink, NamesIn(Quick));
  }
  RemoveTree(Root.substr(0, Root.size() - 1));
}

// Folders the script that runs these tests makes: links to C:\brx-link-target, and an
// application-data folder elsewhere, C:\brx-link-appdata, with its Quick Launch folder.
const std::string Links = "C:\\brx-shortcut-links\\";
const std::string Target = "C:\\brx-link-target\\";
const std::string QuickLaunchBelow = "Microsoft\\Internet Explorer\\Quick Launch\\";
const std::string AppDataElsewhere = "C:\\brx-link-appdata\\";

// A folder on the way that is a link (below the Programs folder, the desktop folder itself,
// the user's folders from the application data down to Quick Launch) counts as missing:
// that shortcut is not made and the others are. A shortcut file already there as a second
// name of another file is not replaced. Each case says which names its real folders hold
// afterwards: the Start menu's Brindlex folder, the desktop, Root's own Quick Launch.
TEST(ShortcutSet, NoShortcutIsSavedThroughALink) {
  ASSERT_TRUE(FolderExists(Links + "desktop-linked")) << "run these tests through run_install_tests.sh";
  const std::string outside = Root + "outside.lnk";
  // A detail line fewer where the Start-menu folder is refused.
  const std::vector<std::string> menuMade = {StartMenuLine, LinksLine, LinksLine, LinksLine};
  const std::vector<std::string> menuRefused = {StartMenuLine, LinksLine, LinksLine};
  const std::vector<std::string> bothLinks = {"Brindlex.lnk", "License.lnk"};
  const struct Case {
    const char* what;
    const char* menuName;
    std::string programs, desktop, appData;
    const char* secondName;  // below Root: made a second name of outside.lnk first; or null
    bool menuLinks, desktopLink, quickLink;
  } cases[] = {
      {"a folder of the Start-menu name", "Tools\\Brindlex", Links + "programs\\", Desktop, Root, nullptr, 0, 1, 1},
      {"the Start-menu folder itself", "Linked", Links + "programs\\", Desktop, Root, nullptr, 0, 1, 1},
      {"the desktop folder", "Brindlex", Menu, Links + "desktop-linked\\", Root, nullptr, 1, 0, 1},
      {"the application-data folder", "Brindlex", Menu, Desktop, Links + "appdata-linked\\", nullptr, 1, 1, 0},
      {"a folder between it and Quick Launch", "Brindlex", Menu, Desktop, Links + "appdata-middle\\", nullptr, 1, 1, 0},
      {"the Quick Launch folder", "Brindlex", Menu, Desktop, Links + "appdata-last\\", nullptr, 1, 1, 0},
      {"the desktop shortcut a second name", "Brindlex", Menu, Desktop, Root, "desktop\\Brindlex.lnk", 1, 1, 1},
      {"the licence shortcut a second name", "Brindlex", Menu, Desktop, Root, "menu\\Brindlex\\License.lnk", 1, 1, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    MakeFreshFolders({Root, Menu, Menu + "Brindlex\\", Desktop, Root + "Microsoft\\",
                      Root + "Microsoft\\Internet Explorer\\", Root + QuickLaunchBelow, Installation});
    WriteFileText(outside, "not a shortcut");
    if (c.secondName) {
      ASSERT_TRUE(CreateHardLinkA((Root + c.secondName).c_str(), outside.c_str(), nullptr));
    }
    const std::string quick = c.appData + QuickLaunchBelow;
    const ShortcutChoices every = {true,          c.menuName,     true,         true,          c.programs.c_str(),
                                   c.desktop.c_str(), quick.c_str(), "C:\\windows\\", c.appData.c_str()};
    RecordingProgress progress;
    CreateProgramShortcuts(Installation.c_str(), every, progress);

    EXPECT_EQ(c.menuLinks ? menuMade : menuRefused, progress.calls);
    EXPECT_EQ(NoLink, NamesIn(Target));
    EXPECT_EQ(NoLink, NamesIn(AppDataElsewhere + QuickLaunchBelow));
    EXPECT_EQ("not a shortcut", ReadFileBytes(outside));
    EXPECT_EQ(c.menuLinks ? bothLinks : NoLink, NamesIn(Menu + "Brindlex\\"));
    EXPECT_EQ(c.desktopLink ? OneLink : NoLink, NamesIn(Desktop));
    EXPECT_EQ(c.quickLink ? OneLink : NoLink, NamesIn(Root + QuickLaunchBelow));
  }
  RemoveTree(Root.substr(0, Root.size() - 1));
}

}  // namespace
