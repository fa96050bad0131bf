#pragma once
// Operating another program's controls with the messages that a user's input causes.
#include <windows.h>
#include <string>

// A button or check box pressed as by the mouse (BM_CLICK: button down, button up).
bool PressButton(HWND button);
// A list entry clicked with the mouse: scrolled into view, then button down and up on it,
// so the list box selects it and tells its parent itself.
bool ClickListEntry(HWND list, const std::string& entry, std::string* error);
// The close box of a window: the system command that a click on it produces.
void PressCloseBox(HWND window);
// One key or chord ("tab", "shift+tab", "space", "enter", "escape", "pageup", "pagedown")
// typed through the system's input queue into the foreground window.
bool TypeKey(HWND foreground, const std::string& key, std::string* error);
