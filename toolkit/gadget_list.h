#pragma once
// Gadget lists: which native window receives the next gadget.
#include <windows.h>

HWND GadgetListAttach(HWND window);
void GadgetListPush(HWND container);
void GadgetListClose();
HWND GadgetListParent();  // the current parent
