#pragma once
// Labels: native static texts with optional front and back colours.
#include <windows.h>
#include <stdint.h>

intptr_t CreateLabel(intptr_t number, int x, int y, int width, int height, const char* text, uint32_t flags = 0);
