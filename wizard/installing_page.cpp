#include "wizard/installing_page.h"
#include "runtime/services.h"
#include "shell/special_folders.h"
#include "toolkit/gadget.h"
#include "toolkit/requesters.h"
#include "toolkit/window.h"
#include "wizard/gadgets.h"
#include "wizard/program.h"

InstallationRun WizardInstallation = RunInstallation;

namespace {

// The run's reports on the installing page's phase line, detail line and bar.
class PageProgress : public InstallProgress {
 public:
  void ShowPhase(const char* text) override { GadgetSetText(TxtInstallStep, text); }
  void ShowDetail(const char* text) override { GadgetSetText(TxtInstallFile, text); }
  void SetPosition(int32_t position) override { GadgetSetState(PrgInstall, position); }
  // The loop is suspended while the run lasts; an event taken here is lost.
  void Breathe() override { PollEvent(); }
  void Pause(int milliseconds) override { Delay(milliseconds); }
};

StringValue GadgetTextValue(int32_t gadget) {
  StringValue value = nullptr;
  int32_t mark = ScratchMark();
  GadgetGetText(gadget, mark);
  StrAssignTemp(&value, mark);
  return value;
}

}  // namespace

void InstallFromChoices() {
  StringValue destination = GadgetTextValue(FldDestination);
  StringValue startMenuName = GadgetTextValue(FldStartMenuFolder);
  StringValue windowsFolder = nullptr;
  {
    ScratchText text;
    WindowsFolderPath(text.Start());
    text.AssignTo(&windowsFolder);
  }
  const InstallationPlan plan = {
      destination,
      {GadgetGetState(ChkNoShortcuts) == 0, startMenuName, GadgetGetState(ChkDesktopIcon) == 1,
       GadgetGetState(ChkQuickLaunch) == 1, CommonProgramsPath, CommonDesktopPath, QuickLaunchPath, windowsFolder},
      ProgramFilesPath};
  PageProgress page;
  InstallResult result = WizardInstallation(plan, page);
  StrFree(destination);
  StrFree(startMenuName);
  StrFree(windowsFolder);
  if (!result.title) return;
  ShowMessage(result.title, result.text, MB_OK | MB_ICONHAND);
  ShutDown();
}
