#pragma once
// Loading of system DLLs at run time from the system folder only: a DLL of the same name
// planted beside the setup program (a download folder) must never be picked up.
#include <windows.h>

// Restricts the process's DLL search to the system folder. Called first by the entry.
void RestrictDllSearch();
// Loads a library by bare name from the system folder; null if it is not there.
HMODULE LoadSystemLibrary(const char* name);
// A function of kernel32 that older Windows versions lack; null where it is missing.
FARPROC Kernel32Function(const char* name);
