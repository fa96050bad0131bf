#include "runtime/services.h"

void Delay(int milliseconds) { Sleep(milliseconds); }

int OsVersionFromRecords(const OSVERSIONINFOA* plain, const OSVERSIONINFOEXA* extended) {
  if (!plain) return 100;
  DWORD major = plain->dwMajorVersion, minor = plain->dwMinorVersion;
  switch (plain->dwPlatformId) {
    case VER_PLATFORM_WIN32_WINDOWS:
      return minor == 0 ? 10 : minor == 10 ? 30 : minor == 90 ? 40 : 100;
    case VER_PLATFORM_WIN32_NT:
      if (major == 3) return 5;
      if (major == 4) return 20;
      if (major == 5) return minor == 0 ? 50 : minor == 1 ? 60 : minor == 2 ? 65 : 100;
      if (major == 6) return extended && extended->wProductType != VER_NT_WORKSTATION ? 75 : 70;
      return 100;
    default:
      return 100;
  }
}

int OsVersion() {
  OSVERSIONINFOA plain = {};
  plain.dwOSVersionInfoSize = sizeof(plain);  // 148 bytes
  if (!GetVersionExA(&plain)) return 100;
  OSVERSIONINFOEXA extended = {};
  bool haveExtended = false;
  if (plain.dwPlatformId == VER_PLATFORM_WIN32_NT && plain.dwMajorVersion == 6) {
    extended.dwOSVersionInfoSize = sizeof(extended);  // 156 bytes
    haveExtended = GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&extended)) != 0;
  }
  return OsVersionFromRecords(&plain, haveExtended ? &extended : nullptr);
}
