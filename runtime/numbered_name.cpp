#include "runtime/numbered_name.h"

void NumberedName(char* name, const char* prefix, uintptr_t number) {
  while (*prefix) *name++ = *prefix++;
  // Count the digits first, then write them from the last one back.
  uintptr_t rest = number;
  do ++name; while (rest /= 10);
  *name = '\0';
  do *--name = (char)('0' + number % 10); while (number /= 10);
}
