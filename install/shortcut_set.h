#pragma once
// The shortcuts chosen on the Start-menu and additional-tasks pages.
#include <stdint.h>

// Creates the Start-menu, desktop and Quick Launch shortcuts that the wizard's inputs ask
// for, to the program in installationFolder (which ends in a backslash). Returns 0.
int32_t CreateProgramShortcuts(const char* installationFolder);
