// The Start-menu page's list of existing program folders.
#include <gtest/gtest.h>
#include <string.h>
#include <algorithm>
#include <string>
#include <vector>
#include "payload/product_names.h"
#include "toolkit/gadget.h"
#include "wizard/gadgets.h"
#include "wizard/start_menu_list.h"
#include "wizard/typed_folders.h"
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

bool FolderExists(const std::string& path) {
  DWORD attributes = GetFileAttributesA(("\\\\?\\" + path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Removes a folder and everything in it, names the plain path rules would change included.
void RemoveVerbatim(const std::string& path) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(("\\\\?\\" + path + "\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      std::string name = found.cFileName, child = path + "\\" + name;
      if (name == "." || name == "..") continue;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveVerbatim(child);
      else DeleteFileA(("\\\\?\\" + child).c_str());
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  RemoveDirectoryA(("\\\\?\\" + path).c_str());
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
    RemoveVerbatim(folder.substr(0, folder.size() - 1));
    CreateDirectoryA(folder.c_str(), nullptr);
    // Picked, the longest passes and one character more is too long below this folder.
    longest = std::string(StartMenuMaxLength - folder.size() - strlen(PickedFolderEnding), 'K');
    tooLong = std::string(longest.size() + 1, 'L');
    // Names that the plain path rules would trim or take for a device are made through the
    // verbatim form. Picked, each would give the name followed by "\Brindlex".
    for (const std::string& name : {std::string("Alpha"), std::string(" Tools"), std::string(" Gamma "),
                                    std::string("   "), std::string("..."), std::string("Alpha\\Nested"),
                                    std::string("Dots."), std::string("aux"), std::string("Com1.old"),
                                    longest, tooLong})
      CreateDirectoryA(("\\\\?\\" + folder + name).c_str(), nullptr);
    HANDLE file = CreateFileA((folder + "file.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    CloseHandle(file);
  }
  std::string folder, longest, tooLong;
};

// Every name the list offers passes the page's check once picked; a leading blank is part
// of a name.
TEST_F(StartMenuList, ListsTheSubfoldersThatCanBePickedAndLeavesOutFiles) {
  ASSERT_TRUE(FolderExists(folder + "aux")) << "the system made no folder named aux";
  ASSERT_TRUE(FolderExists(folder + tooLong));
  EXPECT_EQ(0, ListStartMenuFolders(LstStartMenu, folder.c_str()));
  EXPECT_EQ((std::vector<std::string>{" Tools", "Alpha", longest}), Sorted(Items(LstStartMenu)));
  EXPECT_EQ(0, GetWindowLongA(GadgetHandle(LstStartMenu), GWL_STYLE) & LBS_SORT) << "listing order is kept";
}

// The Programs folder could not be looked up: its empty path must not list the current
// folder.
TEST_F(StartMenuList, AnEmptyFolderAddsNothingWhateverTheCurrentFolderHolds) {
  char previous[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, previous);
  SetCurrentDirectoryA(folder.c_str());
  ListStartMenuFolders(LstStartMenu, "");
  ListStartMenuFolders(LstStartMenu, nullptr);
  SetCurrentDirectoryA(previous);
  EXPECT_TRUE(Items(LstStartMenu).empty());
}

TEST_F(StartMenuList, AFolderThatCannotBeListedAddsNothing) {
  EXPECT_EQ(0, ListStartMenuFolders(LstStartMenu, "C:\\no such folder\\"));
  EXPECT_TRUE(Items(LstStartMenu).empty());
}

}  // namespace
