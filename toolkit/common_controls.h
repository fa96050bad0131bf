#pragma once
// The common-controls library, loaded at run time (never imported, so that nothing loads
// it before the program has restricted the DLL search) and kept until the process ends.
#include <windows.h>

// The library, loaded on the first call: version 6 where the manifest's side-by-side
// assembly is there, else the system folder's own. Null if it cannot be loaded.
HMODULE CommonControlsLibrary();
// InitCommonControlsEx for the given classes (InitCommonControls where it is missing).
void CommonControlsInitialise(DWORD classes);
// InitCommonControls.
void CommonControlsInitialiseAll();
