#pragma once
// The common frame of the gadget creators and the helpers their subclass procedures share.
#include <windows.h>
#include <stdint.h>
#include "toolkit/gadget_registry.h"
#include "toolkit/subclass.h"

// Creates a kind's native control in the current gadget parent. A fixed number is its
// identifier from the start; under AutoNumber the number is not known yet, and the control
// gets a provisional identifier (-1 for every kind but the progress bar) until it is
// registered. Null if the control cannot be made.
HWND CreateGadgetControl(intptr_t number, DWORD extendedStyle, const char* className, const char* text, DWORD style,
                         int x, int y, int width, int height, intptr_t provisionalId = -1);
// The record for a number once its control exists. Destroys the control and gives null if
// there is no record to be had, so that the creator can return 0.
GadgetRecord* TakeGadgetRecord(intptr_t number, HWND control);

// Subclasses a control with a kind's procedure. The previous procedure is the class's own
// procedure, the same for every control of the class, and is remembered once per kind.
void SubclassKind(HWND control, WNDPROC kindProc, ControlProc* classProc);

// The drag rectangle: the system's drag width and height around a press, read once.
void ReadDragSize();
bool OutsideDragRect(int pressX, int pressY, LPARAM mousePosition);
