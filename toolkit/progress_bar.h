#pragma once
// Progress bars: native progress controls with a 32-bit range.
#include <windows.h>
#include <stdint.h>

intptr_t CreateProgressBar(intptr_t number, int x, int y, int width, int height, int32_t minimum, int32_t maximum,
                           uint32_t flags);
