#pragma once
// The installation run: folders, the eleven payload files, shortcuts and document types,
// reported through an InstallProgress. A folder or file that cannot be made stops the run
// with the message to show; nothing is undone.
#include <stdint.h>
#include "install/install_progress.h"
#include "install/shortcut_set.h"
#include "runtime/strings.h"

// What the user chose, taken once when Install is pressed.
struct InstallationPlan {
  const char* destination;  // as typed; a missing final backslash is added
  ShortcutChoices shortcuts;
};

// How a run ended: complete (no title), or stopped with the message that says why, after
// which the program is not to go on.
struct InstallResult {
  const char* title;
  StringValue text;  // the caller's, to StrFree
};

InstallResult RunInstallation(const InstallationPlan& plan, InstallProgress& progress);

// Writes size bytes from data into folder + name, whole, then moves the bar to position.
// Returns false, before the file is touched, when the bytes' CRC-32 is not crc (a damaged
// block), and false when the file cannot be created or is not written whole.
bool ExtractPayloadFile(const char* folder, const char* name, const void* data, int32_t size, uint32_t crc,
                        int32_t position, InstallProgress& progress);
