#pragma once
// Stands in for the installation run in the wizard's tests: records the plan it was given
// and what the window showed while it ran, and reports one step through the page.
#include <stdint.h>
#include <string>
#include <vector>
#include "install/installation.h"

struct InstallationRecord {
  int runs = 0;
  std::vector<std::string> screenDifferences;  // from the installing screen, during the run
  std::string heading, subheading;
  // The plan, copied.
  std::string destination, startMenuName, programsFolder, desktopFolder, quickLaunchFolder, windowsFolder,
      programFiles, appDataFolder;
  bool startMenu = false, desktop = false, quickLaunch = false;
  // The page's phase line, detail line and bar after the fake reported FakePhase,
  // FakeDetail and FakePosition.
  std::string phaseShown, detailShown;
  int32_t barShown = -1;
};

extern InstallationRecord Installation;

extern const char FakePhase[];
extern const char FakeDetail[];
constexpr int32_t FakePosition = 9;

InstallResult FakeInstallation(const InstallationPlan& plan, InstallProgress& progress);
