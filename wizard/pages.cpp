#include "wizard/pages.h"
#include "runtime/strings.h"
#include "toolkit/gadget.h"
#include "wizard/gadgets.h"
#include "wizard/program.h"
#include "wizard/typed_folders.h"

namespace {

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

// Takes the field's text without the blanks that end it, which Windows would drop from the
// folder's name; the field then shows what is checked and installed.
void TakeTrimmedText(int32_t field, ScratchText* text) {
  GadgetGetText(field, text->Start());
  int32_t kept = static_cast<int32_t>(LengthWithoutTrailingBlanks(text->Get()));
  if (kept == text->Length()) return;
  ScratchRewind(text->Start() + kept);
  GadgetSetText(field, text->Pass());
}

const char* DestinationRefusal() {
  ScratchText destination;
  TakeTrimmedText(FldDestination, &destination);
  if (DestinationIsUsable(destination.Get(), GetACP())) return nullptr;
  return "Папка установки указана неверно!\n"
         "Укажите полный путь к папке с буквой диска, например C:\\Brindlex\\";
}

const char* StartMenuNameRefusal() {
  ScratchText name;
  TakeTrimmedText(FldStartMenuFolder, &name);
  if (GadgetGetState(ChkNoShortcuts) != 0) return nullptr;  // no Start-menu folder is made
  if (StartMenuNameIsUsable(name.Get(), StrLength(CommonProgramsPath), GetACP())) return nullptr;
  return "Папка в меню «Пуск» указана неверно!\n"
         "Укажите имя папки без «..» и знаков : * ? \" < > |";
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
