#pragma once
// Questions about the drive a path lies on.
#include <stdint.h>

// The drive type code (0 unknown, 1 no such drive, 2 removable, 3 fixed, 4 network,
// 5 CD-ROM, 6 RAM disk) of the drive named by the path's first character, in either case.
// The shell is not asked to reach out to the network for the answer.
int32_t PathDriveType(const char* path);
// Drive number of the path's first character: "a" and "A" are 0, "C" is 2.
int32_t PathDriveNumber(const char* path);

// Whole megabytes free on the path's drive; 0 when the drive cannot be queried.
int32_t DriveFreeMegabytes(const char* path);
// Whole megabytes (1,048,576 bytes) in a byte count, rounded down; counts beyond the
// 32-bit range give the largest 32-bit value.
int32_t MegabytesFromBytes(uint64_t bytes);
