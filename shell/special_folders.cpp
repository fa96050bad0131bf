#include "shell/special_folders.h"

#include <windows.h>
#include <shlobj.h>

#include "runtime/strings.h"
#include "runtime/system_library.h"
#include "runtime/wide_text.h"

const char QuickLaunchSubfolder[] = "Microsoft\\Internet Explorer\\Quick Launch\\";

static void FreeItemList(LPITEMIDLIST list) {
  IMalloc* allocator = nullptr;
  if (SUCCEEDED(SHGetMalloc(&allocator)) && allocator) {
    allocator->Free(list);
    allocator->Release();
  }
}

using PathFromItemListWide = BOOL(WINAPI*)(LPCITEMIDLIST list, wchar_t* path);

// Writes the item list's path into path (MAX_PATH bytes), the empty text if it has none. On
// Windows NT the path is read in UTF-16 and kept only if the process's code page holds it
// exactly: a folder whose path does not convert counts as missing. The W entry is looked
// up: Windows 98's shell need not have it.
static void ItemListPath(LPCITEMIDLIST list, char* path) {
  // A failed lookup may leave the buffer untouched; it must read as empty.
  path[0] = 0;
  auto widePath = reinterpret_cast<PathFromItemListWide>(reinterpret_cast<void*>(
      WideFunctionsWork() ? GetProcAddress(GetModuleHandleA("SHELL32.DLL"), "SHGetPathFromIDListW") : nullptr));
  if (!widePath) {
    SHGetPathFromIDListA(list, path);
    return;
  }
  wchar_t wide[MAX_PATH];
  if (widePath(list, wide)) WideToAnsiExact(wide, path, MAX_PATH);
}

void SpecialFolderPath(int32_t id, int32_t mark) {
  LPITEMIDLIST list = nullptr;
  if (FAILED(SHGetSpecialFolderLocation(nullptr, id, &list)) || !list) {
    ScratchReserve(0, mark)[0] = 0;
    return;
  }
  StrSpaces(MAX_PATH, mark);
  char* path = ScratchAt(mark);
  ItemListPath(list, path);
  FreeItemList(list);
  int32_t length = StrLength(path);
  ScratchGiveBack(MAX_PATH - length);
  if (length > 0 && path[length - 1] != '\\') ScratchAppend("\\");
}

using GetSystemWindowsDirectoryFunction = UINT(WINAPI*)(LPSTR buffer, UINT size);

void WindowsFolderPath(int32_t mark) {
  // Windows 98 and ME lack it; they have only the one Windows folder.
  auto systemWindowsFolder = reinterpret_cast<GetSystemWindowsDirectoryFunction>(
      reinterpret_cast<void*>(Kernel32Function("GetSystemWindowsDirectoryA")));
  StrSpaces(MAX_PATH, mark);
  char* path = ScratchAt(mark);
  UINT length = systemWindowsFolder ? systemWindowsFolder(path, MAX_PATH) : 0;
  if (length == 0 || length >= MAX_PATH) length = GetWindowsDirectoryA(path, MAX_PATH);
  if (length >= MAX_PATH) length = 0;
  path[length] = 0;
  ScratchGiveBack(MAX_PATH - length);
  if (length > 0 && path[length - 1] != '\\') ScratchAppend("\\");
}

// The image-help library is loaded when a folder is first made, not with the program: only
// the installation needs it, and loading it would lengthen every start.
using MakeSureDirectoryPathExistsFunction = BOOL(WINAPI*)(PCSTR path);

static MakeSureDirectoryPathExistsFunction MakeSureDirectoryPathExists() {
  static MakeSureDirectoryPathExistsFunction function;
  if (!function)
    if (HMODULE imagehlp = LoadSystemLibrary("IMAGEHLP.DLL"))
      function = reinterpret_cast<MakeSureDirectoryPathExistsFunction>(
          reinterpret_cast<void*>(GetProcAddress(imagehlp, "MakeSureDirectoryPathExists")));
  return function;
}

namespace {

// The longest path a folder can have is 247 characters (MAX_PATH less room for an 8.3 file
// name). The system's helper copies each part of the path into a MAX_PATH buffer without a
// bound, so a longer path never reaches it.
constexpr size_t FolderPathLimit = 248;

bool FitsFolderLimit(const char* path) {
  for (size_t length = 0; length < FolderPathLimit; ++length)
    if (!path[length]) return true;
  return false;
}

}  // namespace

int32_t EnsureDirectoryPath(const char* path) {
  if (!path) path = "";
  if (!FitsFolderLimit(path)) return 0;
  MakeSureDirectoryPathExistsFunction makeFolders = MakeSureDirectoryPathExists();
  return makeFolders && makeFolders(path) ? 1 : 0;
}
