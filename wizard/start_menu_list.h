#pragma once
// The Start-menu page's list of the program folders that already exist.
#include <stdint.h>

// Appends to the list gadget the names of the sub-folders of folder, in listing order,
// leaving out files and names that are empty, ".", ".." or "..." once trimmed of blanks.
// A folder that cannot be listed adds nothing. Returns 0.
int32_t ListStartMenuFolders(intptr_t gadget, const char* folder);
