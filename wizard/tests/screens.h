#pragma once
// The wizard's screens as the user sees them after each step: which page container is up,
// whether the header strip shows, and the state of the button row.
#include "wizard/gadgets.h"
#include "wizard_driver.h"

// Fields: name, container, then shown or not: header, Back, Next, Next enabled, Install,
// Cancel, Finish.
const Screen WelcomeScreen = {"welcome", PnlWelcome, false, false, true, true, false, true, false};
const Screen LicenceScreen = {"licence, box unticked", PnlLicence, true, true, true, false, false, true, false};
const Screen LicenceAcceptedScreen = {"licence, box ticked", PnlLicence, true, true, true, true, false, true, false};
const Screen DestinationScreen = {"destination", PnlDestination, true, true, true, true, false, true, false};
const Screen StartMenuScreen = {"Start menu", PnlStartMenu, true, true, true, true, false, true, false};
const Screen TasksScreen = {"tasks", PnlTasks, true, true, true, true, false, true, false};
const Screen ReadyScreen = {"ready", PnlReady, true, true, false, true, true, true, false};
const Screen InstallingScreen = {"installing", PnlInstalling, true, false, false, true, false, false, false};
const Screen FinishScreen = {"finish", PnlWelcome, false, false, false, true, false, false, true};
