// Linked ahead of the runtime library, this empty start step replaces the one that loads the
// system libraries from the system folder: the setup without them, to measure what they cost.
#include "runtime/preloaded_libraries.h"

void PreloadSystemLibraries() {}
