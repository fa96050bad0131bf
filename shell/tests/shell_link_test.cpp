#include "shell/shell_link.h"

#include <gtest/gtest.h>
#include <objbase.h>
#include <shlobj.h>

#include "shell_test_support.h"

namespace {

struct LinkFields {
  std::string target, arguments, workingFolder, description, iconFile;
  int iconIndex = -1, showCommand = -1;
  WORD hotkey = 0xFFFF;
};

// Reads a shortcut file back through the shell's own link object.
bool ReadLink(const std::string& file, LinkFields* fields) {
  WCHAR wide[MAX_PATH];
  MultiByteToWideChar(CP_ACP, 0, file.c_str(), -1, wide, MAX_PATH);
  CoInitialize(nullptr);
  IShellLinkA* link = nullptr;
  IPersistFile* persist = nullptr;
  bool loaded = false;
  if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                 (void**)&link))) {
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, (void**)&persist))) {
      loaded = SUCCEEDED(persist->Load(wide, STGM_READ));
      persist->Release();
    }
    if (loaded) {
      char text[1024];
      link->GetPath(text, sizeof(text), nullptr, SLGP_RAWPATH);
      fields->target = text;
      link->GetArguments(text, sizeof(text));
      fields->arguments = text;
      link->GetWorkingDirectory(text, sizeof(text));
      fields->workingFolder = text;
      link->GetDescription(text, sizeof(text));
      fields->description = text;
      link->GetIconLocation(text, sizeof(text), &fields->iconIndex);
      fields->iconFile = text;
      link->GetHotkey(&fields->hotkey);
    }
    link->Release();
  }
  CoUninitialize();
  // Wine's link object does not load the show command, so it is read from the file's
  // header, where it follows the icon index.
  HANDLE header = CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
  DWORD read = 0;
  SetFilePointer(header, 0x3C, nullptr, FILE_BEGIN);
  ReadFile(header, &fields->showCommand, 4, &read, nullptr);
  CloseHandle(header);
  return loaded;
}

std::string MakeTarget(const std::string& folder) {
  std::string target = folder + "Brindlex.exe";
  CloseHandle(CreateFileA(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  return target;
}

}  // namespace

TEST(ShellLink, EveryFieldReadsBackThroughTheLinkInterface) {
  std::string folder = FreshTempFolder("link_fields");
  std::string target = MakeTarget(folder);
  std::string file = folder + "Brindlex.lnk";
  const char* arguments = "/open \"C:\\Мои документы\\a b.sfr\" -x";
  const char* description = "Программатор микроконтроллеров";
  std::string icon = folder + "icons.dll";

  ASSERT_EQ(1, CreateShellLink(target.c_str(), file.c_str(), arguments, description,
                               folder.c_str(), SW_SHOWMINNOACTIVE, icon.c_str(), 3));
  LinkFields read;
  ASSERT_TRUE(ReadLink(file, &read));
  EXPECT_EQ(target, read.target);
  EXPECT_EQ(arguments, read.arguments);
  EXPECT_EQ(folder, read.workingFolder);
  EXPECT_EQ(description, read.description);
  EXPECT_EQ(icon, read.iconFile);
  EXPECT_EQ(3, read.iconIndex);
  EXPECT_EQ(SW_SHOWMINNOACTIVE, read.showCommand);
  EXPECT_EQ(0, read.hotkey);
}

TEST(ShellLink, AnEmptyIconFileLeavesTheTargetsIconAndASecondSaveReplacesTheFile) {
  std::string folder = FreshTempFolder("link_replace");
  std::string target = MakeTarget(folder);
  std::string file = folder + "Brindlex.lnk";
  ASSERT_EQ(1, CreateShellLink(target.c_str(), file.c_str(), "", "first", folder.c_str(), 1,
                               target.c_str(), 2));
  ASSERT_EQ(1, CreateShellLink(target.c_str(), file.c_str(), "", "second", folder.c_str(), 1, "", 0));
  LinkFields read;
  ASSERT_TRUE(ReadLink(file, &read));
  EXPECT_EQ("second", read.description);
  EXPECT_EQ("", read.iconFile);
  EXPECT_EQ(0, read.iconIndex);
  EXPECT_EQ(SW_SHOWNORMAL, read.showCommand);
}

TEST(ShellLink, ACyrillicFolderNameIsSavedUnderTheRightName) {
  std::string folder = FreshTempFolder("link_cyrillic") + "Ярлыки программы\\";
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
  std::string target = MakeTarget(folder);
  ASSERT_EQ(1, CreateShellLink(target.c_str(), (folder + "Программатор.lnk").c_str(), "", "",
                               folder.c_str(), 1, "", 0));
  // The name the file system holds, compared in UTF-16.
  WCHAR wideFolder[MAX_PATH];
  MultiByteToWideChar(CP_ACP, 0, folder.c_str(), -1, wideFolder, MAX_PATH);
  std::wstring pattern = std::wstring(wideFolder) + L"*.lnk";
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(pattern.c_str(), &found);
  ASSERT_NE(INVALID_HANDLE_VALUE, search);
  FindClose(search);
  EXPECT_EQ(std::wstring(L"Программатор.lnk"), found.cFileName);
}

TEST(ShellLink, AFileInAMissingFolderIsNotWrittenButTheResultIsStillOne) {
  std::string folder = FreshTempFolder("link_missing");
  std::string file = folder + "missing\\Brindlex.lnk";
  EXPECT_EQ(1, CreateShellLink(MakeTarget(folder).c_str(), file.c_str(), "", "", "", 1, "", 0));
  EXPECT_FALSE(IsFile(file));
  EXPECT_FALSE(IsFolder(folder + "missing"));
}

// The name is passed on as written. Wine's link object looks it up on the search path
// as soon as it is set, and stores the folder it found in front of it.
TEST(ShellLink, ATargetWithoutFolderIsPassedOnUnchanged) {
  std::string file = FreshTempFolder("link_notepad") + "Notepad.lnk";
  ASSERT_EQ(1, CreateShellLink("NOTEPAD.exe", file.c_str(), "", "", "", 1, "", 0));
  LinkFields read;
  ASSERT_TRUE(ReadLink(file, &read));
  std::string name = "\\NOTEPAD.exe";
  ASSERT_GT(read.target.size(), name.size());
  EXPECT_EQ(name, read.target.substr(read.target.size() - name.size()));
  EXPECT_TRUE(IsFile(read.target));
}

// The component library is started and stopped around each call: a caller without it
// does not keep it, and a caller that has it started keeps it.
TEST(ShellLink, LeavesTheComponentLibraryAsItFoundIt) {
  std::string folder = FreshTempFolder("link_com");
  std::string target = MakeTarget(folder);
  CreateShellLink(target.c_str(), (folder + "a.lnk").c_str(), "", "", "", 1, "", 0);
  EXPECT_EQ(S_OK, CoInitialize(nullptr));  // S_OK: it was not running any more

  CreateShellLink(target.c_str(), (folder + "b.lnk").c_str(), "", "", "", 1, "", 0);
  EXPECT_EQ(S_FALSE, CoInitialize(nullptr));  // S_FALSE: still running for this thread
  CoUninitialize();
  CoUninitialize();
  EXPECT_TRUE(IsFile(folder + "b.lnk"));
}
