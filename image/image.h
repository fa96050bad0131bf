#pragma once
// Numbered images decoded from memory into native bitmaps and icons.
#include <windows.h>
#include <stdint.h>

void DecodersStart();
void ImagesStart();
void ImagesStop();
