// The wizard as BuildWizard leaves it, before any page change.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <richedit.h>
#include "payload/payload.h"
#include "shell/drives.h"
#include "toolkit/gadget.h"
#include "toolkit/window.h"
#include "screens.h"
#include "wizard/program.h"

namespace {

constexpr int32_t Window = -1;
constexpr int32_t PageGrey = 0xBEBEBE, LightGrey = 0xDCDCDC;

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
  EXPECT_STREQ("Установка программы Brindlex v 1.0", title);
  RECT client;
  GetClientRect(window, &client);
  EXPECT_EQ(500, client.right);
  EXPECT_EQ(358, client.bottom);
  LONG style = GetWindowLongA(window, GWL_STYLE);
  EXPECT_EQ(WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, style & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX |
                                                               WS_MAXIMIZEBOX | WS_THICKFRAME));
}

// Parent, place and size of every gadget; image boxes have the size of their picture.
TEST_F(BuiltWizard, EveryGadgetSitsInItsParentAtItsPlace) {
  const struct { int32_t gadget, parent, x, y, width, height; } places[] = {
      {BtnBack, Window, 240, 325, 80, 24},           {BtnNext, Window, 324, 325, 80, 24},
      {BtnInstall, Window, 324, 325, 80, 24},        {BtnCancel, Window, 410, 325, 80, 24},
      {BtnFinish, Window, 410, 325, 80, 24},         {ImgCorner, Window, 442, 4, 54, 54},
      {PnlWelcome, Window, 0, 0, 500, 312},          {ImgSide, PnlWelcome, 0, 0, 162, 312},
      {TxtWelcomeTitle, PnlWelcome, 190, 20, 280, 50}, {TxtWelcomeBody, PnlWelcome, 190, 80, 280, 160},
      {PnlLicence, Window, 0, 62, 500, 250},         {TxtLicenceHint, PnlLicence, 20, 10, 490, 20},
      {EdLicence, PnlLicence, 20, 30, 460, 170},     {ChkAccept, PnlLicence, 20, 222, 13, 13},
      {TxtAccept, PnlLicence, 40, 220, 390, 20},     {PnlHeader, Window, 4, 4, 434, 54},
      {TxtHeading, PnlHeader, 10, 0, 400, 17},       {TxtSubheading, PnlHeader, 30, 17, 380, 34},
      {PnlDestination, Window, 0, 62, 500, 250},     {ImgDestination, PnlDestination, 40, 15, 32, 32},
      {TxtDestinationIntro, PnlDestination, 80, 24, 350, 15}, {TxtDestinationHint, PnlDestination, 40, 58, 350, 30},
      {FldDestination, PnlDestination, 40, 90, 350, 20}, {BtnBrowse, PnlDestination, 400, 88, 80, 24},
      {TxtSpaceNeeded, PnlDestination, 40, 200, 400, 15}, {TxtFreeSpace, PnlDestination, 40, 220, 400, 15},
      {PnlStartMenu, Window, 0, 62, 500, 250},       {ImgStartMenu, PnlStartMenu, 40, 15, 32, 32},
      {TxtStartMenuIntro, PnlStartMenu, 80, 24, 350, 15}, {TxtStartMenuHint, PnlStartMenu, 40, 50, 350, 30},
      {FldStartMenuFolder, PnlStartMenu, 40, 82, 400, 20}, {LstStartMenu, PnlStartMenu, 40, 105, 400, 120},
      {ChkNoShortcuts, PnlStartMenu, 42, 232, 13, 13}, {TxtNoShortcuts, PnlStartMenu, 60, 230, 350, 15},
      {PnlTasks, Window, 0, 62, 500, 250},           {TxtTasksIntro, PnlTasks, 40, 15, 450, 60},
      {ChkDesktopIcon, PnlTasks, 40, 80, 13, 13},    {TxtDesktopIcon, PnlTasks, 60, 80, 350, 15},
      {ChkQuickLaunch, PnlTasks, 40, 100, 13, 13},   {TxtQuickLaunch, PnlTasks, 60, 100, 350, 15},
      {PnlReady, Window, 0, 62, 500, 250},           {TxtReadyHint, PnlReady, 40, 15, 400, 35},
      {EdSummary, PnlReady, 40, 50, 400, 180},       {PnlInstalling, Window, 0, 62, 500, 250},
      {TxtInstallStep, PnlInstalling, 40, 15, 400, 15}, {TxtInstallFile, PnlInstalling, 40, 35, 450, 15},
      {PrgInstall, PnlInstalling, 40, 58, 420, 22},
  };
  for (const auto& p : places) {
    HWND control = GadgetHandle(p.gadget);
    ASSERT_NE(nullptr, control) << p.gadget;
    HWND parent = p.parent == Window ? WindowHandle(WizardWindow) : GadgetHandle(p.parent);
    EXPECT_EQ(parent, GetParent(control)) << p.gadget;
    RECT place = PlaceInParent(control);
    EXPECT_EQ(p.x, place.left) << p.gadget;
    EXPECT_EQ(p.y, place.top) << p.gadget;
    EXPECT_EQ(p.width, place.right - place.left) << p.gadget;
    EXPECT_EQ(p.height, place.bottom - place.top) << p.gadget;
  }
}

