#include "shell/install_folders.h"

#include <gtest/gtest.h>
#include <aclapi.h>

#include "shell_test_support.h"

static std::string FolderToProtectOf(const std::string& destination, const std::string& programFiles) {
  return ScratchResult(
      [&](int32_t mark) { FolderToProtect(destination.c_str(), programFiles.c_str(), mark); });
}

// Which folder a new destination protects: the topmost one the run creates, unless the
// destination exists or lies inside Program Files.
TEST(InstallFolders, TheTopmostNewFolderOutsideProgramFilesIsTheOneProtected) {
  const std::string base = FreshTempFolder("protect");
  const std::string programFiles = base + "Program Files\\";
  CreateDirectoryA(programFiles.c_str(), nullptr);
  CreateDirectoryA((base + "existing").c_str(), nullptr);
  const struct {
    std::string destination, programFiles, expected;
  } rows[] = {
      {base + "Brindlex\\", programFiles, base + "Brindlex"},
      {base + "Apps\\Tools\\Brindlex\\", programFiles, base + "Apps"},
      {base + "existing\\Tools\\Brindlex\\", programFiles, base + "existing\\Tools"},
      {base + "Apps\\Brindlex", programFiles, base + "Apps"},
      {base + "Программы\\Brindlex\\", programFiles, base + "Программы"},
      {base + "existing\\", programFiles, ""},
      {base, programFiles, ""},
      {"C:\\", programFiles, ""},
      {programFiles + "Brindlex\\", programFiles, ""},
      {programFiles + "Tools\\Brindlex\\", programFiles, ""},
      {base + "PROGRAM FILES\\Brindlex\\", programFiles, ""},
      // Only a folder inside Program Files is spared, not one whose name merely begins so.
      {base + "Program Files Old\\Brindlex\\", programFiles, base + "Program Files Old"},
      // Program Files unknown: nothing is inside it.
      {programFiles + "Brindlex\\", "", programFiles + "Brindlex"},
      {"Q:\\Apps\\Brindlex\\", programFiles, "Q:\\Apps"},
  };
  for (const auto& row : rows)
    EXPECT_EQ(row.expected, FolderToProtectOf(row.destination, row.programFiles)) << row.destination;
}

std::string ShortName(const std::string& path) {
  char name[MAX_PATH] = "";
  DWORD length = GetShortPathNameA(path.c_str(), name, MAX_PATH);
  return length > 0 && length < MAX_PATH ? name : "<no short name>";
}

// Which paths have a link on them: every folder that exists, from the first below the root
// down to the last, is asked; a link is found at any depth, with or without the final
// backslash; a short name, a plain folder and folders still to be made are no links; the
// root and what the trusted part covers are never asked. The script that runs these tests
// makes "linked" and "plain\inner-linked" links to "target".
TEST(InstallFolders, ALinkAnywhereOnThePathIsFound) {
  const std::string base = "C:\\brx-link-check\\";
  ASSERT_NE(0, FolderIsLink((base + "linked").c_str())) << "run these tests through run_shell_tests.sh";
  const std::string shortPlain = ShortName(base + "plain\\a long folder name");
  const std::string shortLinked = ShortName(base + "linked");
  const struct {
    std::string path, trusted;
    int32_t linked;
  } rows[] = {
      // Plain folders, below them folders still to be made, a short name.
      {base + "plain\\inner\\", "", 0},
      {base + "plain\\inner\\Brindlex\\Tools\\", "", 0},
      {base + "missing\\Brindlex\\", "", 0},
      {shortPlain + "\\Brindlex\\", "", 0},
      {"Q:\\Apps\\Brindlex\\", "", 0},  // no drive Q:
      // A link as the last folder, with and without its backslash; as a parent, at any depth.
      {base + "linked\\", "", 1},
      {base + "linked", "", 1},
      {base + "linked\\Brindlex\\", "", 1},
      {base + "plain\\inner-linked\\", "", 1},
      {shortLinked + "\\Brindlex\\", "", 1},
      // The trusted part is taken as it is; what lies below it is asked. A trusted part that
      // does not lead the path trusts nothing; one in other letter case leads it.
      {base + "linked\\Brindlex\\", base + "linked\\", 0},
      {base + "linked\\Brindlex\\", base, 1},
      {base + "plain\\inner-linked\\Brindlex\\", base + "plain\\", 1},
      {base + "linked\\Brindlex\\", "C:\\elsewhere\\", 1},
      {base + "linked\\Brindlex\\", "C:\\BRX-LINK-CHECK\\LINKED\\", 0},
      // Drive roots, which Wine reports as reparse points where they are its mount points.
      {"C:\\", "", 0},
      {"C:\\\\", "", 0},
      {"Z:\\", "", 0},
      {"", "", 0},
  };
  for (const auto& row : rows)
    EXPECT_EQ(row.linked, LinkOnPath(row.path.c_str(), row.trusted.c_str())) << row.path << " below " << row.trusted;
  if (GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version")) {
    EXPECT_NE(0, FolderIsLink("Z:\\")) << "Wine's mount point, never asked above";
  }
  EXPECT_EQ(0, LinkOnPath(nullptr, ""));
}

// The folder is made with the access list given, and files can be made in it.
TEST(InstallFolders, AProtectedFolderIsCreatedAndTakesFiles) {
  const std::string base = FreshTempFolder("protected");
  const std::string folder = base + "Brindlex";
  ASSERT_NE(0, CreateProtectedFolder(folder.c_str()));
  EXPECT_TRUE(IsFolder(folder));
  ASSERT_TRUE(CreateDirectoryA((folder + "\\projects").c_str(), nullptr));
  HANDLE file = CreateFileA((folder + "\\projects\\file.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0,
                            nullptr);
  EXPECT_NE(INVALID_HANDLE_VALUE, file);
  CloseHandle(file);
  // Made once: a second attempt on the same name fails, as CreateDirectoryA does.
  EXPECT_EQ(0, CreateProtectedFolder(folder.c_str()));
  EXPECT_EQ(0, CreateProtectedFolder((base + "missing\\Brindlex").c_str()));

  // Wine maps the list onto Unix modes and gives back one made from them; Windows gives
  // back the list as it was given.
  if (GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version")) return;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  PACL list = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, GetNamedSecurityInfoA(folder.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                                                 nullptr, &list, nullptr, &descriptor));
  SECURITY_DESCRIPTOR_CONTROL control = 0;
  DWORD revision = 0;
  GetSecurityDescriptorControl(descriptor, &control, &revision);
  EXPECT_TRUE(control & SE_DACL_PROTECTED);
  EXPECT_EQ(3, list->AceCount);
  LocalFree(descriptor);
}
