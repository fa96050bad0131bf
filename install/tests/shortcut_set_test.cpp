// The shortcut set when the shell could not give one of its folders: the links meant for
// it are not made, the others are, and nothing is written into the current folder.
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
    const ShortcutChoices every = {true, "Brindlex", true, true, c.programs, c.desktop, c.quick, "C:\\windows\\"};
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

}  // namespace
