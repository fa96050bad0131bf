#include "shell/special_folders.h"

#include <gtest/gtest.h>
#include <shlobj.h>
#include <algorithm>

#include "shell_test_support.h"

static std::string FolderPath(int32_t id) {
  return ScratchResult([id](int32_t mark) { SpecialFolderPath(id, mark); });
}

TEST(SpecialFolders, TheProgramsFoldersExistAndEndInOneBackslash) {
  for (int32_t id : {FolderCommonPrograms, FolderProgramFiles, FolderCommonDesktop, FolderAppData}) {
    std::string path = FolderPath(id);
    SCOPED_TRACE(path);
    ASSERT_GT(path.size(), 3u) << "id " << id;
    EXPECT_EQ('\\', path.back());
    EXPECT_NE('\\', path[path.size() - 2]);
    EXPECT_TRUE(IsFolder(path));
  }
}

TEST(SpecialFolders, AFolderWithoutFileSystemPathGivesTheEmptyText) {
  EXPECT_EQ("", FolderPath(CSIDL_DRIVES));  // the computer itself: an item, not a folder
  EXPECT_EQ("", FolderPath(0x7F));          // no such folder
}

// The shell takes the user's music folder from the registry; a test points it elsewhere
// and the setting is put back afterwards.
class MusicFolderSetting {
 public:
  MusicFolderSetting() {
    const wchar_t* key = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
    opened_ = RegOpenKeyExW(HKEY_CURRENT_USER, key, 0, KEY_ALL_ACCESS, &folders_) == ERROR_SUCCESS;
    size_ = sizeof saved_;
    hadValue_ = opened_ && RegQueryValueExW(folders_, Name, nullptr, &type_, (BYTE*)saved_, &size_) == 0;
  }
  ~MusicFolderSetting() {
    if (!opened_) return;
    if (hadValue_) RegSetValueExW(folders_, Name, 0, type_, (const BYTE*)saved_, size_);
    else RegDeleteValueW(folders_, Name);
    RegCloseKey(folders_);
  }
  bool PointAt(const std::wstring& path) {
    return opened_ && RegSetValueExW(folders_, Name, 0, REG_SZ, (const BYTE*)path.c_str(),
                                     DWORD((path.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
  }

 private:
  static constexpr const wchar_t* Name = L"My Music";
  HKEY folders_ = nullptr;
  bool opened_ = false, hadValue_ = false;
  wchar_t saved_[MAX_PATH] = L"";
  DWORD size_ = 0, type_ = REG_EXPAND_SZ;
};

// A drive root, which the shell already returns with its backslash.
TEST(SpecialFolders, ADriveRootGetsNoSecondBackslash) {
  MusicFolderSetting music;
  ASSERT_TRUE(music.PointAt(L"C:\\"));
  EXPECT_EQ("C:\\", FolderPath(CSIDL_MYMUSIC));
}

// On Windows NT the path is read in UTF-16: a folder whose path the process's code page
// (Windows-1251 here) holds comes exactly; one it cannot hold counts as missing, never as a
// look-alike path such as C:\Users\Jurgen.
TEST(SpecialFolders, APathTheCodePageCannotHoldExactlyCountsAsMissing) {
  std::string base = FreshTempFolder("special-wide");
  wchar_t wideBase[MAX_PATH];
  ASSERT_NE(0, MultiByteToWideChar(CP_ACP, 0, base.c_str(), -1, wideBase, MAX_PATH));
  const struct {
    const wchar_t* name;
    const char* expected;  // below base; null for the empty text
  } cases[] = {
      {L"Музыка «Пуск»", "Музыка «Пуск»\\"},
      {L"Jürgen", nullptr},
      {L"Musique née", nullptr},
  };
  MusicFolderSetting music;
  for (const auto& c : cases) {
    std::wstring path = wideBase + std::wstring(c.name);
    ASSERT_TRUE(CreateDirectoryW(path.c_str(), nullptr));
    ASSERT_TRUE(music.PointAt(path));
    EXPECT_EQ(c.expected ? base + c.expected : "", FolderPath(CSIDL_MYMUSIC));
  }
}

TEST(SpecialFolders, TheWindowsFolderEndsInOneBackslashAndHoldsTheTextEditor) {
  std::string windows = ScratchResult([](int32_t mark) { WindowsFolderPath(mark); });
  ASSERT_GT(windows.size(), 3u);
  EXPECT_EQ('\\', windows.back());
  EXPECT_NE('\\', windows[windows.size() - 2]);
  EXPECT_TRUE(IsFile(windows + "NOTEPAD.EXE")) << windows;
}

TEST(EnsureDirectory, CreatesEveryMissingLevelAndAcceptsExistingOnes) {
  std::string base = FreshTempFolder("ensure");
  std::string path = base + "Первый уровень\\second\\";
  EXPECT_NE(0, EnsureDirectoryPath(path.c_str()));
  EXPECT_TRUE(IsFolder(base + "Первый уровень"));
  EXPECT_TRUE(IsFolder(path));
  EXPECT_NE(0, EnsureDirectoryPath(path.c_str()));
  EXPECT_TRUE(IsFolder(path));
}

// A path under base of exactly length characters, ending in "\": levels of at most 100
// characters, the first named after tag.
static std::string PathOfLength(const std::string& base, char tag, size_t length) {
  std::string path = base;
  while (path.size() < length) {
    size_t level = std::min<size_t>(100, length - path.size() - 1);
    path += std::string(level, path.size() == base.size() ? tag : 'x') + "\\";
  }
  return path;
}

// Folders are limited to 247 characters; the system's helper must never see a longer path,
// whatever its depth.
TEST(EnsureDirectory, APathOf248CharactersOrMoreFailsAndCreatesNothing) {
  std::string base = FreshTempFolder("ensure-long");
  ASSERT_LT(base.size(), 140u);
  struct Case {
    char tag;
    size_t length;
    bool created;
  };
  const Case cases[] = {{'a', 247, true}, {'b', 248, false}, {'c', 259, false}, {'d', 600, false},
                        {'e', 4000, false}};
  for (const Case& c : cases) {
    std::string path = PathOfLength(base, c.tag, c.length);
    SCOPED_TRACE(c.length);
    ASSERT_EQ(c.length, path.size());
    EXPECT_EQ(c.created ? 1 : 0, EnsureDirectoryPath(path.c_str()));
    EXPECT_EQ(c.created, IsFolder(path));
    EXPECT_EQ(c.created, IsFolder(path.substr(0, path.find('\\', base.size()))));  // its first level
  }
}
