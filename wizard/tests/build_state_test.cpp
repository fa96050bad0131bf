// The wizard as BuildWizard leaves it, before any page change.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <richedit.h>
#include <vector>
#include "payload/payload.h"
#include "payload/product_version.h"
#include "payload/tests/damaged_byte.h"
#include "shell/drives.h"
#include "toolkit/gadget.h"
#include "toolkit/window.h"
#include "screens.h"
#include "wizard/program.h"

namespace {

constexpr int32_t Window = -1;

class BuiltWizard : public testing::Test {
 protected:
  void SetUp() override { RebuildWizard(); }
};

RECT PlaceInParent(HWND control) {
  RECT place;
  GetWindowRect(control, &place);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&place), 2);
  return place;
}

TEST_F(BuiltWizard, ShowsTheWelcomePageWithNextAndCancelOnly) {
  EXPECT_EQ(0, CurrentPage);
  EXPECT_EQ(std::vector<std::string>{}, DifferencesFrom(WelcomeScreen));
  HWND window = WindowHandle(WizardWindow);
  char title[100];
  GetWindowTextA(window, title, sizeof title);
  EXPECT_STREQ("Установка программы " BRX_PRODUCT_TITLE, title);
  RECT client;
  GetClientRect(window, &client);
  EXPECT_EQ(500, client.right);
  EXPECT_EQ(358, client.bottom);
  LONG style = GetWindowLongA(window, GWL_STYLE);
  EXPECT_EQ(WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, style & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX |
                                                               WS_MAXIMIZEBOX | WS_THICKFRAME));
}

// Each container holds exactly its page's gadgets; the rest sit on the window itself.
TEST_F(BuiltWizard, EveryGadgetSitsInItsContainer) {
  const struct { int32_t container; std::vector<int32_t> gadgets; } pages[] = {
      {Window, {BtnBack, BtnNext, BtnInstall, BtnCancel, BtnFinish, ImgCorner, PnlWelcome, PnlLicence, PnlHeader,
                PnlDestination, PnlStartMenu, PnlTasks, PnlReady, PnlInstalling}},
      {PnlWelcome, {ImgSide, TxtWelcomeTitle, TxtWelcomeBody}},
      {PnlLicence, {TxtLicenceHint, EdLicence, ChkAccept, TxtAccept}},
      {PnlHeader, {TxtHeading, TxtSubheading}},
      {PnlDestination, {ImgDestination, TxtDestinationIntro, TxtDestinationHint, FldDestination, BtnBrowse,
                        TxtSpaceNeeded, TxtFreeSpace}},
      {PnlStartMenu, {ImgStartMenu, TxtStartMenuIntro, TxtStartMenuHint, FldStartMenuFolder, LstStartMenu,
                      ChkNoShortcuts, TxtNoShortcuts}},
      {PnlTasks, {TxtTasksIntro, ChkDesktopIcon, TxtDesktopIcon, ChkQuickLaunch, TxtQuickLaunch}},
      {PnlReady, {TxtReadyHint, EdSummary}},
      {PnlInstalling, {TxtInstallStep, TxtInstallFile, PrgInstall}},
  };
  for (const auto& page : pages) {
    HWND parent = page.container == Window ? WindowHandle(WizardWindow) : GadgetHandle(page.container);
    int children = 0;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) ++children;
    EXPECT_EQ((int)page.gadgets.size(), children) << page.container;
    for (int32_t gadget : page.gadgets) EXPECT_EQ(parent, GetParent(GadgetHandle(gadget))) << gadget;
  }
}

// An image box takes the size of its picture, whatever size it was asked for.
TEST_F(BuiltWizard, ImageBoxesShowTheirPicturesAtTheirOwnSize) {
  const struct { int32_t gadget, x, y, width, height; } boxes[] = {
      {ImgCorner, 442, 4, 54, 54},  {ImgSide, 0, 0, 162, 312},
      {ImgDestination, 40, 15, 32, 32}, {ImgStartMenu, 40, 15, 32, 32},
  };
  for (const auto& box : boxes) {
    HWND control = GadgetHandle(box.gadget);
    EXPECT_NE(nullptr, (HANDLE)SendMessageA(control, STM_GETIMAGE, IMAGE_BITMAP, 0)) << box.gadget;
    RECT place = PlaceInParent(control);
    EXPECT_EQ((std::vector<LONG>{box.x, box.y, box.width, box.height}),
              (std::vector<LONG>{place.left, place.top, place.right - place.left, place.bottom - place.top}))
        << box.gadget;
  }
}

