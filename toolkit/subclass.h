#pragma once
// Subclassing a control in the character set its procedure already works in. A procedure of
// the other set would turn every message into that set and back on its way through, and
// changing the control's set costs the system a round trip to the window server.
#include <windows.h>

struct ControlProc {
  WNDPROC proc;  // null until known
  bool unicode;  // proc was taken, and is called, as a Unicode procedure
};

// Puts proc in front of the control's procedure and returns the procedure it replaced.
ControlProc SubclassControl(HWND control, WNDPROC proc);
LRESULT CallControlProc(const ControlProc& previous, HWND control, UINT message, WPARAM wParam, LPARAM lParam);
// Default processing in the character set the control's procedure works in.
LRESULT DefaultControlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam);
