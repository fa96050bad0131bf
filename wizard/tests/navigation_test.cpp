// Page steps, the licence gate, the Start-menu inputs, the summary and the installation's
// screens, driven by native clicks on the real window.
#include <gtest/gtest.h>
#include "fake_installation.h"
#include "payload/payload.h"
#include "payload/product_version.h"
#include "screens.h"
#include "toolkit/gadget.h"
#include "toolkit/window.h"
#include "wizard/navigation.h"
#include "wizard/program.h"

namespace {

class Navigation : public testing::Test {
 protected:
  void SetUp() override {
    RebuildWizard();
    Installation = InstallationRecord();
    QuitRequested = 0;
  }
};

std::vector<std::string> Lines(int gadget) {
  HWND editor = GadgetHandle(gadget);
  std::vector<std::string> lines;
  int count = (int)SendMessageA(editor, EM_GETLINECOUNT, 0, 0);
  for (int i = 0; i < count; ++i) {
    char line[400] = {};
    *reinterpret_cast<WORD*>(line) = sizeof line - 1;
    LRESULT length = SendMessageA(editor, EM_GETLINE, i, (LPARAM)line);
    std::string text(line, length);
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n')) text.pop_back();
    lines.push_back(text);
  }
  return lines;
}

struct Transition {
  int32_t click;  // -1: none, the state right after the build
  int32_t page;
  const Screen* screen;
  const char* heading;
  const char* subheading;
};

// Forward to the ready page and back to the welcome page; on the welcome page the header
// labels hold their trial texts until the first step and the empty row 0 afterwards.
const Transition Walk[] = {
    {-1, 0, &WelcomeScreen, "Пробный заголовок", "Пробный текст"},
    {BtnNext, 1, &LicenceScreen, "Лицензионное соглашение",
     "Пожалуйста, прочитайте следующую важную информацию перед тем, как продолжить"},
    {ChkAccept, 1, &LicenceAcceptedScreen, "Лицензионное соглашение",
     "Пожалуйста, прочитайте следующую важную информацию перед тем, как продолжить"},
    {BtnNext, 2, &DestinationScreen, "Выбор папки установки",
     "В какую папку Вы хотите установить " BRX_PRODUCT_TITLE "?"},
    {BtnNext, 3, &StartMenuScreen, "Выберите папку в меню \"Пуск\"", "Где программа установки должна создать ярлыки?"},
    {BtnNext, 4, &TasksScreen, "Выберите дополнительные задачи",
     "Какие дополнительные задачи должна выполнить программа?"},
    {BtnNext, 5, &ReadyScreen, "Всё готово к установке",
     "Программа установки готова начать установку " BRX_PRODUCT_TITLE " на Ваш компьютер"},
    {BtnBack, 4, &TasksScreen, "Выберите дополнительные задачи",
     "Какие дополнительные задачи должна выполнить программа?"},
    {BtnBack, 3, &StartMenuScreen, "Выберите папку в меню \"Пуск\"", "Где программа установки должна создать ярлыки?"},
    {BtnBack, 2, &DestinationScreen, "Выбор папки установки",
     "В какую папку Вы хотите установить " BRX_PRODUCT_TITLE "?"},
    {BtnBack, 1, &LicenceAcceptedScreen, "Лицензионное соглашение",
     "Пожалуйста, прочитайте следующую важную информацию перед тем, как продолжить"},
    {BtnBack, 0, &WelcomeScreen, "", ""},
};

TEST_F(Navigation, ForwardToTheReadyPageAndBackShowsEachPageAsItShould) {
  for (const Transition& t : Walk) {
    if (t.click >= 0) Click(t.click);
    SCOPED_TRACE(t.screen->name);
    EXPECT_EQ(t.page, CurrentPage);
    EXPECT_EQ(std::vector<std::string>{}, DifferencesFrom(*t.screen));
    EXPECT_EQ(t.heading, Text(TxtHeading));
    EXPECT_EQ(t.subheading, Text(TxtSubheading));
  }
}

TEST_F(Navigation, NextOnTheLicencePageFollowsTheAcceptanceBox) {
  const struct { int32_t click; int32_t page; bool nextEnabled; } steps[] = {
      {BtnNext, 1, false}, {ChkAccept, 1, true},  {ChkAccept, 1, false}, {ChkAccept, 1, true},
      {ChkAccept, 1, false}, {BtnBack, 0, true},  {BtnNext, 1, false},   {ChkAccept, 1, true},
      {BtnNext, 2, true},  {BtnBack, 1, true},
  };
  for (const auto& step : steps) {
    Click(step.click);
    EXPECT_EQ(step.page, CurrentPage);
    EXPECT_EQ(step.nextEnabled, Enabled(BtnNext)) << "page " << step.page;
  }
}

TEST_F(Navigation, TheAcceptanceBoxGatesNextOnlyOnTheLicencePage) {
  GoForwardTo(2);
  Click(ChkAccept);  // unticked behind the destination page
  EXPECT_EQ(0, GadgetGetState(ChkAccept));
  EXPECT_TRUE(Enabled(BtnNext));
  Click(BtnBack);
  EXPECT_FALSE(Enabled(BtnNext)) << "the licence page still shows its gate";
}

TEST_F(Navigation, StepsStopAtTheFirstPage) {
  Click(BtnBack);  // hidden on the welcome page, so only a program can press it
  EXPECT_EQ(0, CurrentPage);
  EXPECT_EQ(std::vector<std::string>{}, DifferencesFrom(WelcomeScreen));
}

TEST_F(Navigation, TheSummaryNamesBothFoldersAndIsRebuiltOnEachEntry) {
  GoForwardTo(5);
  const std::string destination = std::string(ProgramFilesPath) + "Brindlex\\";
  EXPECT_EQ((std::vector<std::string>{"Папка установки:", "    " + destination, "", "Папка в меню «Пуск»:",
                                      "    Brindlex"}),
            Lines(EdSummary));

  Click(BtnBack);
  Click(BtnBack);
  Click(BtnBack);
  GadgetSetText(FldDestination, "C:\\Elsewhere\\");
  Click(ChkNoShortcuts);  // the folder is named all the same
  GoForwardTo(5);
  EXPECT_EQ((std::vector<std::string>{"Папка установки:", "    C:\\Elsewhere\\", "", "Папка в меню «Пуск»:",
                                      "    Brindlex"}),
            Lines(EdSummary));
}

TEST_F(Navigation, NoShortcutsDisablesTheStartMenuFieldAndList) {
  GoForwardTo(3);
  Click(ChkNoShortcuts);
  Screen withoutShortcuts = StartMenuScreen;
  withoutShortcuts.startMenuInputsEnabled = false;
  EXPECT_EQ(std::vector<std::string>{}, DifferencesFrom(withoutShortcuts));
  Click(ChkNoShortcuts);
  EXPECT_EQ(std::vector<std::string>{}, DifferencesFrom(StartMenuScreen));
}

TEST_F(Navigation, PickingAProgramFolderNamesTheProductFolderInsideIt) {
  GoForwardTo(3);
  HWND list = GadgetHandle(LstStartMenu);
  int accessories = (int)SendMessageA(list, LB_FINDSTRINGEXACT, -1, (LPARAM) "Accessories");
  ASSERT_NE(LB_ERR, accessories);
  ClickListItem(LstStartMenu, accessories);
  EXPECT_EQ("Accessories\\Brindlex", Text(FldStartMenuFolder));

  GadgetSetText(FldStartMenuFolder, "Typed");
  SendMessageA(list, LB_SETCURSEL, (WPARAM)-1, 0);
  PostGadgetEventOf(LstStartMenu);
  EXPECT_EQ("Typed", Text(FldStartMenuFolder)) << "an event without a selection changes nothing";
}

TEST_F(Navigation, InputsKeepTheirValuesAcrossSteps) {
  GoForwardTo(4);
  GadgetSetText(FldDestination, "C:\\Kept\\");
  GadgetSetText(FldStartMenuFolder, "Kept");
  Click(ChkQuickLaunch);
  Click(ChkDesktopIcon);
  for (int i = 0; i < 4; ++i) Click(BtnBack);
  GoForwardTo(5);
  EXPECT_EQ("C:\\Kept\\", Text(FldDestination));
  EXPECT_EQ("Kept", Text(FldStartMenuFolder));
  EXPECT_EQ(1, GadgetGetState(ChkQuickLaunch));
  EXPECT_EQ(0, GadgetGetState(ChkDesktopIcon));
  EXPECT_EQ(1, GadgetGetState(ChkAccept));
}

TEST_F(Navigation, InstallShowsTheInstallingPageThenTheFinishScreen) {
  GoForwardTo(5);
  Click(BtnInstall);
  EXPECT_EQ(1, Installation.runs);
  EXPECT_EQ(std::vector<std::string>{}, Installation.screenDifferences);
  EXPECT_EQ("Установка...", Installation.heading);
  EXPECT_EQ("Пожалуйста, подождите, пока " BRX_PRODUCT_TITLE " установится на Ваш компьютер", Installation.subheading);

  EXPECT_EQ(6, CurrentPage);
  EXPECT_EQ(std::vector<std::string>{}, DifferencesFrom(FinishScreen));
  EXPECT_EQ("Завершение работы мастера установки.", Text(TxtWelcomeTitle));
  EXPECT_EQ(std::string(FinishText().text, FinishText().length), Text(TxtWelcomeBody));
  EXPECT_EQ(0, QuitRequested);

  Click(BtnFinish);
  EXPECT_EQ(1, QuitRequested);
}

TEST_F(Navigation, OnlyGadgetEventsOfTheActionGadgetsDoAnything) {
  GoForwardTo(2);
  for (int32_t gadget : {BtnCancel, BtnFinish, TxtFreeSpace, ImgDestination, PnlDestination, FldDestination}) {
    HandleWizardEvent(EvGadget, gadget);
    EXPECT_EQ(2, CurrentPage) << gadget;
  }
  for (int32_t kind : {(int32_t)EvClose, (int32_t)EvMove, (int32_t)EvActivate, (int32_t)WM_LBUTTONUP}) {
    HandleWizardEvent(kind, BtnNext);
    HandleWizardEvent(kind, BtnInstall);
    EXPECT_EQ(2, CurrentPage) << kind;
  }
  EXPECT_EQ(std::vector<std::string>{}, DifferencesFrom(DestinationScreen));
  EXPECT_EQ(0, Installation.runs);
  EXPECT_EQ(0, QuitRequested);
}

}  // namespace
