#pragma once
// Buttons and check boxes: native buttons whose state is their check mark.
#include <windows.h>
#include <stdint.h>

intptr_t CreateButton(intptr_t number, int x, int y, int width, int height, const char* text, uint32_t flags = 0);
intptr_t CreateCheckBox(intptr_t number, int x, int y, int width, int height, const char* text, uint32_t flags = 0);
