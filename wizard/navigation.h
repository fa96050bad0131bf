#pragma once
// What the wizard does when its gadgets are used: page steps, the licence gate, the checks
// of the typed folders on Next, the folder browser with its drive checks, the Start-menu
// inputs and the installation.
#include <stdint.h>
#include "runtime/strings.h"

// The free-space line of the destination page: "Доступно на диске  " + megabytes + " Мб".
void AppendFreeSpaceLine(ScratchText* line, int32_t megabytes);
