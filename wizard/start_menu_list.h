#pragma once
// The Start-menu page's list of the program folders that already exist.
#include <stdint.h>

// Appends to the list gadget the names of the sub-folders of folder, in listing order,
// leaving out files and every name that, picked, would give a Start-menu folder name the
// page refuses (a name ending in a blank or a dot, such as "." and "..", or a device
// name). An empty folder (the Programs folder could not be looked up) and one that cannot
// be listed add nothing. Returns 0.
int32_t ListStartMenuFolders(intptr_t gadget, const char* folder);
