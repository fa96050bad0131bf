#include "toolkit/subclass.h"

ControlProc SubclassControl(HWND control, WNDPROC proc) {
  bool unicode = IsWindowUnicode(control) != FALSE;
  LONG_PTR replaced = unicode ? SetWindowLongPtrW(control, GWLP_WNDPROC, (LONG_PTR)proc)
                              : SetWindowLongPtrA(control, GWLP_WNDPROC, (LONG_PTR)proc);
  return ControlProc{(WNDPROC)replaced, unicode};
}

LRESULT CallControlProc(const ControlProc& previous, HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  return previous.unicode ? CallWindowProcW(previous.proc, control, message, wParam, lParam)
                          : CallWindowProcA(previous.proc, control, message, wParam, lParam);
}

LRESULT DefaultControlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  return IsWindowUnicode(control) ? DefWindowProcW(control, message, wParam, lParam)
                                  : DefWindowProcA(control, message, wParam, lParam);
}
