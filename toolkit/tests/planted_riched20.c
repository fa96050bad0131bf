/* A stand-in for a library planted beside a program under a system library's name: when
   it is loaded, it leaves the marker file named by BRX_PLANTED_MARKER. */
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  (void)instance;
  (void)reserved;
  if (reason == DLL_PROCESS_ATTACH) {
    char path[MAX_PATH];
    DWORD length = GetEnvironmentVariableA("BRX_PLANTED_MARKER", path, MAX_PATH);
    if (length && length < MAX_PATH) {
      HANDLE marker = CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
      if (marker != INVALID_HANDLE_VALUE) CloseHandle(marker);
    }
  }
  return TRUE;
}
