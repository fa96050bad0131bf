#include "wizard_driver.h"
#include "message_recorder.h"
#include "runtime/strings.h"
#include "toolkit/gadget.h"
#include "toolkit/window.h"
#include "wizard/build_wizard.h"
#include "wizard/gadgets.h"
#include "wizard/program.h"

namespace {

// Every gadget of the wizard, with the rule for its state on a screen.
const int32_t Containers[] = {PnlWelcome, PnlLicence, PnlDestination, PnlStartMenu, PnlTasks, PnlReady,
                              PnlInstalling};
const int32_t PageGadgets[] = {
    ImgSide,        TxtWelcomeTitle,   TxtWelcomeBody,      TxtLicenceHint,     EdLicence,        ChkAccept,
    TxtAccept,      TxtHeading,        TxtSubheading,       ImgDestination,     TxtDestinationIntro,
    TxtDestinationHint, FldDestination, BtnBrowse,          TxtSpaceNeeded,     TxtFreeSpace,     ImgStartMenu,
    TxtStartMenuIntro, TxtStartMenuHint, ChkNoShortcuts,     TxtNoShortcuts,     TxtTasksIntro,    ChkDesktopIcon,
    TxtDesktopIcon, ChkQuickLaunch,    TxtQuickLaunch,      TxtReadyHint,       EdSummary,        TxtInstallStep,
    TxtInstallFile, PrgInstall,        ImgCorner};

std::string Describe(int32_t gadget, const char* what, bool expected) {
  const char* name = WizardGadgetName(gadget);
  return (name ? name : "gadget " + std::to_string(gadget)) + " should " + (expected ? "" : "not ") + "be " + what;
}

void Expect(std::vector<std::string>* differences, int32_t gadget, bool shown, bool enabled) {
  if (Shown(gadget) != shown) differences->push_back(Describe(gadget, "shown", shown));
  if (Enabled(gadget) != enabled) differences->push_back(Describe(gadget, "enabled", enabled));
}

}  // namespace

void StartWizardProgram() {
  StartRuntime();
  PrepareWizardData();
}

void RebuildWizard() {
  CurrentPage = 0;
  BuildWizard();
  WindowHide(WizardWindow, 0);
  PumpEvents();
}

void PumpEvents() {
  for (int i = 0; i < 10000; ++i) {
    int32_t kind = PollEvent();
    if (kind == 0) return;
    ProcessEvent(kind);
  }
}

void Click(int gadget) {
  PostMessageA(GadgetHandle(gadget), BM_CLICK, 0, 0);
  PumpEvents();
}

void ClickListItem(int gadget, int index) {
  HWND list = GadgetHandle(gadget);
  RECT item;
  SendMessageA(list, LB_GETITEMRECT, index, (LPARAM)&item);
  LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
  PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageA(list, WM_LBUTTONUP, 0, at);
  PumpEvents();
}

void PostGadgetEventOf(int gadget) {
  // A list box reports a selection change as a left click.
  HWND control = GadgetHandle(gadget);
  SendMessageA(GetParent(control), WM_COMMAND, MAKEWPARAM(gadget, LBN_SELCHANGE), (LPARAM)control);
  PumpEvents();
}

std::string Text(int gadget) {
  ScratchText text;
  GadgetGetText(gadget, text.Start());
  return text.Get();
}

bool Shown(int gadget) { return (GetWindowLongA(GadgetHandle(gadget), GWL_STYLE) & WS_VISIBLE) != 0; }

bool Enabled(int gadget) { return IsWindowEnabled(GadgetHandle(gadget)) != FALSE; }

std::vector<std::string> DifferencesFrom(const Screen& screen) {
  std::vector<std::string> differences;
  for (int32_t container : Containers) Expect(&differences, container, container == screen.container, true);
  Expect(&differences, PnlHeader, screen.header, true);
  Expect(&differences, BtnBack, screen.back, true);
  Expect(&differences, BtnNext, screen.next, screen.nextEnabled);
  Expect(&differences, BtnInstall, screen.install, true);
  Expect(&differences, BtnCancel, screen.cancel, true);
  Expect(&differences, BtnFinish, screen.finish, true);
  for (int32_t gadget : PageGadgets) Expect(&differences, gadget, true, true);
  Expect(&differences, FldStartMenuFolder, true, screen.startMenuInputsEnabled);
  Expect(&differences, LstStartMenu, true, screen.startMenuInputsEnabled);
  return differences;
}

void GoForwardTo(int32_t page) {
  for (int step = 0; step < 10 && CurrentPage < page; ++step) {
    if (CurrentPage == 1 && GadgetGetState(ChkAccept) != 1) Click(ChkAccept);
    Click(BtnNext);
  }
}
