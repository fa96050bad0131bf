#pragma once
// Image boxes: statics that draw a bitmap or an icon and take its size.
#include <windows.h>
#include <stdint.h>

intptr_t CreateImageBox(intptr_t number, int x, int y, int width, int height, HANDLE image);
