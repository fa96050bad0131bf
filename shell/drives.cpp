#include "shell/drives.h"

#include <windows.h>
#include <shlobj.h>

#include "runtime/strings.h"
#include "runtime/system_library.h"

int32_t PathDriveNumber(const char* path) {
  ScratchText letter;
  StrLeft(path, 1, letter.Start());
  StrUpper(letter.Get(), letter.Start());
  return StrFirstCode(letter.Get()) - 'A';
}

namespace {

using RealDriveTypeFunction = int(WINAPI*)(int drive, BOOL okToHitNet);
// Older shells may export RealDriveType by its ordinal only (the one it has always had),
// so it is looked up, never imported.
constexpr WORD RealDriveTypeOrdinal = 524;

RealDriveTypeFunction ShellRealDriveType() {
  static RealDriveTypeFunction function;
  if (function) return function;
  HMODULE shell = LoadSystemLibrary("SHELL32.DLL");
  if (!shell) return nullptr;
  FARPROC found = GetProcAddress(shell, "RealDriveType");
  if (!found) found = GetProcAddress(shell, MAKEINTRESOURCEA(RealDriveTypeOrdinal));
  function = reinterpret_cast<RealDriveTypeFunction>(reinterpret_cast<void*>(found));
  return function;
}

}  // namespace

int32_t PathDriveType(const char* path) {
  RealDriveTypeFunction driveType = ShellRealDriveType();
  return driveType ? driveType(PathDriveNumber(path), FALSE) : DRIVE_UNKNOWN;
}

int32_t MegabytesFromBytes(uint64_t bytes) {
  uint64_t megabytes = bytes / 1048576;
  return megabytes > INT32_MAX ? INT32_MAX : (int32_t)megabytes;
}

int32_t DriveFreeMegabytes(const char* path) {
  ULARGE_INTEGER available = {}, total = {}, totalFree = {};
  if (!GetDiskFreeSpaceExA(path ? path : "", &available, &total, &totalFree)) return 0;
  return MegabytesFromBytes(totalFree.QuadPart);
}
