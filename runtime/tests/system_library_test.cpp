// The system libraries loaded at start-up come from the system folder, whatever else the
// search would find.
#include <gtest/gtest.h>
#include <windows.h>
#include <string.h>
#include <string>
#include "runtime/system_library.h"

namespace {

typedef UINT(WINAPI* GetSystemWow64DirectoryFn)(LPSTR, UINT);

// The folder part of a module's path, lower case.
std::string FolderOfModule(HMODULE module) {
  char path[MAX_PATH] = {};
  DWORD length = GetModuleFileNameA(module, path, MAX_PATH);
  std::string folder(path, length);
  folder.erase(folder.find_last_of('\\') == std::string::npos ? 0 : folder.find_last_of('\\'));
  CharLowerA(&folder[0]);
  return folder;
}

std::string Lower(std::string text) {
  if (!text.empty()) CharLowerA(&text[0]);
  return text;
}

// The system folder, and on 64-bit Windows the one that a 32-bit program's system folder
// stands for.
std::string SystemFolder() {
  char path[MAX_PATH] = {};
  return Lower(std::string(path, GetSystemDirectoryA(path, MAX_PATH)));
}

std::string Wow64SystemFolder() {
  auto wow64 = reinterpret_cast<GetSystemWow64DirectoryFn>(
      reinterpret_cast<void*>(Kernel32Function("GetSystemWow64DirectoryA")));
  char path[MAX_PATH] = {};
  return wow64 ? Lower(std::string(path, wow64(path, MAX_PATH))) : std::string();
}

TEST(SystemLibraries, EveryPreloadedLibraryThatIsLoadedComesFromTheSystemFolder) {
  RestrictDllSearch();
  PreloadSystemLibraries();
  const std::string system = SystemFolder(), wow64 = Wow64SystemFolder();
  ASSERT_FALSE(system.empty());
  int loaded = 0;
  for (int i = 0; i < PreloadedLibraryCount; ++i) {
    HMODULE module = GetModuleHandleA(PreloadedLibraries[i]);
    if (!module) continue;
    ++loaded;
    std::string folder = FolderOfModule(module);
    EXPECT_TRUE(folder == system || (!wow64.empty() && folder == wow64))
        << PreloadedLibraries[i] << " came from " << folder;
  }
  // Every system since Windows 2000 has most of them; the themes library since XP.
  EXPECT_GE(loaded, PreloadedLibraryCount / 2);
}

TEST(SystemLibraries, ALibraryMissingFromTheSystemFolderIsNotLoaded) {
  EXPECT_EQ(nullptr, LoadFromSystemFolder("brx-no-such-library.dll"));
}

}  // namespace