TEST_F(BuiltWizard, TextsAtCreation) {
  const struct { int32_t gadget; const char* text; } texts[] = {
      {BtnBack, "< Назад"}, {BtnNext, "Далее >"}, {BtnInstall, "Установить"}, {BtnCancel, "Отмена"},
      {BtnFinish, "Завершить"}, {BtnBrowse, "Обзор"},
      {TxtWelcomeTitle, "Добро пожаловать в мастер установки Brindlex v 1.0"},
      {TxtHeading, "Пробный заголовок"}, {TxtSubheading, "Пробный текст"},
      {TxtDestinationIntro, "Программа установит Brindlex v 1.0  в следующую папку:"},
      {TxtTasksIntro, "Выберите дополнительные задачи, которые должны выполнятся при установке Brindlex v 1.0, "
                      "после этого нажмите \"Далее\"\n\nДополнительные задачи:"},
      {FldStartMenuFolder, "Brindlex"}, {ChkNoShortcuts, "Не создавать ярлыки"}, {ChkAccept, ""},
      {TxtInstallStep, "Распаковка файлов..."}, {TxtInstallFile, ""}, {EdSummary, ""},
  };
  for (const auto& t : texts) EXPECT_EQ(t.text, Text(t.gadget)) << t.gadget;
  EXPECT_EQ(WelcomeText(), Text(TxtWelcomeBody));
  EXPECT_EQ(LicenceText(), Text(EdLicence));
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

TEST_F(BuiltWizard, FontsAndBackgrounds) {
  const struct { int32_t gadget; HFONT* font; int32_t background; } looks[] = {
      {PnlWelcome, nullptr, PageGrey},          {TxtWelcomeTitle, &FontTitle, PageGrey},
      {TxtWelcomeBody, &FontBody, PageGrey},    {PnlLicence, nullptr, PageGrey},
      {TxtLicenceHint, &FontBody, PageGrey},    {EdLicence, &FontBody, LightGrey},
      {TxtAccept, &FontBody, PageGrey},         {PnlHeader, nullptr, LightGrey},
      {TxtHeading, &FontHeading, LightGrey},    {TxtSubheading, &FontSmall, LightGrey},
      {PnlDestination, nullptr, PageGrey},      {TxtDestinationIntro, &FontSmall, PageGrey},
      {TxtDestinationHint, &FontSmall, PageGrey}, {FldDestination, nullptr, -1},
      {TxtSpaceNeeded, &FontSmall, PageGrey},   {TxtFreeSpace, &FontSmall, PageGrey},
      {PnlStartMenu, nullptr, PageGrey},        {TxtStartMenuIntro, &FontSmall, PageGrey},
      {TxtStartMenuHint, &FontSmall, PageGrey}, {FldStartMenuFolder, nullptr, -1},
      {LstStartMenu, nullptr, -1},              {TxtNoShortcuts, &FontSmall, PageGrey},
      {PnlTasks, nullptr, PageGrey},            {TxtTasksIntro, &FontSmall, PageGrey},
      {TxtDesktopIcon, &FontSmall, PageGrey},   {TxtQuickLaunch, &FontSmall, PageGrey},
      {PnlReady, nullptr, PageGrey},            {TxtReadyHint, &FontSmall, PageGrey},
      {EdSummary, &FontSmall, LightGrey},       {PnlInstalling, nullptr, PageGrey},
      {TxtInstallStep, &FontSmall, PageGrey},   {TxtInstallFile, &FontSmall, PageGrey},
  };
  for (const auto& look : looks) {
    GadgetRecord* record = GadgetFind(look.gadget);
    ASSERT_NE(nullptr, record) << look.gadget;
    // The text editor keeps its back colour after its empty-line marker.
    int colourWord = record->kind->kind == KindTextEditor ? 1 : 0;
    EXPECT_EQ(look.background, record->word[colourWord]) << look.gadget;
    if (look.font && look.gadget != EdSummary) {
      EXPECT_EQ(*look.font, (HFONT)SendMessageA(record->handle, WM_GETFONT, 0, 0)) << look.gadget;
    }
  }
  EXPECT_NE(FontTitle, FontBody);
  // The text editor takes the font into its character format: Arial, 9 points.
  CHARFORMATA format = {};
  format.cbSize = sizeof format;
  SendMessageA(GadgetHandle(EdSummary), EM_GETCHARFORMAT, SCF_DEFAULT, (LPARAM)&format);
  EXPECT_STREQ("Arial", format.szFaceName);
  EXPECT_EQ(9 * 20, format.yHeight);
}

TEST_F(BuiltWizard, TheStartMenuListHoldsTheProgramFolders) {
  HWND list = GadgetHandle(LstStartMenu);
  EXPECT_NE(LB_ERR, SendMessageA(list, LB_FINDSTRINGEXACT, -1, (LPARAM) "Accessories"));
  EXPECT_EQ(LB_ERR, SendMessageA(list, LB_FINDSTRINGEXACT, -1, (LPARAM) "wizard-test-file.txt"));
}

}  // namespace
