#pragma once
// The installation run: folders, the eleven payload files, shortcuts and document types,
// reported on the installing page. A folder or file that cannot be made is fatal: the run
// shows a message and ends the program; nothing is undone.
#include <stdint.h>

// Returns 1 when the installation is complete; does not return after a fatal error.
int32_t RunInstallation();

// Writes size bytes from data into folder + name, whole, or ends the program. Bytes whose
// CRC-32 is not crc are damaged: the program ends before the file is touched. Returns 0.
int32_t ExtractPayloadFile(const char* folder, const char* name, const void* data, int32_t size,
                           uint32_t crc);
