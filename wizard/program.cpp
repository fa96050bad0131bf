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
#include "wizard/pages.h"

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
constexpr int HeadingRows = 11;
constexpr int HeadingColumns = 3;
static_assert(PageCount <= HeadingRows, "every page has a row of headings");

StringValue* PageHeadingEntry(int page, int column) {
  return static_cast<StringValue*>(PageHeadings.data) + page * PageHeadings.fields[0] + column;
}

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

}  // namespace

const char* PageHeading(int page, int column) {
  if (!PageHeadings.data || page < 0 || page >= HeadingRows || column < 0 || column >= HeadingColumns)
    return nullptr;
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
  PreloadSystemLibraries();
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
