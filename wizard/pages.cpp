#include "wizard/pages.h"
#include "runtime/array.h"
#include "runtime/strings.h"
#include "toolkit/gadget.h"
#include "toolkit/requesters.h"
#include "wizard/destination_drive.h"
#include "wizard/gadgets.h"
#include "wizard/program.h"
#include "wizard/typed_folders.h"

int32_t CurrentPage;
ArrayVariable<2> PageHeadings;

namespace {

constexpr int32_t Checked = 1;
const LayoutEntry StringElementLayout[] = {0, LayoutEnd};
constexpr int ArrayKindStrings = 8;
constexpr int HeadingRows = 11;
constexpr int HeadingColumns = 3;
static_assert(PageCount <= HeadingRows, "every page has a row of headings");

StringValue* PageHeadingEntry(int page, int column) {
  return static_cast<StringValue*>(PageHeadings.data) + page * PageHeadings.fields[0] + column;
}

OwnedText FieldText(int32_t field) {
  OwnedText value;
  ScratchText text;
  GadgetGetText(field, text.Start());
  text.AssignTo(value.Slot());
  return value;
}

void RebuildSummary() {
  WizardChoices choices = ReadChoices();
  GadgetClearItems(EdSummary);
  GadgetAddItem(EdSummary, -1, "Папка установки:");
  {
    ScratchText destination;
    GadgetAddItem(EdSummary, -1, destination.Append("    ").Append(choices.destination.Get()).Append("\n").Pass());
  }
  GadgetAddItem(EdSummary, -1, "Папка в меню «Пуск»:");
  ScratchText folder;
  GadgetAddItem(EdSummary, -1, folder.Append("    ").Append(choices.startMenuFolder.Get()).Pass());
}

// Drops the blanks that end the field's text, which Windows would drop from the folder's
// name, from the text read and from the field, which then shows what is checked and
// installed.
void TrimField(int32_t field, OwnedText* text) {
  int32_t kept = static_cast<int32_t>(LengthWithoutTrailingBlanks(text->Get()));
  if (kept == StrLength(text->Get())) return;
  (*text->Slot())[kept] = 0;
  GadgetSetText(field, text->Get());
}

// The names and the root first, then the drive as Browse checks it: a typed destination
// must not reach what Browse refuses, a network share, a CD-ROM or a missing drive.
const char* DestinationRefusal() {
  WizardChoices choices = ReadChoices();
  TrimField(FldDestination, &choices.destination);
  OwnedText destination = DestinationNormalForm(choices.destination.Get(), GetACP());
  if (!DestinationIsUsable(destination.Get(), GetACP()))
    return "Папка установки указана неверно!\n"
           "Укажите полный путь к папке с буквой диска, например C:\\Brindlex\\";
  return CheckDestinationDrive(destination.Get()).refusal;
}

const char* StartMenuNameRefusal() {
  WizardChoices choices = ReadChoices();
  TrimField(FldStartMenuFolder, &choices.startMenuFolder);
  if (choices.noShortcuts) return nullptr;  // no Start-menu folder is made
  if (StartMenuNameIsUsable(choices.startMenuFolder.Get(), StrLength(CommonProgramsPath), GetACP())) return nullptr;
  return "Папка в меню «Пуск» указана неверно!\n"
         "Укажите имя папки без «..» и знаков : * ? \" < > |";
}

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

}  // namespace

const WizardPage Pages[] = {
    {PnlWelcome, nullptr, nullptr, nullptr, Hide(PnlLicence), Hide(), ContainerShownBy::Step,
     HeaderAndBack::Hidden, ForwardButton::NextEnabled, nullptr, nullptr},
    {PnlLicence, "Лицензионное соглашение",
     "Пожалуйста, прочитайте следующую важную информацию перед тем, как продолжить", nullptr,
     Hide(PnlWelcome, PnlDestination), Hide(), ContainerShownBy::Step, HeaderAndBack::Shown,
     ForwardButton::NextOnceLicenceAccepted, nullptr, nullptr},
    {PnlDestination, "Выбор папки установки", "В какую папку Вы хотите установить ", "?", Hide(PnlLicence),
     Hide(PnlStartMenu), ContainerShownBy::Step, HeaderAndBack::Shown, ForwardButton::Untouched, nullptr,
     DestinationRefusal},
    {PnlStartMenu, "Выберите папку в меню \"Пуск\"", "Где программа установки должна создать ярлыки?", nullptr,
     Hide(PnlDestination), Hide(PnlTasks), ContainerShownBy::Step, HeaderAndBack::Shown, ForwardButton::Untouched,
     nullptr, StartMenuNameRefusal},
    {PnlTasks, "Выберите дополнительные задачи", "Какие дополнительные задачи должна выполнить программа?",
     nullptr, Hide(PnlStartMenu, PnlReady), Hide(), ContainerShownBy::Step, HeaderAndBack::Shown,
     ForwardButton::Next, nullptr, nullptr},
    {PnlReady, "Всё готово к установке", "Программа установки готова начать установку ", " на Ваш компьютер",
     Hide(PnlWelcome, PnlInstalling, PnlTasks), Hide(), ContainerShownBy::Step, HeaderAndBack::Shown,
     ForwardButton::Install, RebuildSummary, nullptr},
    {PnlInstalling, "Установка...", "Пожалуйста, подождите, пока ", " установится на Ваш компьютер",
     Hide(PnlReady), Hide(), ContainerShownBy::Install, HeaderAndBack::Shown, ForwardButton::Untouched, nullptr,
     nullptr},
};
static_assert(sizeof(Pages) / sizeof(Pages[0]) == PageCount, "one row for each page");

void FillPageHeadings() {
  PageHeadings.fields[0] = HeadingRows;
  PageHeadings.fields[1] = HeadingColumns;
  ArrayCreate(sizeof(StringValue), 2, StringElementLayout, &PageHeadings, ArrayKindStrings);
  if (!PageHeadings.data) return;
  for (int page = 0; page < PageCount; ++page) {
    const WizardPage& row = Pages[page];
    if (!row.heading) continue;
    StrAssign(PageHeadingEntry(page, 1), row.heading);
    ScratchText subheading;
    subheading.Append(row.subheadingBeforeTitle);
    if (row.subheadingAfterTitle) subheading.Append(ProductTitle).Append(row.subheadingAfterTitle);
    subheading.AssignTo(PageHeadingEntry(page, 2));
  }
}

const char* PageHeading(int page, int column) {
  if (!PageHeadings.data || page < 0 || page >= HeadingRows || column < 0 || column >= HeadingColumns)
    return nullptr;
  return *PageHeadingEntry(page, column);
}

void ShowInstallerError(const char* text) { ShowMessage("Инсталлятор", text, MB_OK | MB_ICONHAND); }

void StepPage(int32_t direction) {
  if (direction == 1) {
    if (const char* refusal = RefusalOnLeaving(CurrentPage)) {
      ShowInstallerError(refusal);
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

void SwitchToPage(int32_t page) { SwitchTo(Pages[page]); }

bool NextWaitsForLicence() {
  return CurrentPage < PageCount && Pages[CurrentPage].forward == ForwardButton::NextOnceLicenceAccepted;
}

WizardChoices ReadChoices() {
  return {FieldText(FldDestination), FieldText(FldStartMenuFolder), GadgetGetState(ChkNoShortcuts) != 0,
          GadgetGetState(ChkDesktopIcon) == Checked, GadgetGetState(ChkQuickLaunch) == Checked};
}
