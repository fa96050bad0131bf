#include "wizard/program.h"
#include "payload/product_version.h"
#include "runtime/heaps.h"
#include "runtime/protected_start.h"
#include "toolkit/display_density.h"
#include "toolkit/fonts.h"
#include "toolkit/requesters.h"
#include "toolkit/window.h"
#include "wizard/build_wizard.h"
#include "wizard/gadgets.h"
#include "wizard/library_sequence.h"
#include "wizard/navigation.h"
#include "wizard/pages.h"
#include "wizard/startup_data.h"

StringValue ProductTitle;
StringValue CommonProgramsPath;
StringValue ProgramFilesPath;
StringValue CommonDesktopPath;
StringValue QuickLaunchPath;
StringValue AppDataPath;
HFONT FontTitle, FontBody, FontHeading, FontSmall;
int32_t QuitRequested;
int32_t ScreenDpi = 96;

void StartRuntime() {
  ProgramInstance = GetModuleHandleA(nullptr);
  ProgramHeapStart();
  StartLibraries();
}

void PrepareWizardData() {
  StrAssign(&ProductTitle, BRX_PRODUCT_TITLE);
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
  ProtectProcess();
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
      ShowMessage("Установка " BRX_PRODUCT_TITLE,
                  "Вы действительно хотите прервать установку программы Установка " BRX_PRODUCT_TITLE " ?",
                  MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES)
    QuitRequested = 1;
  if (kind == EvGadget && gadget == BtnFinish) QuitRequested = 1;
}

void ShutDown() {
  StopLibraries();
  ProgramHeapStop();
  ExitProcess(0);
}
