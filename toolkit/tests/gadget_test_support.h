#pragma once
// Helpers for tests that drive gadgets in real windows.
#include <windows.h>
#include <stdint.h>
#include <ostream>
#include <vector>
#include "toolkit/gadget_registry.h"

// An EvGadget event as the queries report it.
struct GadgetEvent {
  intptr_t gadget;
  int32_t subtype;
  intptr_t window;
  bool operator==(const GadgetEvent& other) const {
    return gadget == other.gadget && subtype == other.subtype && window == other.window;
  }
};
std::ostream& operator<<(std::ostream& out, const GadgetEvent& event);

// A kind table with a number and no operations: every generic operation falls back.
inline GadgetKind KindWithoutOperations(int32_t number) {
  GadgetKind kind = {};
  kind.kind = number;
  return kind;
}

// Waits without blocking until nothing is left; returns the EvGadget events seen, in order.
std::vector<GadgetEvent> CollectGadgetEvents();
// Takes every waiting native message and event and throws them away.
void DrainEvents();

// A gadget over any native control, made as the creators make theirs: the control in the
// current gadget parent under the provisional identifier -1, then the record, then the
// registration. Returns what a creator returns.
intptr_t MakeGadget(intptr_t number, const char* className, DWORD style, const GadgetKind* kind,
                    const char* text = "", int x = 10, int y = 10, int width = 80, int height = 24);
// A plain push button gadget with no operations of its kind.
intptr_t MakeButton(intptr_t number, int x = 10, int y = 10);

// Posts a left click in the middle of a control, as the mouse would deliver it.
void PostLeftClick(HWND control);

// Makes a top-level window the active and foreground one.
void Activate(HWND window);
