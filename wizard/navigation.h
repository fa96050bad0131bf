#pragma once
// What the wizard does when its gadgets are used: page steps, the licence gate, the folder
// browser with its drive checks, the Start-menu inputs and the installation.
#include <stdint.h>
#include "runtime/strings.h"

// The reaction to one event of the loop; nothing for kinds other than gadget events and for
// gadgets without a route.
void HandleWizardEvent(int32_t kind, intptr_t gadget);

// The free-space line of the destination page: "Доступно на диске  " + megabytes + " Мб".
void AppendFreeSpaceLine(ScratchText* line, int32_t megabytes);
