#pragma once
// Text editors: multi-line rich-edit controls whose items are lines.
#include <windows.h>
#include <stdint.h>

intptr_t CreateTextEditor(intptr_t number, int x, int y, int width, int height, uint32_t flags);
