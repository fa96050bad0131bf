// Temporary: entry points whose libraries are still being written. Each is removed when
// its real implementation lands.
#include "toolkit/fonts.h"
#include "toolkit/gadget.h"
#include "toolkit/requesters.h"
#include "toolkit/focus.h"

void FontsStart() {}
void FontsStop() {}
void GadgetsStart() {}
void GadgetsStop() {}
HWND GadgetListAttach(HWND) { return nullptr; }
LRESULT ForwardToGadgetKind(HWND, HWND, UINT, WPARAM, LPARAM) { return NotHandled; }
void MoveFocus(int) {}
int32_t FocusedGadget() { return -1; }
void RequestersStart() {}
int ShowMessage(const char* title, const char* text, UINT flags) {
  return MessageBoxA(nullptr, text, title, flags);
}
