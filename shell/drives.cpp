#include "shell/drives.h"

#include <windows.h>
#include <shlobj.h>

#include "runtime/strings.h"

int32_t PathDriveNumber(const char* path) {
  ScratchText letter;
  StrLeft(path, 1, letter.Start());
  StrUpper(letter.Get(), letter.Start());
  return StrFirstCode(letter.Get()) - 'A';
}

int32_t PathDriveType(const char* path) { return RealDriveType(PathDriveNumber(path), FALSE); }

int32_t MegabytesFromBytes(uint64_t bytes) {
  uint64_t megabytes = bytes / 1048576;
  return megabytes > INT32_MAX ? INT32_MAX : (int32_t)megabytes;
}

int32_t DriveFreeMegabytes(const char* path) {
  ULARGE_INTEGER available = {}, total = {}, totalFree = {};
  if (!GetDiskFreeSpaceExA(path ? path : "", &available, &total, &totalFree)) return 0;
  return MegabytesFromBytes(totalFree.QuadPart);
}
