#pragma once
// Loading of system DLLs at run time from the system folder only: a DLL of the same name
// planted beside the setup program (a download folder) must never be picked up.
#include <windows.h>

// Restricts the process's DLL search to the system folder. Called first by the entry.
void RestrictDllSearch();
// Loads, by full path from the system folder, the libraries the system itself loads later by
// bare name (PreloadedLibraries), so that those later loads find them loaded. Missing ones
// are skipped; the others stay loaded until the process ends. Called right after
// RestrictDllSearch.
void PreloadSystemLibraries();
extern const char* const PreloadedLibraries[];
extern const int PreloadedLibraryCount;

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
