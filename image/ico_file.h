#pragma once
// ICO files in memory, made into native icons.
#include <windows.h>
#include <stdint.h>

// The directory entry an icon is made from: the first entry, or a later one of the same
// width and height with more bits per pixel (ties keep the earlier). -1 when the data is
// not an icon file or its directory does not fit in size.
int ChooseIconEntry(const uint8_t* data, uint32_t size);

// The icon of the chosen entry, or 0 when the data is not an icon file, the entry's data
// lie outside the file, its bitmap does not fit in the entry, or the system refuses it.
HICON IconFromIcoFile(const uint8_t* data, uint32_t size);