// A damaged picture or icon is shown as one that cannot be decoded: its box stays empty and
// the wizard is built all the same. A damaged text is still shown as it is.
TEST_F(BuiltWizard, ADamagedPictureIsLeftOutAtStartUp) {
  const EmbeddedText welcome = WelcomeText();
  {
    DamagedByte side(EmbeddedPicture(0).data + 1000), icon(EmbeddedIcon(3).data + 1000),
        text(welcome.text + 10);
    RebuildWizard();
    EXPECT_EQ(nullptr, (HANDLE)SendMessageA(GadgetHandle(ImgSide), STM_GETIMAGE, IMAGE_BITMAP, 0));
    EXPECT_EQ(nullptr, (HANDLE)SendMessageA(GadgetHandle(ImgStartMenu), STM_GETIMAGE, IMAGE_BITMAP, 0));
    EXPECT_NE(nullptr, (HANDLE)SendMessageA(GadgetHandle(ImgCorner), STM_GETIMAGE, IMAGE_BITMAP, 0));
    EXPECT_NE(nullptr, (HANDLE)SendMessageA(GadgetHandle(ImgDestination), STM_GETIMAGE, IMAGE_BITMAP, 0));
    std::string shown = Text(TxtWelcomeBody);
    EXPECT_EQ(std::string(welcome.text, welcome.length), shown);
    EXPECT_EQ(welcome.length, (int32_t)shown.size());
  }
  RebuildWizard();
  EXPECT_NE(nullptr, (HANDLE)SendMessageA(GadgetHandle(ImgSide), STM_GETIMAGE, IMAGE_BITMAP, 0));
  EXPECT_NE(nullptr, (HANDLE)SendMessageA(GadgetHandle(ImgStartMenu), STM_GETIMAGE, IMAGE_BITMAP, 0));
}

TEST_F(BuiltWizard, ComposedTextsAtCreation) {
  const struct { int32_t gadget; const char* text; } texts[] = {
      {TxtHeading, "Пробный заголовок"}, {TxtSubheading, "Пробный текст"},
      {TxtDestinationIntro, "Программа установит " BRX_PRODUCT_TITLE "  в следующую папку:"},
      {TxtTasksIntro, "Выберите дополнительные задачи, которые должны выполнятся при установке " BRX_PRODUCT_TITLE ", "
                      "после этого нажмите \"Далее\"\n\nДополнительные задачи:"},
      {EdSummary, ""},
  };
  for (const auto& t : texts) EXPECT_EQ(t.text, Text(t.gadget)) << t.gadget;
  EXPECT_EQ(std::string(WelcomeText().text, WelcomeText().length), Text(TxtWelcomeBody));
  EXPECT_EQ(std::string(LicenceText().text, LicenceText().length), Text(EdLicence));
  EXPECT_EQ(std::string(ProgramFilesPath) + "Brindlex\\", Text(FldDestination));
}

TEST_F(BuiltWizard, TheFreeSpaceLineCountsTheDestinationDrive) {
  std::string line = Text(TxtFreeSpace);
  const std::string before = "Доступно на диске  ", after = " Мб";
  ASSERT_EQ(before, line.substr(0, before.size()));
  ASSERT_EQ(after, line.substr(line.size() - after.size()));
  std::string number = line.substr(before.size(), line.size() - before.size() - after.size());
  ASSERT_EQ(std::string::npos, number.find_first_not_of("0123456789")) << line;
  ASSERT_NE('0', number[0]) << line;
  // Other programs write to the same disk meanwhile: the count may move a little.
  EXPECT_NEAR(DriveFreeMegabytes(std::string(ProgramFilesPath).substr(0, 2).c_str()), std::stoi(number), 200);
}

TEST_F(BuiltWizard, InputsStartWithTheirPresets) {
  EXPECT_EQ(1, GadgetGetState(ChkDesktopIcon));
  EXPECT_EQ(0, GadgetGetState(ChkQuickLaunch));
  EXPECT_EQ(0, GadgetGetState(ChkNoShortcuts));
  EXPECT_EQ(0, GadgetGetState(ChkAccept));
  EXPECT_EQ(-1, GadgetGetState(LstStartMenu));
  EXPECT_EQ(0, GadgetGetState(PrgInstall));
  EXPECT_EQ(16, SendMessageA(GadgetHandle(PrgInstall), PBM_GETRANGE, FALSE, 0));
  EXPECT_EQ(PBS_SMOOTH, GetWindowLongA(GadgetHandle(PrgInstall), GWL_STYLE) & PBS_SMOOTH);
}

TEST_F(BuiltWizard, TheLicenceFieldAndTheSummaryAreReadOnly) {
  LONG licence = GetWindowLongA(GadgetHandle(EdLicence), GWL_STYLE);
  EXPECT_EQ(ES_READONLY | ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL,
            licence & (ES_READONLY | ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL));
  EXPECT_NE(0u, SendMessageA(GadgetHandle(EdSummary), EM_GETOPTIONS, 0, 0) & ECO_READONLY);
  EXPECT_EQ(0, GetWindowLongA(GadgetHandle(FldDestination), GWL_STYLE) & ES_READONLY);
}

TEST_F(BuiltWizard, TheStartMenuListHoldsTheProgramFolders) {
  HWND list = GadgetHandle(LstStartMenu);
  EXPECT_NE(LB_ERR, SendMessageA(list, LB_FINDSTRINGEXACT, -1, (LPARAM) "Accessories"));
  EXPECT_EQ(LB_ERR, SendMessageA(list, LB_FINDSTRINGEXACT, -1, (LPARAM) "wizard-test-file.txt"));
}

}  // namespace
