#pragma once
// The system libraries loaded from the system folder at start-up.
#include <windows.h>

// Loads, by full path from the system folder, the libraries the system itself loads later by
// bare name (PreloadedLibraries), so that those later loads find them loaded. Missing ones
// are skipped; the others stay loaded until the process ends. Called by ProtectProcess where
// RestrictDllSearch could not keep the search to the system folder.
void PreloadSystemLibraries();
extern const char* const PreloadedLibraries[];
extern const int PreloadedLibraryCount;
