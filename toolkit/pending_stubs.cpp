// Temporary: entry points whose libraries are still being written. Each is removed when
// its real implementation lands.
#include "toolkit/requesters.h"

void RequestersStart() {}
int ShowMessage(const char* title, const char* text, UINT flags) {
  return MessageBoxA(nullptr, text, title, flags);
}
