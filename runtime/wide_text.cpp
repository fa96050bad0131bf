#include "runtime/wide_text.h"
#include <windows.h>

static bool RunsOnNt() {
  OSVERSIONINFOA version = {};
  version.dwOSVersionInfoSize = sizeof version;
  return GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

// Asked once: a listing asks for every entry. A plain variable, not a static with an
// initialiser, which would bring in the thread-safe guard and its threading library.
bool WideFunctionsWork() {
  static int nt = -1;
  if (nt < 0) nt = RunsOnNt() ? 1 : 0;
  return nt == 1;
}

int32_t WideToAnsiExact(const wchar_t* text, char* buffer, int32_t size) {
  if (size <= 0) return 0;
  BOOL usedDefault = FALSE;
  int bytes = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text, -1, buffer, size, nullptr, &usedDefault);
  if (bytes > 0 && !usedDefault) return 1;
  buffer[0] = 0;
  return 0;
}
