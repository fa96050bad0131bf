#pragma once
// Numbers of the wizard's window and gadgets. The number of a gadget is also its control
// identifier, and the other parts of the setup address the wizard's inputs through them.
#include <stdint.h>

constexpr int WizardWindow = 0;

// The gadgets by name and number, once: the enumeration below and the tests' names of the
// gadgets are both made from this list.
#define WIZARD_GADGETS(GADGET) \
  GADGET(PnlWelcome, 0) \
  GADGET(PnlHeader, 1) \
  GADGET(PnlLicence, 2) \
  GADGET(PnlDestination, 3) \
  GADGET(PnlStartMenu, 4) \
  GADGET(PnlTasks, 5) \
  GADGET(PnlReady, 6) \
  GADGET(PnlInstalling, 7) \
  GADGET(ImgCorner, 8) \
  GADGET(ImgSide, 9) \
  GADGET(TxtWelcomeTitle, 10) \
  GADGET(TxtWelcomeBody, 11) \
  GADGET(TxtLicenceHint, 12) \
  GADGET(EdLicence, 13) \
  GADGET(ChkAccept, 14) \
  GADGET(TxtAccept, 15) \
  GADGET(ChkNoShortcuts, 16) \
  GADGET(FldStartMenuFolder, 17) \
  GADGET(LstStartMenu, 18) \
  GADGET(TxtHeading, 19) \
  GADGET(TxtSubheading, 20) \
  GADGET(BtnBack, 21) \
  GADGET(BtnNext, 22) \
  GADGET(BtnInstall, 23) \
  GADGET(BtnCancel, 24) \
  GADGET(BtnFinish, 25) \
  GADGET(BtnBrowse, 27) \
  GADGET(ImgDestination, 40) \
  GADGET(TxtDestinationIntro, 41) \
  GADGET(TxtDestinationHint, 42) \
  GADGET(FldDestination, 43) \
  GADGET(TxtSpaceNeeded, 45) \
  GADGET(TxtFreeSpace, 46) \
  GADGET(ImgStartMenu, 50) \
  GADGET(TxtStartMenuIntro, 51) \
  GADGET(TxtStartMenuHint, 52) \
  GADGET(TxtNoShortcuts, 57) \
  GADGET(TxtTasksIntro, 60) \
  GADGET(ChkDesktopIcon, 61) \
  GADGET(ChkQuickLaunch, 62) \
  GADGET(TxtDesktopIcon, 63) \
  GADGET(TxtQuickLaunch, 64) \
  GADGET(TxtReadyHint, 70) \
  GADGET(EdSummary, 71) \
  GADGET(TxtInstallStep, 80) \
  GADGET(TxtInstallFile, 81) \
  GADGET(PrgInstall, 82)

enum WizardGadget : int32_t {
#define WIZARD_GADGET_NUMBER(name, number) name = number,
  WIZARD_GADGETS(WIZARD_GADGET_NUMBER)
#undef WIZARD_GADGET_NUMBER
};
