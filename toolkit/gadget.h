#pragma once
// Numbered gadgets: native child controls addressed by a number that is also their control
// identifier and their "VX_ID" property, both pointer-sized since an AutoNumber number is
// an address. The generic operations below work on every kind; the creators are in
// gadget_kinds.h.
#include <windows.h>
#include <stdint.h>
#include "toolkit/gadget_list.h"

constexpr int32_t ColorFront = 1;
constexpr int32_t ColorBack = 2;

void GadgetsStart();
// A step of the libraries' stop sequence that has nothing to release, since gadgets die
// with their windows; it stays so that the sequence keeps its steps.
void GadgetsStop();

void GadgetSetText(intptr_t gadget, const char* text);
void GadgetGetText(intptr_t gadget, int32_t mark);  // result at mark
intptr_t GadgetGetState(intptr_t gadget);
void GadgetSetState(intptr_t gadget, intptr_t state);
void GadgetHide(intptr_t gadget, int hide);
void GadgetDisable(intptr_t gadget, int disable);
void GadgetClearItems(intptr_t gadget);
int32_t GadgetAddItem(intptr_t gadget, int32_t position, const char* text);
void GadgetSetColor(intptr_t gadget, int32_t which, int32_t color);
// The native control. Only tests use it; it stays as the generic operation every gadget
// number offers besides those above.
HWND GadgetHandle(intptr_t gadget);
void GadgetSetFont(intptr_t gadget, HFONT font);  // gadget -1: default for later gadgets; font -1: stock font
// Non-zero: gadgets created from now on start hidden, as if hidden right after their
// creation but without the work of hiding them; 0 (the default): they start visible again.
void GadgetCreateHidden(int hidden);
void GadgetFree(intptr_t gadget);
