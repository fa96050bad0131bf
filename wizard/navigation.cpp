// The wizard's reactions to its gadgets. A step enters a page as its row in the page table
// says: one container shown, its neighbours hidden, the header strip and buttons set.
#include "wizard/navigation.h"
#include "payload/payload.h"
#include "payload/product_names.h"
#include "shell/drives.h"
#include "toolkit/gadget.h"
#include "toolkit/requesters.h"
#include "toolkit/window.h"
#include "wizard/gadgets.h"
#include "wizard/installing_page.h"
#include "wizard/pages.h"
#include "wizard/program.h"
#include "wizard/start_menu_list.h"

namespace {

constexpr int32_t Checked = 1;
constexpr UINT ErrorMessage = MB_OK | MB_ICONHAND;
const char ErrorTitle[] = "Инсталлятор";

void HideAll(const HiddenContainers& containers) {
  for (int32_t gadget : containers.gadgets)
    if (gadget != NoGadget) GadgetHide(gadget, 1);
}

void ShowForwardButton(ForwardButton forward) {
  switch (forward) {
    case ForwardButton::Untouched: break;
    case ForwardButton::NextEnabled: GadgetDisable(BtnNext, 0); break;
    case ForwardButton::NextOnceLicenceAccepted:
      if (GadgetGetState(ChkAccept) != Checked) GadgetDisable(BtnNext, 1);
      break;
    // The two share a place: the one that goes is hidden before the other is shown.
    case ForwardButton::Next:
      GadgetHide(BtnInstall, 1);
      GadgetHide(BtnNext, 0);
      break;
    case ForwardButton::Install:
      GadgetHide(BtnNext, 1);
      GadgetHide(BtnInstall, 0);
      break;
  }
}

void SwitchTo(const WizardPage& page) {
  HideAll(page.hiddenBefore);
  GadgetHide(page.container, 0);
  HideAll(page.hiddenAfter);
}

// Header strip and Back come up before the page's container; when they go, the strip goes
// first and Back once the new container is up.
void Enter(const WizardPage& page) {
  if (page.headerAndBack == HeaderAndBack::Shown) {
    GadgetHide(PnlHeader, 0);
    GadgetHide(BtnBack, 0);
  } else {
    GadgetHide(PnlHeader, 1);
  }
  if (page.shownBy == ContainerShownBy::Step) SwitchTo(page);
  if (page.headerAndBack == HeaderAndBack::Hidden) GadgetHide(BtnBack, 1);
  ShowForwardButton(page.forward);
  if (page.onEntry) page.onEntry();
}

const char* RefusalOnLeaving(int32_t page) {
  if (page >= PageCount || !Pages[page].refusalOnLeaving) return nullptr;
  return Pages[page].refusalOnLeaving();
}

void Step(int32_t direction) {
  if (direction == 1) {
    if (const char* refusal = RefusalOnLeaving(CurrentPage)) {
      ShowMessage(ErrorTitle, refusal, ErrorMessage);
      return;
    }
    if (CurrentPage < LastPage) ++CurrentPage;
  } else if (CurrentPage > 0) {
    --CurrentPage;
  }
  GadgetSetText(TxtHeading, PageHeading(CurrentPage, 1));
  GadgetSetText(TxtSubheading, PageHeading(CurrentPage, 2));
  if (CurrentPage < PageCount) Enter(Pages[CurrentPage]);
}

void StepForward() { Step(1); }

void StepBack() { Step(-1); }

void LicenceToggle() {
  if (CurrentPage < PageCount && Pages[CurrentPage].forward == ForwardButton::NextOnceLicenceAccepted)
    GadgetDisable(BtnNext, GadgetGetState(ChkAccept) != Checked);
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
  const WizardPage& installing = Pages[InstallingPage];
  SwitchTo(installing);
  GadgetHide(BtnBack, 1);
  GadgetHide(BtnFinish, 1);
  GadgetHide(BtnCancel, 1);
  GadgetHide(BtnInstall, 1);
  InstallFromChoices();
  GadgetHide(installing.container, 1);
  GadgetHide(PnlHeader, 1);
  ShowFinishTexts();
  GadgetHide(BtnFinish, 0);
  GadgetHide(PnlWelcome, 0);
}

bool AcceptedDriveType(int32_t type) {
  return type == DRIVE_FIXED || type == DRIVE_RAMDISK || type == DRIVE_REMOVABLE;
}

// Takes the folder the user chose if its drive can hold the installation.
void CheckChosenFolder(const char* chosen) {
  ScratchText drive;
  StrLeft(chosen, 2, drive.Start());
  int32_t type = PathDriveType(drive.Pass());
  int32_t megabytes = DriveFreeMegabytes(drive.Pass());
  if (!AcceptedDriveType(type)) {
    ShowMessage(ErrorTitle, "На этот диск невозможно установить программу!", ErrorMessage);
  } else if (megabytes < 1) {
    ShowMessage(ErrorTitle, "На диске недостаточно свободного места!", ErrorMessage);
  } else {
    ScratchText destination;
    GadgetSetText(FldDestination, destination.Append(chosen).Append(ProductFolder).Pass());
    ScratchText line;
    AppendFreeSpaceLine(&line, megabytes);
    GadgetSetText(TxtFreeSpace, line.Pass());
  }
}

void Browse() {
  StringValue chosen = nullptr;
  {
    ScratchText title;
    title.Append("Укажите папку, в которую следует установить ").Append(ProductTitle);
    const char* titleText = title.Pass();
    ScratchText result;
    ChooseFolder(titleText, ProgramFilesPath, result.Start());
    result.AssignTo(&chosen);
  }
  if (StrLength(chosen) > 0) CheckChosenFolder(chosen);
  StrFree(chosen);
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
