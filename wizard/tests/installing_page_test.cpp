// Install takes the wizard's inputs once as a plan for the run, and the run's reports reach
// the installing page's gadgets.
#include <gtest/gtest.h>
#include "fake_installation.h"
#include "toolkit/gadget.h"
#include "wizard/gadgets.h"
#include "wizard/program.h"
#include "wizard_driver.h"

namespace {

std::string TextOf(const char* value) { return value ? value : ""; }

class InstallPlan : public testing::Test {
 protected:
  void SetUp() override {
    RebuildWizard();
    Installation = InstallationRecord();
  }
};

TEST_F(InstallPlan, InstallHandsTheChoicesOfEveryPageToTheRun) {
  struct Case {
    const char* what;
    const char* menuName;     // typed on the Start-menu page; null: the preset
    bool tickNoShortcuts, clickDesktop, clickQuickLaunch;
    const char* destination;  // typed on the ready page; null: the preset
    // The plan's choices: the destination in its normal form, without the blanks that end
    // it and with a backslash at its end.
    std::string plannedDestination, plannedMenuName;
    bool startMenu, desktop, quickLaunch;
  };
  const std::string presetDestination = TextOf(ProgramFilesPath) + "Brindlex\\";
  const Case cases[] = {
      {"presets", nullptr, false, false, false, nullptr, presetDestination, "Brindlex", true, true, false},
      {"every choice turned", "Tools\\Brindlex", true, true, true, "D:\\Apps", "D:\\Apps\\", "Tools\\Brindlex",
       false, false, true},
      {"destination with blanks after it", nullptr, false, false, false, "D:\\Apps\\  ", "D:\\Apps\\", "Brindlex",
       true, true, false},
      {"Quick Launch added, destination emptied", "Мои программы", false, false, true, "", "", "Мои программы",
       true, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    RebuildWizard();
    Installation = InstallationRecord();
    GoForwardTo(3);
    if (c.menuName) GadgetSetText(FldStartMenuFolder, c.menuName);
    if (c.tickNoShortcuts) Click(ChkNoShortcuts);
    GoForwardTo(4);
    if (c.clickDesktop) Click(ChkDesktopIcon);
    if (c.clickQuickLaunch) Click(ChkQuickLaunch);
    GoForwardTo(5);
    ASSERT_EQ(5, CurrentPage);
    if (c.destination) GadgetSetText(FldDestination, c.destination);
    Click(BtnInstall);

    ASSERT_EQ(1, Installation.runs);
    EXPECT_EQ(c.plannedDestination, Installation.destination);
    EXPECT_EQ(c.plannedMenuName, Installation.startMenuName);
    EXPECT_EQ(c.startMenu, Installation.startMenu);
    EXPECT_EQ(c.desktop, Installation.desktop);
    EXPECT_EQ(c.quickLaunch, Installation.quickLaunch);
    // The shortcuts go into the shell's folders looked up at start-up.
    EXPECT_EQ(TextOf(CommonProgramsPath), Installation.programsFolder);
    EXPECT_EQ(TextOf(CommonDesktopPath), Installation.desktopFolder);
    EXPECT_EQ(TextOf(QuickLaunchPath), Installation.quickLaunchFolder);
    // Quick Launch lies below the application data, which the links are checked from.
    EXPECT_EQ(TextOf(AppDataPath) + "Microsoft\\Internet Explorer\\Quick Launch\\", Installation.quickLaunchFolder);
    EXPECT_NE("", Installation.appDataFolder);
    EXPECT_EQ(TextOf(AppDataPath), Installation.appDataFolder);
    // The licence's editor is named with the Windows folder; a new folder outside Program
    // Files is protected.
    char windows[MAX_PATH] = "";
    GetSystemWindowsDirectoryA(windows, MAX_PATH);
    EXPECT_EQ(std::string(windows) + "\\", Installation.windowsFolder);
    EXPECT_EQ(TextOf(ProgramFilesPath), Installation.programFiles);
  }
}

TEST_F(InstallPlan, TheRunsReportsReachTheInstallingPagesLinesAndBar) {
  GoForwardTo(5);
  Click(BtnInstall);
  ASSERT_EQ(1, Installation.runs);
  EXPECT_EQ(FakePhase, Installation.phaseShown);
  EXPECT_EQ(FakeDetail, Installation.detailShown);
  EXPECT_EQ(FakePosition, Installation.barShown);
}

}  // namespace
