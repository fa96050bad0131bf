#pragma once
// Image boxes: statics that draw a bitmap or an icon and take its size. They report clicks,
// double clicks, right clicks and the start of a drag; the setup's pictures ignore the
// mouse, but the events stay so that an image box reports mouse actions like any gadget.
#include <windows.h>
#include <stdint.h>

intptr_t CreateImageBox(intptr_t number, int x, int y, int width, int height, HANDLE image);
