#pragma once
// What the wizard does when its gadgets are used: page steps, the licence gate, the checks
// of the typed folders on Next, the folder browser with its drive checks, the Start-menu
// inputs and the installation.
#include <stdint.h>
#include "runtime/strings.h"

enum WizardActionCode : int32_t {
  ActStep = 0,               // direction 1 forward, anything else backward
  ActLicenceToggle = 1,
  ActInstall = 2,
  ActBrowse = 3,
  ActNoShortcutsToggle = 4,
  ActStartMenuPick = 5,
};

void WizardAction(int32_t action, int32_t direction = 0);

// The free-space line of the destination page: "Доступно на диске  " + megabytes + " Мб".
void AppendFreeSpaceLine(ScratchText* line, int32_t megabytes);
