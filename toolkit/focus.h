#pragma once
// Keyboard focus: which gadget has it, and Tab / Shift+Tab between the tab stops of the
// active toolkit window.
#include <stdint.h>

// The number of the gadget with the keyboard focus, or -1. Only tests ask; it stays as the
// toolkit's one query of the focus, the counterpart of MoveFocus.
intptr_t FocusedGadget();
void MoveFocus(int backwards);
