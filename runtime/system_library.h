#pragma once
// Loading of system DLLs at run time from the system folder only: a DLL of the same name
// planted beside the setup program (a download folder) must never be picked up.
#include <windows.h>
#include "runtime/preloaded_libraries.h"  // the step that follows RestrictDllSearch

// Restricts the process's DLL search to the system folder. Called first by the entry.
void RestrictDllSearch();

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
