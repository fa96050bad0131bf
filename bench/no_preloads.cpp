// Linked ahead of the runtime library, this empty start step replaces the one that loads the
// system libraries from the system folder where the DLL search still begins in the program's
// folder (a system without SetDefaultDllDirectories, or Vista): the setup without them on
// such a system, to measure what they cost there. Elsewhere it is the setup itself.
#include "runtime/preloaded_libraries.h"

void PreloadSystemLibraries() {}
