#include "wizard/installing_page.h"
#include "runtime/owned_text.h"
#include "runtime/services.h"
#include "shell/special_folders.h"
#include "toolkit/gadget.h"
#include "toolkit/requesters.h"
#include "toolkit/window.h"
#include "wizard/gadgets.h"
#include "wizard/pages.h"
#include "wizard/program.h"
#include "wizard/typed_folders.h"

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
    ShowInstallerError("Не удалось создать папку установки!\nДальнейшая работа невозможна!");
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

}  // namespace

void InstallFromChoices() {
  WizardChoices choices = ReadChoices();
  OwnedText destination = DestinationNormalForm(choices.destination.Get(), GetACP());
  OwnedText windowsFolder;
  {
    ScratchText text;
    WindowsFolderPath(text.Start());
    text.AssignTo(windowsFolder.Slot());
  }
  const InstallationPlan plan = {
      destination.Get(),
      {!choices.noShortcuts, choices.startMenuFolder.Get(), choices.desktopIcon, choices.quickLaunch,
       CommonProgramsPath, CommonDesktopPath, QuickLaunchPath, windowsFolder.Get(), AppDataPath},
      ProgramFilesPath};
  PageProgress page;
  InstallResult result = WizardInstallation(plan, page);
  if (result.failure == InstallComplete) return;
  ShowStop(result);
  ShutDown();
}
