#include "wizard/destination_drive.h"
#include <windows.h>
#include "runtime/strings.h"
#include "shell/drives.h"

namespace {

bool AcceptedDriveType(int32_t type) {
  return type == DRIVE_FIXED || type == DRIVE_RAMDISK || type == DRIVE_REMOVABLE;
}

}  // namespace

DriveVerdict CheckDestinationDrive(const char* path) {
  ScratchText drive;
  StrLeft(path, 2, drive.Start());
  int32_t type = PathDriveType(drive.Pass());
  int32_t megabytes = DriveFreeMegabytes(drive.Pass());
  if (!AcceptedDriveType(type)) return {"На этот диск невозможно установить программу!", megabytes};
  if (megabytes < 1) return {"На диске недостаточно свободного места!", megabytes};
  return {nullptr, megabytes};
}
