// Shell folders the shell cannot give at start-up (moved to a drive that does not exist):
// their paths stay empty, the Quick Launch path too rather than a relative one, and the
// Start-menu list stays empty instead of listing the current folder.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include "shell/special_folders.h"
#include "toolkit/gadget.h"
#include "wizard/gadgets.h"
#include "wizard/program.h"
#include "wizard/startup_data.h"
#include "wizard_driver.h"

namespace {

const char* const ShellFolderKeys[] = {"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders",
                                       "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders"};

// Points a shell folder at another path in both keys while it lives, then puts the old
// values back.
class MovedShellFolder {
 public:
  MovedShellFolder(HKEY root, const char* name, const char* path) : root_(root), name_(name) {
    for (int i = 0; i < 2; ++i) {
      HKEY key;
      if (RegCreateKeyExA(root_, ShellFolderKeys[i], 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr)) continue;
      DWORD size = sizeof old_[i].data;
      old_[i].held = RegQueryValueExA(key, name_, nullptr, &old_[i].type, old_[i].data, &size) == ERROR_SUCCESS;
      old_[i].size = size;
      RegSetValueExA(key, name_, 0, REG_SZ, reinterpret_cast<const BYTE*>(path), (DWORD)strlen(path) + 1);
      RegCloseKey(key);
    }
  }
  ~MovedShellFolder() {
    for (int i = 0; i < 2; ++i) {
      HKEY key;
      if (RegOpenKeyExA(root_, ShellFolderKeys[i], 0, KEY_ALL_ACCESS, &key)) continue;
      if (old_[i].held) {
        RegSetValueExA(key, name_, 0, old_[i].type, old_[i].data, old_[i].size);
      } else {
        RegDeleteValueA(key, name_);
      }
      RegCloseKey(key);
    }
  }

 private:
  HKEY root_;
  const char* name_;
  struct {
    bool held;
    DWORD type, size;
    BYTE data[2 * MAX_PATH];
  } old_[2] = {};
};

std::string TextOf(const char* value) { return value ? value : ""; }

int ListCount() { return (int)SendMessageA(GadgetHandle(LstStartMenu), LB_GETCOUNT, 0, 0); }

TEST(MissingShellFolders, LeaveTheirPathsAndTheStartMenuListEmpty) {
  char previous[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, previous);
  {
    MovedShellFolder appData(HKEY_CURRENT_USER, "AppData", "Q:\\AppData");
    MovedShellFolder programs(HKEY_LOCAL_MACHINE, "Common Programs", "Q:\\Programs");
    MovedShellFolder desktop(HKEY_LOCAL_MACHINE, "Common Desktop", "Q:\\Desktop");
    LookUpFolders();
    // A current folder with sub-folders, which an empty Programs path would list.
    SetCurrentDirectoryA(ProgramFilesPath);
    RebuildWizard();
    SetCurrentDirectoryA(previous);
  }
  EXPECT_EQ("", TextOf(CommonProgramsPath));
  EXPECT_EQ("", TextOf(CommonDesktopPath));
  EXPECT_EQ("", TextOf(QuickLaunchPath));
  EXPECT_NE("", TextOf(ProgramFilesPath));
  EXPECT_EQ(0, ListCount());

  // Back as they were, for the other tests.
  LookUpFolders();
  RebuildWizard();
  std::string quickLaunch = TextOf(QuickLaunchPath);
  EXPECT_GT(quickLaunch.size(), strlen(QuickLaunchSubfolder) + 3);
  EXPECT_EQ(':', quickLaunch[1]);
  EXPECT_LT(0, ListCount());
}

}  // namespace
