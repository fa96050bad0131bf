#pragma once
// The shared cache of solid background brushes: one brush per colour, for every gadget with
// that back colour.
#include <windows.h>
#include <stdint.h>

void BrushCacheStart();  // initialises the cache's lock (called by GadgetsStart)
HBRUSH BrushAcquire(int32_t color);
void BrushRelease(HBRUSH brush);
