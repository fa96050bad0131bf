// The libraries that the system's own DLLs load by bare name for a program like this one
// (themes, window composition, versions, cryptography, accessibility, the shell's helpers,
// sound, rich-edit line services, COM's class catalogue). Most are not KnownDLLs, so where the
// search cannot be restricted fully such a load would look in the program's folder first.
// Loaded from the system folder before anything else, each later load by name finds it
// already loaded.
#include "runtime/preloaded_libraries.h"
#include "runtime/system_library.h"

const char* const PreloadedLibraries[] = {
    "uxtheme.dll", "dwmapi.dll",  "version.dll",  "cryptbase.dll", "cryptsp.dll",
    "propsys.dll", "oleacc.dll",  "userenv.dll",  "profapi.dll",   "apphelp.dll",
    "ntmarta.dll", "shfolder.dll", "setupapi.dll", "linkinfo.dll", "ntshrui.dll",
    "cscapi.dll",  "sspicli.dll", "winmm.dll",    "msls31.dll",    "clbcatq.dll",
};
const int PreloadedLibraryCount = sizeof(PreloadedLibraries) / sizeof(PreloadedLibraries[0]);

void PreloadSystemLibraries() {
  // A library whose own imports cannot be found is skipped without the system's error box.
  UINT previous = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  for (int i = 0; i < PreloadedLibraryCount; ++i) LoadFromSystemFolder(PreloadedLibraries[i]);
  SetErrorMode(previous);
}
