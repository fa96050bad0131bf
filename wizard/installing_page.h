#pragma once
// The installing page: the plan taken from the wizard's inputs, the run shown on the page's
// phase line, detail line and bar, and a stopped run's message.
#include "install/installation.h"

typedef InstallResult (*InstallationRun)(const InstallationPlan& plan, InstallProgress& progress);

// The installation that Install starts: RunInstallation; tests put a fake in its place.
extern InstallationRun WizardInstallation;

// Runs the installation the wizard's inputs ask for and returns when it is complete. A run
// that stops shows its message and ends the program.
void InstallFromChoices();
