#include "wizard/installing_page.h"
#include "runtime/owned_text.h"
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

// Says why a run stopped, in the box that ends the program.
void ShowStop(const InstallResult& result) {
  if (result.failure == FolderNotMade) {
    ShowMessage("Инсталлятор", "Не удалось создать папку установки!\nДальнейшая работа невозможна!",
                MB_OK | MB_ICONHAND);
    return;
  }
  // Kept in a variable: the box's own message loop may grow the scratch buffer.
  OwnedText text;
  {
    ScratchText message;
    message.Append("Не удалось извлечь файл  ").Append(result.file).Append("\nДальнейшая работа невозможна!");
    message.AssignTo(text.Slot());
  }
  ShowMessage("Фатальная ошибка!", text.Get(), MB_OK | MB_ICONHAND);
}

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
  if (result.failure == InstallComplete) return;
  ShowStop(result);
  ShutDown();
}
