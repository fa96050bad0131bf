#include "fake_installation.h"
#include "install/installation.h"
#include "screens.h"
#include "wizard/gadgets.h"
#include "wizard_driver.h"

InstallationRecord Installation;

int32_t RunInstallation() {
  ++Installation.runs;
  Installation.screenDifferences = DifferencesFrom(InstallingScreen);
  Installation.heading = Text(TxtHeading);
  Installation.subheading = Text(TxtSubheading);
  return 1;
}
