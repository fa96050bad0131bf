#pragma once
// Stands in for the installation run in the wizard's tests and records what the window
// showed while it ran.
#include <string>
#include <vector>

struct InstallationRecord {
  int runs = 0;
  std::vector<std::string> screenDifferences;  // from the installing screen, during the run
  std::string heading, subheading;
};

extern InstallationRecord Installation;
