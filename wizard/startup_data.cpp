// Temporary: the parts of the wizard whose libraries are still being written.
#include "toolkit/window.h"
#include "wizard/gadgets.h"
#include "wizard/program.h"

void LookUpFolders() {}
void EnablePictureDecoders() {}

void BuildWizard() {
  if (!WindowOpen(WizardWindow, 212, 161, 500, 358, "Установка программы Brindlex v 1.0", 0x10CA0001)) return;
  WindowSetColor(WizardWindow, 0x969696);
}

void HandleWizardEvent(int32_t, int32_t) {}
