#pragma once
// The drive a destination lies on, checked alike for a folder chosen with Browse and for
// one typed and taken with Next.
#include <stdint.h>

struct DriveVerdict {
  const char* refusal;  // the installer's message, or null when the drive can take the installation
  int32_t freeMegabytes;
};

// Asks for the type of the drive named by path's first two characters (PathDriveType), then
// for its free megabytes (DriveFreeMegabytes), always both and in this order. A removable,
// fixed or RAM disk with at least 1 megabyte free is accepted; any other drive, a network or
// CD-ROM drive or one that is not there, is refused, and so is a drive with less free.
DriveVerdict CheckDestinationDrive(const char* path);
