// The wizard's reactions to its gadgets: the routes from a gadget's event to its handler,
// and the handlers. Page steps are the page flow's (pages.cpp).
#include "wizard/navigation.h"
#include "payload/payload.h"
#include "payload/product_names.h"
#include "runtime/owned_text.h"
#include "toolkit/gadget.h"
#include "toolkit/requesters.h"
#include "toolkit/window.h"
#include "wizard/destination_drive.h"
#include "wizard/gadgets.h"
#include "wizard/installing_page.h"
#include "wizard/pages.h"
#include "wizard/program.h"
#include "wizard/start_menu_list.h"

namespace {

constexpr int32_t Checked = 1;

void StepForward() { StepPage(1); }

void StepBack() { StepPage(-1); }

void LicenceToggle() {
  if (NextWaitsForLicence()) GadgetDisable(BtnNext, GadgetGetState(ChkAccept) != Checked);
}

void ShowFinishTexts() {
  GadgetSetText(TxtWelcomeTitle, "Завершение работы мастера установки.");
  ScratchText body;
  StrFromEmbeddedText(FinishText(), body.Start());
  GadgetSetText(TxtWelcomeBody, body.Pass());
}

// The installing page with no button while the run works, then the finish screen on the
// welcome page's container.
void Install() {
  SwitchToPage(InstallingPage);
  GadgetHide(BtnBack, 1);
  GadgetHide(BtnFinish, 1);
  GadgetHide(BtnCancel, 1);
  GadgetHide(BtnInstall, 1);
  InstallFromChoices();
  GadgetHide(Pages[InstallingPage].container, 1);
  GadgetHide(PnlHeader, 1);
  ShowFinishTexts();
  GadgetHide(BtnFinish, 0);
  GadgetHide(PnlWelcome, 0);
}

// Takes the folder the user chose if its drive can hold the installation.
void CheckChosenFolder(const char* chosen) {
  DriveVerdict drive = CheckDestinationDrive(chosen);
  if (drive.refusal) {
    ShowInstallerError(drive.refusal);
    return;
  }
  ScratchText destination;
  GadgetSetText(FldDestination, destination.Append(chosen).Append(ProductFolder).Pass());
  ScratchText line;
  AppendFreeSpaceLine(&line, drive.freeMegabytes);
  GadgetSetText(TxtFreeSpace, line.Pass());
}

void Browse() {
  OwnedText chosen;
  {
    ScratchText title;
    title.Append("Укажите папку, в которую следует установить ").Append(ProductTitle);
    const char* titleText = title.Pass();
    ScratchText result;
    ChooseFolder(titleText, ProgramFilesPath, result.Start());
    result.AssignTo(chosen.Slot());
  }
  if (StrLength(chosen.Get()) > 0) CheckChosenFolder(chosen.Get());
}

void NoShortcutsToggle() {
  int disable = GadgetGetState(ChkNoShortcuts) == Checked;
  GadgetDisable(FldStartMenuFolder, disable);
  GadgetDisable(LstStartMenu, disable);
}

void StartMenuPick() {
  ScratchText picked;
  GadgetGetText(LstStartMenu, picked.Start());
  if (picked.Length() == 0) return;
  GadgetSetText(FldStartMenuFolder, picked.Append(PickedFolderEnding).Pass());
}

struct EventRoute {
  int32_t gadget;
  void (*perform)();
  void (*then)();  // or null
};

// Searched in this order; the first row whose gadget matches is performed.
const EventRoute Routes[] = {
    {BtnNext, StepForward, nullptr},
    {BtnBack, StepBack, nullptr},
    {ChkAccept, LicenceToggle, nullptr},
    {BtnInstall, StepForward, Install},
    {BtnBrowse, Browse, nullptr},
    {ChkNoShortcuts, NoShortcutsToggle, nullptr},
    {LstStartMenu, StartMenuPick, nullptr},
};

}  // namespace

void AppendFreeSpaceLine(ScratchText* line, int32_t megabytes) {
  line->Append("Доступно на диске  ").AppendNumber(megabytes).Append(" Мб");
}

void HandleWizardEvent(int32_t kind, intptr_t gadget) {
  if (kind != EvGadget) return;
  for (const EventRoute& route : Routes) {
    if (route.gadget != gadget) continue;
    route.perform();
    if (route.then) route.then();
    return;
  }
}
