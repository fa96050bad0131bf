#pragma once
// Shortcut files written through the shell's link object.
#include <stdint.h>

// Writes the shortcut file linkFile (its folder must exist; an existing file is replaced).
// showCommand is a show-window value; iconFile may be empty for the target's own icon.
// Returns 1 when the link object was made and asked to save itself, whatever the save
// did, and 0 when the link object or its persistence interface could not be had.
int32_t CreateShellLink(const char* target, const char* linkFile, const char* arguments,
                        const char* description, const char* workingFolder,
                        int32_t showCommand, const char* iconFile, int32_t iconIndex);
