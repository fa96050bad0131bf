#pragma once
// Modal requesters: message boxes and the folder browser.
#include <windows.h>
#include <stdint.h>

void RequestersStart();
int ShowMessage(const char* title, const char* text, UINT flags);
void ChooseFolder(const char* title, const char* initialPath, int32_t mark);  // result at mark
HWND OwnForegroundWindow();
void DisableThreadWindows(int disable);
