#include "runtime/system_library.h"
#include <string.h>

#ifndef LOAD_LIBRARY_SEARCH_SYSTEM32
#define LOAD_LIBRARY_SEARCH_SYSTEM32 0x00000800
#endif

namespace {

typedef BOOL(WINAPI* SetDefaultDllDirectoriesFn)(DWORD);
typedef BOOL(WINAPI* SetDllDirectoryFn)(LPCSTR);

}  // namespace

FARPROC Kernel32Function(const char* name) {
  HMODULE kernel = GetModuleHandleA("kernel32.dll");
  return kernel ? GetProcAddress(kernel, name) : nullptr;
}

// Both search settings are looked up, never imported: the program must start on systems
// that lack them. SetDefaultDllDirectories exists from Windows 8 (and on 7 with an update);
// where it does, LoadLibraryEx understands LOAD_LIBRARY_SEARCH_SYSTEM32. SetDllDirectoryA
// exists from XP SP1.
void RestrictDllSearch() {
  auto setDefault = reinterpret_cast<SetDefaultDllDirectoriesFn>(
      reinterpret_cast<void*>(Kernel32Function("SetDefaultDllDirectories")));
  if (setDefault && setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32)) return;
  // Older systems: at least take the current folder out of the search that follows the
  // system folders.
  auto setDirectory = reinterpret_cast<SetDllDirectoryFn>(
      reinterpret_cast<void*>(Kernel32Function("SetDllDirectoryA")));
  if (setDirectory) setDirectory("");
}

HMODULE LoadSystemLibrary(const char* name) {
  if (Kernel32Function("SetDefaultDllDirectories"))
    return LoadLibraryExA(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  char path[MAX_PATH];
  UINT length = GetSystemDirectoryA(path, MAX_PATH);
  size_t nameLength = strlen(name);
  if (length == 0 || length + 1 + nameLength >= MAX_PATH) return nullptr;
  path[length] = '\\';
  memcpy(path + length + 1, name, nameLength + 1);
  return LoadLibraryExA(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}
