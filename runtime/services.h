#pragma once
// Small services used across the program.
#include <windows.h>
#include <stdint.h>

void Delay(int milliseconds);

// The running Windows family and version as one code:
// 95 = 10, 98 = 30, ME = 40, NT 3 = 5, NT 4 = 20, 2000 = 50, XP = 60, 2003 = 65,
// Vista and later workstation = 70, server = 75, anything else = 100.
int OsVersion();
// The same decision on given version records; extended is null when the extended query
// failed. Kept apart so every row of the table can be tested.
int OsVersionFromRecords(const OSVERSIONINFOA* plain, const OSVERSIONINFOEXA* extended);

// Colour value 0x00BBGGRR, by addition without masking.
inline int32_t ColorRgb(int32_t red, int32_t green, int32_t blue) {
  return red + green * 256 + blue * 65536;
}
