#pragma once
// The baselines' window: the wizard's client size, centred, grey, with four buttons and
// nothing else. Runs its message loop until the window is closed; never returns.
#include <windows.h>

// A window created hidden; the caller may add to it before it is shown.
HWND CreatePlainWindow();
[[noreturn]] void ShowAndRun(HWND window);
