// The loop pass: the cancel question on the close box and Cancel, and Finish.
#include <gtest/gtest.h>
#include "dialog_answerer.h"
#include "fake_installation.h"
#include "payload/product_version.h"
#include "screens.h"
#include "toolkit/gadget.h"
#include "toolkit/window.h"
#include "wizard/program.h"

namespace {

const char QuestionTitle[] = "Установка " BRX_PRODUCT_TITLE;
const char Question[] = "Вы действительно хотите прервать установку программы Установка " BRX_PRODUCT_TITLE " ?";

class MainLoop : public testing::Test {
 protected:
  void SetUp() override {
    RebuildWizard();
    QuitRequested = 0;
  }
  void TearDown() override { QuitRequested = 0; }
};

void PressCloseBox(int window) {
  PostMessageA(WindowHandle(window), WM_SYSCOMMAND, SC_CLOSE, 0);
  PumpEvents();
}

void PressCancel(int = WizardWindow) { Click(BtnCancel); }

void (*const AskingPresses[])(int window) = {PressCloseBox, PressCancel};

const Screen* const ScreenOfPage[] = {&WelcomeScreen, &LicenceScreen, &DestinationScreen,
                                      &StartMenuScreen, &TasksScreen, &ReadyScreen};

TEST_F(MainLoop, CloseBoxAndCancelAskOnEveryPageAndNoKeepsThePage) {
  for (auto press : AskingPresses) {
    for (int32_t page = 0; page <= 5; ++page) {
      RebuildWizard();
      GoForwardTo(page);
      GadgetSetText(FldStartMenuFolder, "Kept");
      MessageBoxAnswer no(QuestionTitle, IDNO);
      press(WizardWindow);
      SeenDialog seen = no.Finish();
      SCOPED_TRACE(ScreenOfPage[page]->name);
      EXPECT_TRUE(seen.seen);
      EXPECT_EQ(Question, seen.text);
      EXPECT_EQ(IDNO, seen.defaultButton);
      EXPECT_EQ(0, QuitRequested);
      EXPECT_EQ(page, CurrentPage);
      EXPECT_EQ(std::vector<std::string>{}, DifferencesFrom(*ScreenOfPage[page]));
      EXPECT_EQ("Kept", Text(FldStartMenuFolder));
    }
  }
}

TEST_F(MainLoop, YesEndsTheLoop) {
  {
    MessageBoxAnswer yes(QuestionTitle, IDYES);
    PressCloseBox(WizardWindow);
    EXPECT_TRUE(yes.Finish().seen);
    EXPECT_EQ(1, QuitRequested);
  }
  QuitRequested = 0;
  GoForwardTo(3);
  MessageBoxAnswer yes(QuestionTitle, IDYES);
  PressCancel();
  EXPECT_TRUE(yes.Finish().seen);
  EXPECT_EQ(1, QuitRequested);
}

TEST_F(MainLoop, TheFinishScreenEndsWithFinishAtOnceAndStillAsksOnTheCloseBox) {
  GoForwardTo(5);
  Click(BtnInstall);
  {
    MessageBoxAnswer no(QuestionTitle, IDNO);
    PressCloseBox(WizardWindow);
    EXPECT_TRUE(no.Finish().seen);
    EXPECT_EQ(0, QuitRequested);
  }
  MessageBoxAnswer anything(nullptr, IDYES);
  Click(BtnFinish);
  EXPECT_FALSE(anything.Finish().seen) << "Finish ends without a question";
  EXPECT_EQ(1, QuitRequested);
}

TEST_F(MainLoop, OnlyTheWizardWindowsCloseBoxAsks) {
  HWND other = (HWND)WindowOpen(1, 10, 10, 200, 100, "other", WS_OVERLAPPEDWINDOW);
  ASSERT_NE(nullptr, other);
  PumpEvents();
  MessageBoxAnswer anything(nullptr, IDYES);
  PressCloseBox(1);
  EXPECT_FALSE(anything.Finish().seen);
  EXPECT_EQ(0, QuitRequested);
  WindowClose(1);
}

}  // namespace
