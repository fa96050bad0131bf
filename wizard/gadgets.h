#pragma once
// Numbers of the wizard's window and gadgets. The number of a gadget is also its control
// identifier, and the other parts of the setup address the wizard's inputs through them.
#include <stdint.h>

constexpr int WizardWindow = 0;

enum WizardGadget : int32_t {
  PnlWelcome = 0,
  PnlHeader = 1,
  PnlLicence = 2,
  PnlDestination = 3,
  PnlStartMenu = 4,
  PnlTasks = 5,
  PnlReady = 6,
  PnlInstalling = 7,
  ImgCorner = 8,
  ImgSide = 9,
  TxtWelcomeTitle = 10,
  TxtWelcomeBody = 11,
  TxtLicenceHint = 12,
  EdLicence = 13,
  ChkAccept = 14,
  TxtAccept = 15,
  ChkNoShortcuts = 16,
  FldStartMenuFolder = 17,
  LstStartMenu = 18,
  TxtHeading = 19,
  TxtSubheading = 20,
  BtnBack = 21,
  BtnNext = 22,
  BtnInstall = 23,
  BtnCancel = 24,
  BtnFinish = 25,
  BtnBrowse = 27,
  ImgDestination = 40,
  TxtDestinationIntro = 41,
  TxtDestinationHint = 42,
  FldDestination = 43,
  TxtSpaceNeeded = 45,
  TxtFreeSpace = 46,
  ImgStartMenu = 50,
  TxtStartMenuIntro = 51,
  TxtStartMenuHint = 52,
  TxtNoShortcuts = 57,
  TxtTasksIntro = 60,
  ChkDesktopIcon = 61,
  ChkQuickLaunch = 62,
  TxtDesktopIcon = 63,
  TxtQuickLaunch = 64,
  TxtReadyHint = 70,
  EdSummary = 71,
  TxtInstallStep = 80,
  TxtInstallFile = 81,
  PrgInstall = 82,
};

// Start-up helpers owned by the wizard.
void LookUpFolders();
void EnablePictureDecoders();
