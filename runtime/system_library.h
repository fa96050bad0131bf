#pragma once
// Loading of system DLLs at run time from the system folder only: a DLL of the same name
// planted beside the setup program (a download folder) must never be picked up.
#include <windows.h>
#include "runtime/preloaded_libraries.h"  // the step that follows RestrictDllSearch where it must

// How far the process's DLL search is restricted.
enum class DllSearch {
  // SetDefaultDllDirectories: a later load by bare name looks in the system folder only.
  SystemFolderOnly,
  // SetDllDirectoryA("") where it exists, which takes only the current folder out: the
  // program's own folder is still searched first, so the libraries the system loads by bare
  // name are preloaded from the system folder (PreloadSystemLibraries).
  ProgramFolderFirst,
};

// The restriction for a system: SystemFolderOnly where SetDefaultDllDirectories exists and
// the system's version is not 6.0 (Vista and Server 2008, where a shell link cannot be
// created once the search is restricted so); ProgramFolderFirst everywhere else. A version
// that could not be read is 0.0.
DllSearch DllSearchFor(bool setDefaultDllDirectoriesFound, DWORD major, DWORD minor);
// Restricts the search as DllSearchFor decides for the functions lookUp finds and the
// version given; where SetDefaultDllDirectories refuses, falls back as if it were missing.
// Returns the restriction made.
DllSearch RestrictDllSearchOn(FARPROC (*lookUp)(const char* name), DWORD major, DWORD minor);
// The same with kernel32's functions and the version this system reports. Called first by
// the entry (ProtectProcess).
DllSearch RestrictDllSearch();

// Loads a library by bare name from the system folder; null if it is not there.
HMODULE LoadSystemLibrary(const char* name);
// Loads a library by its full path in the system folder; null if it is not there.
HMODULE LoadFromSystemFolder(const char* name);
// Loads a system library that the program's manifest may redirect to a side-by-side
// assembly (the common controls of version 6), never from anywhere but the system folder or
// that assembly.
HMODULE LoadRedirectableSystemLibrary(const char* name);
// Whether the process's activation context redirects a bare-name load of the library.
bool ManifestRedirects(const char* name);
// A function of kernel32 that older Windows versions lack; null where it is missing.
FARPROC Kernel32Function(const char* name);
