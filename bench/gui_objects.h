#pragma once
// Counts of the process's own GDI and USER objects, for leak checks.
#include <windows.h>

struct GuiObjectCount {
  long count;          // -1: not available here
  const char* source;  // how it was counted
};

// GetGuiResources where the system reports it; otherwise, under Wine, the live entries of
// the process's GDI handle table, accepted only after three brushes made and deleted
// show up in it exactly.
GuiObjectCount CountGdiObjects();
// GetGuiResources where the system reports it; otherwise the windows of the process, the
// USER objects a leak would most likely be made of.
GuiObjectCount CountUserObjects();
