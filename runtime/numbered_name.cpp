#include "runtime/numbered_name.h"

void NumberedName(char* name, const char* prefix, intptr_t number) {
  while (*prefix) *name++ = *prefix++;
  // Digits are taken from the magnitude as unsigned, which also holds the smallest number.
  uintptr_t magnitude = number < 0 ? 0 - (uintptr_t)number : (uintptr_t)number;
  if (number < 0) *name++ = '-';
  char digits[20];
  int count = 0;
  do {
    digits[count++] = (char)('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude);
  while (count) *name++ = digits[--count];
  *name = '\0';
}
