#include "runtime/system_library.h"
#include <string.h>

#ifndef LOAD_LIBRARY_SEARCH_SYSTEM32
#define LOAD_LIBRARY_SEARCH_SYSTEM32 0x00000800
#endif

namespace {

typedef BOOL(WINAPI* SetDefaultDllDirectoriesFn)(DWORD);
typedef BOOL(WINAPI* SetDllDirectoryFn)(LPCSTR);
typedef BOOL(WINAPI* FindActCtxSectionStringFn)(DWORD, const GUID*, ULONG, LPCSTR,
                                                PACTCTX_SECTION_KEYED_DATA);

// LoadLibraryEx understands the LOAD_LIBRARY_SEARCH_ flags where SetDefaultDllDirectories
// exists: from Windows 8, and on 7 and Vista with the search-order update.
bool SearchFlagsSupported() { return Kernel32Function("SetDefaultDllDirectories") != nullptr; }

}  // namespace

FARPROC Kernel32Function(const char* name) {
  HMODULE kernel = GetModuleHandleA("kernel32.dll");
  return kernel ? GetProcAddress(kernel, name) : nullptr;
}

DllSearch DllSearchFor(bool setDefaultDllDirectoriesFound, DWORD major, DWORD minor) {
  bool vista = major == 6 && minor == 0;
  return setDefaultDllDirectoriesFound && !vista ? DllSearch::SystemFolderOnly : DllSearch::ProgramFolderFirst;
}

// Both search settings are looked up, never imported: the program must start on systems
// that lack them. SetDllDirectoryA exists from XP SP1.
DllSearch RestrictDllSearchOn(FARPROC (*lookUp)(const char* name), DWORD major, DWORD minor) {
  auto setDefault =
      reinterpret_cast<SetDefaultDllDirectoriesFn>(reinterpret_cast<void*>(lookUp("SetDefaultDllDirectories")));
  if (DllSearchFor(setDefault != nullptr, major, minor) == DllSearch::SystemFolderOnly &&
      setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32))
    return DllSearch::SystemFolderOnly;
  // Elsewhere: at least take the current folder out of the search that follows the system
  // folders.
  auto setDirectory = reinterpret_cast<SetDllDirectoryFn>(reinterpret_cast<void*>(lookUp("SetDllDirectoryA")));
  if (setDirectory) setDirectory("");
  return DllSearch::ProgramFolderFirst;
}

DllSearch RestrictDllSearch() {
  OSVERSIONINFOA version = {};
  version.dwOSVersionInfoSize = sizeof(version);
  if (!GetVersionExA(&version)) version.dwMajorVersion = version.dwMinorVersion = 0;
  return RestrictDllSearchOn(Kernel32Function, version.dwMajorVersion, version.dwMinorVersion);
}

HMODULE LoadFromSystemFolder(const char* name) {
  char path[MAX_PATH];
  UINT length = GetSystemDirectoryA(path, MAX_PATH);
  size_t nameLength = strlen(name);
  if (length == 0 || length + 1 + nameLength >= MAX_PATH) return nullptr;
  path[length] = '\\';
  memcpy(path + length + 1, name, nameLength + 1);
  // The library's own imports are looked for in the system folder too: with the search
  // flag where it exists, else beginning in the library's folder.
  return LoadLibraryExA(path, nullptr,
                        SearchFlagsSupported() ? LOAD_LIBRARY_SEARCH_SYSTEM32 : LOAD_WITH_ALTERED_SEARCH_PATH);
}

HMODULE LoadSystemLibrary(const char* name) {
  if (SearchFlagsSupported()) return LoadLibraryExA(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  return LoadFromSystemFolder(name);
}

bool ManifestRedirects(const char* name) {
  auto find = reinterpret_cast<FindActCtxSectionStringFn>(
      reinterpret_cast<void*>(Kernel32Function("FindActCtxSectionStringA")));
  if (!find) return false;
  ACTCTX_SECTION_KEYED_DATA data = {};
  data.cbSize = sizeof(data);
  return find(0, nullptr, ACTIVATION_CONTEXT_SECTION_DLL_REDIRECTION, name, &data) != FALSE;
}

// A full path is never redirected to a side-by-side assembly, so the bare name is loaded
// wherever that is safe:
// - with the search flag: the activation context is consulted first, then only the system
//   folder;
// - without it (XP, and Vista and 7 without the update), a bare-name load searches the
//   program's folder first, but only when the activation context does not redirect the
//   name: the redirection to the side-by-side store comes before any folder is searched, and
//   a program with a manifest gets no ".local" redirection. So the bare name is loaded only
//   where the manifest's redirection is found in place;
// - otherwise (98, ME, 2000 have no side-by-side store) the system folder's own copy.
HMODULE LoadRedirectableSystemLibrary(const char* name) {
  if (SearchFlagsSupported()) return LoadLibraryExA(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (ManifestRedirects(name)) return LoadLibraryA(name);
  return LoadFromSystemFolder(name);
}
