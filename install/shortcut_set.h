#pragma once
// The shortcuts chosen on the Start-menu and additional-tasks pages.
#include <stdint.h>
#include "install/install_progress.h"

struct ShortcutChoices {
  bool startMenu;
  const char* startMenuName;  // below programsFolder; a missing final backslash is added
  bool desktop;
  bool quickLaunch;
  // The shell's folders, each ending in a backslash, or empty when they could not be had;
  // no link is made for a folder that is empty, nor through a folder that is a link: the
  // folders below programsFolder, desktopFolder itself, and quickLaunchFolder from
  // appDataFolder down are asked.
  const char* programsFolder;
  const char* desktopFolder;
  const char* quickLaunchFolder;
  // The system's Windows folder, ending in a backslash, whose text editor opens the licence;
  // empty when it could not be had, and then the licence gets no shortcut.
  const char* windowsFolder;
  // The user's application-data folder, ending in a backslash, below which quickLaunchFolder
  // lies; empty when it could not be had.
  const char* appDataFolder;
};

// Creates the chosen Start-menu, desktop and Quick Launch shortcuts to the program in
// installationFolder (which ends in a backslash), naming each step on the detail line.
// Returns 0.
int32_t CreateProgramShortcuts(const char* installationFolder, const ShortcutChoices& choices,
                               InstallProgress& progress);
