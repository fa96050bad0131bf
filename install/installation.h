#pragma once
// The installation run: folders, the payload files, shortcuts and document types,
// reported through an InstallProgress. A damaged payload stops the run before anything is
// written; a folder or file that cannot be made stops it, says which, and nothing is undone.
#include <stdint.h>
#include "install/install_progress.h"
#include "install/shortcut_set.h"
#include "payload/manifest.h"  // made from payload/manifest.txt
#include "runtime/strings.h"

// The last position of the installation's progress bar, whose range starts at 0: the
// folders take 1, file n of the payload 1 + n, the shortcuts PayloadCount + 2 and then
// PayloadCount + 3, and the registration ends the run here, at PayloadCount + 5.
constexpr int32_t InstallLastPosition = PayloadCount + 5;

// What the user chose, taken once when Install is pressed.
struct InstallationPlan {
  const char* destination;  // the folder to install into, ending in a backslash
  ShortcutChoices shortcuts;
  // The shell's Program Files folder, ending in a backslash, or empty when it could not be
  // had: a destination folder the run creates outside it is given a protected access list.
  const char* programFiles;
};

// What stopped a run; after a stop the program is not to go on.
enum InstallFailure { InstallComplete, FolderNotMade, FileNotWritten };

struct InstallResult {
  InstallFailure failure;
  // FileNotWritten: the file's name, or that of the damaged block; lives as long as the program.
  const char* file;
};

InstallResult RunInstallation(const InstallationPlan& plan, InstallProgress& progress);

// Writes size bytes from data into folder + name, whole, then moves the bar to position.
// Returns false when the file cannot be created, is a link or one of several names of the
// same data, or is not written whole.
bool ExtractPayloadFile(const char* folder, const char* name, const void* data, int32_t size, int32_t position,
                        InstallProgress& progress);
