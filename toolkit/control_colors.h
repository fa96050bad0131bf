#pragma once
// Front and back colours of edit fields, labels and list boxes, answered to the parent's
// control-colour requests, kept in the record's ColorWords.
#include <windows.h>
#include <stdint.h>
#include "toolkit/gadget_registry.h"

void ControlColorsInit(GadgetRecord* gadget);
// The answer to a control-colour request: a brush, or NotHandled when no colour is set.
// plainBackground is the system colour behind a front colour without a back colour.
LRESULT ControlColorAnswer(GadgetRecord* gadget, HDC dc, int plainBackground);
void ControlColorSet(GadgetRecord* gadget, int32_t which, int32_t color);
void ControlColorsRelease(GadgetRecord* gadget);
