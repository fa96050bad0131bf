#pragma once
// List boxes: native list boxes whose state is the selected index. Multiple selection and
// the start of a drag are not used by the setup; they stay as the kind's for any caller.
#include <windows.h>
#include <stdint.h>

intptr_t CreateListBox(intptr_t number, int x, int y, int width, int height, uint32_t flags = 0);
