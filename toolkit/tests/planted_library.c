/* A stand-in for a library planted beside a program under a system library's name: when
   it is loaded, it leaves a marker file, named by BRX_PLANTED_MARKER, or else its own path
   followed by ".loaded" (C:\users\Public\Downloads\uxtheme.dll.loaded). */
#include <windows.h>

static void LeaveMarker(HINSTANCE instance) {
  char path[MAX_PATH + 8];
  DWORD length = GetEnvironmentVariableA("BRX_PLANTED_MARKER", path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) {
    length = GetModuleFileNameA(instance, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return;
    lstrcpyA(path + length, ".loaded");
  }
  HANDLE marker = CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
  if (marker != INVALID_HANDLE_VALUE) CloseHandle(marker);
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  (void)reserved;
  if (reason == DLL_PROCESS_ATTACH) LeaveMarker(instance);
  return TRUE;
}
