// The wizard's reactions to its gadgets. Pages are switched by showing one container and
// hiding its neighbours; each page has a fixed list of operations run when it is entered.
#include "wizard/navigation.h"
#include "install/installation.h"
#include "payload/payload.h"
#include "shell/drives.h"
#include "toolkit/gadget.h"
#include "toolkit/requesters.h"
#include "toolkit/window.h"
#include "wizard/gadgets.h"
#include "wizard/program.h"
#include "wizard/typed_folders.h"

namespace {

constexpr int32_t LastPage = 7;
constexpr int32_t DestinationPage = 2;
constexpr int32_t StartMenuPage = 3;
constexpr int32_t Checked = 1;
constexpr UINT ErrorMessage = MB_OK | MB_ICONHAND;
const char ErrorTitle[] = "Инсталлятор";
const char ProductFolder[] = "Brindlex\\";
const char DestinationRefused[] =
    "Папка установки указана неверно!\n"
    "Укажите полный путь к папке с буквой диска, например C:\\Brindlex\\";
const char StartMenuNameRefused[] =
    "Папка в меню «Пуск» указана неверно!\n"
    "Укажите имя папки без «..» и знаков : * ? \" < > |";

enum PageOpKind : uint8_t {
  OpHide,
  OpShow,
  OpEnable,
  OpDisableUnlessAccepted,  // the licence gate: Next only once ChkAccept is ticked
  OpRebuildSummary,
  OpShowFinishTexts,
};

struct PageOp {
  PageOpKind op;
  int32_t gadget;
};

struct OpList {
  const PageOp* ops;
  int count;
};

template <int N>
constexpr OpList Ops(const PageOp (&ops)[N]) { return {ops, N}; }

const PageOp EnterWelcome[] = {
    {OpHide, PnlHeader}, {OpHide, PnlLicence}, {OpShow, PnlWelcome}, {OpHide, BtnBack}, {OpEnable, BtnNext}};
const PageOp EnterLicence[] = {
    {OpHide, PnlWelcome}, {OpHide, PnlDestination}, {OpShow, PnlLicence}, {OpDisableUnlessAccepted, BtnNext}};
const PageOp EnterDestination[] = {{OpHide, PnlLicence}, {OpShow, PnlDestination}, {OpHide, PnlStartMenu}};
const PageOp EnterStartMenu[] = {{OpHide, PnlDestination}, {OpShow, PnlStartMenu}, {OpHide, PnlTasks}};
const PageOp EnterTasks[] = {
    {OpHide, PnlStartMenu}, {OpHide, PnlReady}, {OpShow, PnlTasks}, {OpHide, BtnInstall}, {OpShow, BtnNext}};
const PageOp EnterReady[] = {{OpHide, PnlWelcome}, {OpHide, PnlInstalling}, {OpHide, PnlTasks},
                             {OpShow, PnlReady},   {OpHide, BtnNext},       {OpShow, BtnInstall},
                             {OpRebuildSummary, EdSummary}};

// What entering each page does after the header strip is set; pages 6 and 7 add nothing.
const OpList PageEntries[LastPage + 1] = {
    Ops(EnterWelcome), Ops(EnterLicence), Ops(EnterDestination), Ops(EnterStartMenu),
    Ops(EnterTasks),   Ops(EnterReady),   {nullptr, 0},          {nullptr, 0}};

// Around the installation run: the installing page with no button, then the finish screen
// on the welcome page's container.
const PageOp BeforeInstalling[] = {{OpHide, PnlReady}, {OpShow, PnlInstalling}, {OpHide, BtnBack},
                                   {OpHide, BtnFinish}, {OpHide, BtnCancel},   {OpHide, BtnInstall}};
const PageOp AfterInstalling[] = {{OpHide, PnlInstalling}, {OpHide, PnlHeader},
                                  {OpShowFinishTexts, PnlWelcome}, {OpShow, BtnFinish},
                                  {OpShow, PnlWelcome}};

void RebuildSummary() {
  GadgetClearItems(EdSummary);
  GadgetAddItem(EdSummary, -1, "Папка установки:");
  {
    ScratchText destination;
    destination.Append("    ");
    GadgetGetText(FldDestination, ScratchMark());
    GadgetAddItem(EdSummary, -1, destination.Append("\n").Pass());
  }
  GadgetAddItem(EdSummary, -1, "Папка в меню «Пуск»:");
  ScratchText folder;
  folder.Append("    ");
  GadgetGetText(FldStartMenuFolder, ScratchMark());
  GadgetAddItem(EdSummary, -1, folder.Pass());
}

void ShowFinishTexts() {
  GadgetSetText(TxtWelcomeTitle, "Завершение работы мастера установки.");
  ScratchText body;
  StrFromMemory(FinishText(), body.Start());
  GadgetSetText(TxtWelcomeBody, body.Pass());
}

void Run(const OpList& list) {
  for (int i = 0; i < list.count; ++i) {
    const PageOp& op = list.ops[i];
    switch (op.op) {
      case OpHide: GadgetHide(op.gadget, 1); break;
      case OpShow: GadgetHide(op.gadget, 0); break;
      case OpEnable: GadgetDisable(op.gadget, 0); break;
      case OpDisableUnlessAccepted:
        if (GadgetGetState(ChkAccept) != Checked) GadgetDisable(op.gadget, 1);
        break;
      case OpRebuildSummary: RebuildSummary(); break;
      case OpShowFinishTexts: ShowFinishTexts(); break;
    }
  }
}

bool DestinationAccepted() {
  ScratchText destination;
  GadgetGetText(FldDestination, destination.Start());
  return DestinationIsUsable(destination.Get());
}

bool StartMenuNameAccepted() {
  if (GadgetGetState(ChkNoShortcuts) != 0) return true;  // no Start-menu folder is made
  ScratchText name;
  GadgetGetText(FldStartMenuFolder, name.Start());
  return StartMenuNameIsUsable(name.Get(), StrLength(CommonProgramsPath));
}

// The message that keeps Next on the page, or null when the page's inputs may be left.
const char* RefusalOnLeaving(int32_t page) {
  if (page == DestinationPage && !DestinationAccepted()) return DestinationRefused;
  if (page == StartMenuPage && !StartMenuNameAccepted()) return StartMenuNameRefused;
  return nullptr;
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
  if (CurrentPage >= 1 && CurrentPage <= 6) {
    GadgetHide(PnlHeader, 0);
    GadgetHide(BtnBack, 0);
  }
  Run(PageEntries[CurrentPage]);
}

void LicenceToggle(int32_t) {
  if (CurrentPage == 1) GadgetDisable(BtnNext, GadgetGetState(ChkAccept) != Checked);
}

void Install(int32_t) {
  Run(Ops(BeforeInstalling));
  RunInstallation();
  Run(Ops(AfterInstalling));
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

void Browse(int32_t) {
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

void NoShortcutsToggle(int32_t) {
  int disable = GadgetGetState(ChkNoShortcuts) == Checked;
  GadgetDisable(FldStartMenuFolder, disable);
  GadgetDisable(LstStartMenu, disable);
}

void StartMenuPick(int32_t) {
  ScratchText picked;
  GadgetGetText(LstStartMenu, picked.Start());
  if (picked.Length() == 0) return;
  GadgetSetText(FldStartMenuFolder, picked.Append("\\Brindlex").Pass());
}

// Indexed by WizardActionCode.
void (*const Actions[])(int32_t direction) = {Step, LicenceToggle, Install, Browse, NoShortcutsToggle,
                                               StartMenuPick};
constexpr int32_t ActionCount = sizeof(Actions) / sizeof(Actions[0]);

constexpr int32_t NoAction = -1;

struct EventRoute {
  int32_t gadget;
  int32_t action;
  int32_t direction;
  int32_t thenAction;
};

// Searched in this order; the first row whose gadget matches is performed.
const EventRoute Routes[] = {
    {BtnNext, ActStep, 1, NoAction},
    {BtnBack, ActStep, -1, NoAction},
    {ChkAccept, ActLicenceToggle, 0, NoAction},
    {BtnInstall, ActStep, 1, ActInstall},
    {BtnBrowse, ActBrowse, 0, NoAction},
    {ChkNoShortcuts, ActNoShortcutsToggle, 0, NoAction},
    {LstStartMenu, ActStartMenuPick, 0, NoAction},
};

}  // namespace

void AppendFreeSpaceLine(ScratchText* line, int32_t megabytes) {
  line->Append("Доступно на диске  ").AppendNumber(megabytes).Append(" Мб");
}

void WizardAction(int32_t action, int32_t direction) {
  if (action >= 0 && action < ActionCount) Actions[action](direction);
}

void HandleWizardEvent(int32_t kind, intptr_t gadget) {
  if (kind != EvGadget) return;
  for (const EventRoute& route : Routes) {
    if (route.gadget != gadget) continue;
    WizardAction(route.action, route.direction);
    if (route.thenAction != NoAction) WizardAction(route.thenAction);
    return;
  }
}
