#include "gadget_test_support.h"
#include "toolkit/window.h"

std::ostream& operator<<(std::ostream& out, const GadgetEvent& event) {
  return out << "{gadget " << event.gadget << ", subtype " << event.subtype << ", window "
             << event.window << "}";
}

std::vector<GadgetEvent> CollectGadgetEvents() {
  std::vector<GadgetEvent> events;
  for (int i = 0; i < 1000; ++i) {
    int32_t kind = PollEvent();
    if (kind == 0) break;
    if (kind == EvGadget)
      events.push_back({LastEventGadget(), LastEventSubtype(), LastEventWindow()});
  }
  return events;
}

void DrainEvents() {
  for (int i = 0; i < 1000 && PollEvent() != 0; ++i) {
  }
}

intptr_t MakeGadget(intptr_t number, const char* className, DWORD style, const GadgetKind* kind,
                    const char* text, int x, int y, int width, int height) {
  HWND control = CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | style, x, y, width,
                                 height, GadgetListParent(), (HMENU)(intptr_t)-1,
                                 GetModuleHandleA(nullptr), nullptr);
  if (!control) return 0;
  return RegisterGadget(number, GadgetRecordFor(number), control, kind);
}

intptr_t MakeButton(intptr_t number, int x, int y) {
  static const GadgetKind PlainButton = KindWithoutOperations(KindButton);
  return MakeGadget(number, "Button", WS_TABSTOP | BS_PUSHBUTTON, &PlainButton, "b", x, y);
}

void PostLeftClick(HWND control) {
  RECT client;
  GetClientRect(control, &client);
  LPARAM middle = MAKELPARAM(client.right / 2, client.bottom / 2);
  PostMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, middle);
  PostMessageA(control, WM_LBUTTONUP, 0, middle);
}

void Activate(HWND window) {
  SetForegroundWindow(window);
  SetActiveWindow(window);
  SetFocus(window);
}
