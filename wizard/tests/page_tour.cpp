// Shows every screen of the wizard in turn for a screenshot: for each one it writes
// <folder>\<name>.ready and keeps the window alive until <folder>\<name>.done appears.
//   wizard_page_tour.exe <folder>
#include <windows.h>
#include <string>
#include "payload/payload.h"
#include "toolkit/gadget.h"
#include "toolkit/window.h"
#include "wizard/gadgets.h"
#include "wizard/installing_page.h"
#include "wizard/program.h"
#include "wizard_driver.h"

namespace {

std::string folder;

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// A bound so that a tour left alone ends by itself.
constexpr int MaximumWaits = 3000;

void Pose(const char* name) {
  PumpEvents();
  UpdateWindow(WindowHandle(WizardWindow));
  HANDLE ready = CreateFileA((folder + name + ".ready").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  CloseHandle(ready);
  for (int i = 0; i < MaximumWaits && !Exists(folder + name + ".done"); ++i) {
    PumpEvents();
    Sleep(20);
  }
}

// Half way through, with a file on the way.
InstallResult HalfWayInstallation(const InstallationPlan&, InstallProgress& progress) {
  progress.ShowDetail((std::string("Извлечение файла  ") + PayloadTable[5].name).c_str());
  progress.SetPosition(8);
  Pose("6-installing");
  progress.SetPosition(16);
  return {};
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  folder = std::string(argv[1]) + "\\";
  StartWizardProgram();
  WizardInstallation = HalfWayInstallation;
  RebuildWizard();
  Pose("0-welcome");
  Click(BtnNext);
  Pose("1-licence");
  Click(ChkAccept);
  Click(BtnNext);
  Pose("2-destination");
  Click(BtnNext);
  Pose("3-start-menu");
  Click(BtnNext);
  Pose("4-tasks");
  Click(BtnNext);
  Pose("5-ready");
  Click(BtnInstall);
  Pose("7-finish");
  ShutDown();
}
