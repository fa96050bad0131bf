#pragma once
// List boxes: native list boxes whose state is the selected index.
#include <windows.h>
#include <stdint.h>

intptr_t CreateListBox(intptr_t number, int x, int y, int width, int height, uint32_t flags = 0);
