#pragma once
// Which native windows are toolkit windows, and their numbers. Each carries the property
// "VX_WindowID" (its number plus 1) for anyone to read; the toolkit itself reads the same
// mark from a list in the process, so that no message costs it a property look-up.
#include <windows.h>
#include <stdint.h>

void MarkToolkitWindow(HWND window, intptr_t number);
void UnmarkToolkitWindow(HWND window);
// The number of a marked window, or -1.
intptr_t MarkedWindowNumber(HWND window);
