#include "fake_installation.h"
#include <commctrl.h>
#include "screens.h"
#include "toolkit/gadget.h"
#include "wizard/gadgets.h"
#include "wizard_driver.h"

InstallationRecord Installation;

const char FakePhase[] = "Проба фазы";
const char FakeDetail[] = "Проба строки";

namespace {

std::string Copied(const char* text) { return text ? text : ""; }

}  // namespace

InstallResult FakeInstallation(const InstallationPlan& plan, InstallProgress& progress) {
  ++Installation.runs;
  Installation.screenDifferences = DifferencesFrom(InstallingScreen);
  Installation.heading = Text(TxtHeading);
  Installation.subheading = Text(TxtSubheading);

  const ShortcutChoices& links = plan.shortcuts;
  Installation.destination = Copied(plan.destination);
  Installation.startMenuName = Copied(links.startMenuName);
  Installation.programsFolder = Copied(links.programsFolder);
  Installation.desktopFolder = Copied(links.desktopFolder);
  Installation.quickLaunchFolder = Copied(links.quickLaunchFolder);
  Installation.windowsFolder = Copied(links.windowsFolder);
  Installation.appDataFolder = Copied(links.appDataFolder);
  Installation.programFiles = Copied(plan.programFiles);
  Installation.startMenu = links.startMenu;
  Installation.desktop = links.desktop;
  Installation.quickLaunch = links.quickLaunch;

  progress.ShowPhase(FakePhase);
  progress.ShowDetail(FakeDetail);
  progress.SetPosition(FakePosition);
  Installation.phaseShown = Text(TxtInstallStep);
  Installation.detailShown = Text(TxtInstallFile);
  Installation.barShown = (int32_t)SendMessageA(GadgetHandle(PrgInstall), PBM_GETPOS, 0, 0);
  return {};
}
