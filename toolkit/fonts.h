#pragma once
// Numbered fonts.
#include <windows.h>
#include <stdint.h>

// The setup asks only for bold; the other styles stay as FontLoad's for any caller.
enum FontStyle : uint32_t {
  FontUnderline = 0x4,
  FontStrikeOut = 0x8,
  FontHighQuality = 0x10,
  FontBold = 0x100,
  FontItalic = 0x200,
};

void FontsStart();
void FontsStop();
// Returns the native font for a fixed number, the new number for AutoNumber, 0 on failure.
intptr_t FontLoad(intptr_t number, const char* face, int pointSize, uint32_t style = 0);
void FontFree(intptr_t number);
