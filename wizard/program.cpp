#include "wizard/program.h"
#include "runtime/heaps.h"
#include "runtime/system_library.h"
#include "toolkit/display_density.h"
#include "toolkit/fonts.h"
#include "toolkit/requesters.h"
#include "toolkit/window.h"
#include "wizard/gadgets.h"
#include "wizard/layout_scale.h"
#include "wizard/library_sequence.h"

StringValue ProductTitle;
int32_t CurrentPage;
StringValue CommonProgramsPath;
StringValue ProgramFilesPath;
StringValue CommonDesktopPath;
StringValue QuickLaunchPath;
HFONT FontTitle, FontBody, FontHeading, FontSmall;
ArrayVariable<2> PageHeadings;
int32_t QuitRequested;
int32_t ScreenDpi = 96;

namespace {

const LayoutEntry StringElementLayout[] = {0, LayoutEnd};
constexpr int ArrayKindStrings = 8;

StringValue* PageHeadingEntry(int page, int column) {
  return static_cast<StringValue*>(PageHeadings.data) + page * PageHeadings.fields[0] + column;
}

// A heading of the form prefix + ProductTitle + suffix, or a plain one when suffix is null.
struct HeadingRow {
  int page;
  const char* heading;
  const char* subheadingBeforeTitle;
  const char* subheadingAfterTitle;  // null: the sub-heading does not name the product
};

const HeadingRow HeadingRows[] = {
    {1, "Лицензионное соглашение",
     "Пожалуйста, прочитайте следующую важную информацию перед тем, как продолжить", nullptr},
    {2, "Выбор папки установки", "В какую папку Вы хотите установить ", "?"},
    {3, "Выберите папку в меню \"Пуск\"", "Где программа установки должна создать ярлыки?", nullptr},
    {4, "Выберите дополнительные задачи", "Какие дополнительные задачи должна выполнить программа?", nullptr},
    {5, "Всё готово к установке", "Программа установки готова начать установку ", " на Ваш компьютер"},
    {6, "Установка...", "Пожалуйста, подождите, пока ", " установится на Ваш компьютер"},
};

void FillPageHeadings() {
  PageHeadings.fields[0] = 11;
  PageHeadings.fields[1] = 3;
  ArrayCreate(sizeof(StringValue), 2, StringElementLayout, &PageHeadings, ArrayKindStrings);
  if (!PageHeadings.data) return;
  for (const HeadingRow& row : HeadingRows) {
    StrAssign(PageHeadingEntry(row.page, 1), row.heading);
    ScratchText subheading;
    subheading.Append(row.subheadingBeforeTitle);
    if (row.subheadingAfterTitle) subheading.Append(ProductTitle).Append(row.subheadingAfterTitle);
    subheading.AssignTo(PageHeadingEntry(row.page, 2));
  }
}

}  // namespace

const char* PageHeading(int page, int column) {
  if (!PageHeadings.data || page < 0 || page > 10 || column < 0 || column > 2) return nullptr;
  return *PageHeadingEntry(page, column);
}

void StartRuntime() {
  ProgramInstance = GetModuleHandleA(nullptr);
  ProgramHeapStart();
  StartLibraries();
}

void PrepareWizardData() {
  StrAssign(&ProductTitle, "Brindlex v 1.0");
  CurrentPage = 0;
  LookUpFolders();
  ScreenDpi = DisplayDensity();
  FontTitle = (HFONT)FontLoad(0, "Times New Roman", 14);
  FontBody = (HFONT)FontLoad(1, "Arial", 10);
  FontHeading = (HFONT)FontLoad(2, "Arial", 10, FontBold);
  FontSmall = (HFONT)FontLoad(3, "Arial", 9);
  FillPageHeadings();
  EnablePictureDecoders();
}

void RunSetupProgram() {
  // A setup program runs from download folders: no DLL may be loaded from beside it.
  RestrictDllSearch();
  StartRuntime();
  PrepareWizardData();
  BuildWizard();
  // Without its window the loop would wait for events that never come.
  if (!WindowHandle(WizardWindow)) ShutDown();
  WindowHide(WizardWindow, 0);

  QuitRequested = 0;
  while (!QuitRequested) ProcessEvent(WaitEvent());
  ShutDown();
}

void ProcessEvent(int32_t kind) {
  intptr_t gadget = LastEventGadget();
  HandleWizardEvent(kind, gadget);
  bool cancel = kind == EvClose || (kind == EvGadget && gadget == BtnCancel);
  if (cancel && LastEventWindow() == WizardWindow &&
      ShowMessage("Установка Brindlex v 1.0",
                  "Вы действительно хотите прервать установку программы Установка Brindlex v 1.0 ?",
                  MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES)
    QuitRequested = 1;
  if (kind == EvGadget && gadget == BtnFinish) QuitRequested = 1;
}

void ShutDown() {
  StopLibraries();
  ProgramHeapStop();
  ExitProcess(0);
}
