#pragma once
// Edit fields: native single-line edits with optional colours.
#include <windows.h>
#include <stdint.h>

intptr_t CreateEditField(intptr_t number, int x, int y, int width, int height, const char* text, uint32_t flags = 0);
