// The Start-menu page's list of existing program folders.
#include <gtest/gtest.h>
#include <algorithm>
#include <string>
#include <vector>
#include "toolkit/gadget.h"
#include "wizard/gadgets.h"
#include "wizard/start_menu_list.h"
#include "wizard_driver.h"

namespace {

std::vector<std::string> Items(int gadget) {
  HWND list = GadgetHandle(gadget);
  std::vector<std::string> items;
  int count = (int)SendMessageA(list, LB_GETCOUNT, 0, 0);
  for (int i = 0; i < count; ++i) {
    char item[MAX_PATH] = "";
    SendMessageA(list, LB_GETTEXT, i, (LPARAM)item);
    items.push_back(item);
  }
  return items;
}

std::vector<std::string> Sorted(std::vector<std::string> items) {
  std::sort(items.begin(), items.end());
  return items;
}

class StartMenuList : public testing::Test {
 protected:
  void SetUp() override {
    RebuildWizard();
    GadgetClearItems(LstStartMenu);
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    folder = std::string(temp) + "wizard-start-menu\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    // Names that the plain path rules would trim are made through the verbatim form.
    for (const char* name : {"Alpha", " Gamma ", "   ", "...", "Alpha\\Nested"})
      CreateDirectoryA(("\\\\?\\" + folder + name).c_str(), nullptr);
    HANDLE file = CreateFileA((folder + "file.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    CloseHandle(file);
  }
  std::string folder;
};

TEST_F(StartMenuList, ListsTheSubfoldersUntrimmedAndLeavesOutFilesAndDotNames) {
  EXPECT_EQ(0, ListStartMenuFolders(LstStartMenu, folder.c_str()));
  EXPECT_EQ((std::vector<std::string>{" Gamma ", "Alpha"}), Sorted(Items(LstStartMenu)));
  EXPECT_EQ(0, GetWindowLongA(GadgetHandle(LstStartMenu), GWL_STYLE) & LBS_SORT) << "listing order is kept";
}

TEST_F(StartMenuList, AnEmptyFolderNameListsTheCurrentFolder) {
  char previous[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, previous);
  SetCurrentDirectoryA(folder.c_str());
  ListStartMenuFolders(LstStartMenu, "");
  SetCurrentDirectoryA(previous);
  EXPECT_EQ((std::vector<std::string>{" Gamma ", "Alpha"}), Sorted(Items(LstStartMenu)));
}

TEST_F(StartMenuList, AFolderThatCannotBeListedAddsNothing) {
  EXPECT_EQ(0, ListStartMenuFolders(LstStartMenu, "C:\\no such folder\\"));
  EXPECT_TRUE(Items(LstStartMenu).empty());
}

}  // namespace
