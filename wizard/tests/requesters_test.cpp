// Message boxes and the windows they disable.
#include <gtest/gtest.h>
#include <thread>
#include "dialog_answerer.h"
#include "toolkit/requesters.h"
#include "toolkit/window.h"
#include "wizard/gadgets.h"
#include "wizard_driver.h"

namespace {

HWND Popup(DWORD extraStyle) {
  return CreateWindowExA(0, "STATIC", "popup", WS_POPUP | extraStyle, 20, 20, 60, 40, nullptr, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
}

class Requesters : public testing::Test {
 public:
  void SetUp() override {
    RebuildWizard();
    wizard = WindowHandle(WizardWindow);
    visible = Popup(WS_VISIBLE);
    alreadyDisabled = Popup(WS_VISIBLE | WS_DISABLED);
    hidden = Popup(0);
    SetForegroundWindow(wizard);
    PumpEvents();
  }
  void TearDown() override {
    DestroyWindow(visible);
    DestroyWindow(alreadyDisabled);
    DestroyWindow(hidden);
    PumpEvents();
  }
  struct Enabled {
    bool wizard, visible, alreadyDisabled, hidden;
    bool operator==(const Enabled& o) const {
      return wizard == o.wizard && visible == o.visible && alreadyDisabled == o.alreadyDisabled && hidden == o.hidden;
    }
  };
  Enabled Now() const {
    return {IsWindowEnabled(wizard) != 0, IsWindowEnabled(visible) != 0, IsWindowEnabled(alreadyDisabled) != 0,
            IsWindowEnabled(hidden) != 0};
  }
  HWND wizard, visible, alreadyDisabled, hidden;
};

std::ostream& operator<<(std::ostream& out, const Requesters::Enabled& e) {
  return out << "{wizard " << e.wizard << ", visible " << e.visible << ", already disabled " << e.alreadyDisabled
             << ", hidden " << e.hidden << "}";
}

TEST_F(Requesters, AMessageBoxDisablesTheOtherVisibleWindowsAndEnablesExactlyThoseAgain) {
  ASSERT_EQ(wizard, OwnForegroundWindow());
  Enabled during = {};
  HWND owner = nullptr;
  bool hasYesAndNo = false;
  DialogAnswerer answer("Вопрос", [&](HWND box) {
    during = Now();
    owner = GetWindow(box, GW_OWNER);
    hasYesAndNo = GetDlgItem(box, IDYES) && GetDlgItem(box, IDNO) && !GetDlgItem(box, IDOK);
    PressDialogButton(box, IDNO);
  });
  EXPECT_EQ(IDNO, ShowMessage("Вопрос", "Текст", MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2));
  SeenDialog seen = answer.Finish();
  ASSERT_TRUE(seen.seen);
  EXPECT_EQ("Текст", seen.text);
  EXPECT_EQ(IDNO, seen.defaultButton);
  EXPECT_TRUE(hasYesAndNo);
  // The wizard, foreground, owns the box and is disabled by the system for its lifetime.
  EXPECT_EQ(wizard, owner);
  EXPECT_EQ((Enabled{false, false, false, true}), during);
  EXPECT_EQ((Enabled{true, true, false, true}), Now());
}

TEST_F(Requesters, EachThreadEnablesOnlyTheWindowsItDisabled) {
  DisableThreadWindows(1);
  EXPECT_EQ((Enabled{true, false, false, true}), Now()) << "the foreground window is left alone";
  std::thread([] { DisableThreadWindows(0); }).join();
  EXPECT_FALSE(IsWindowEnabled(visible));
  DisableThreadWindows(0);
  EXPECT_EQ((Enabled{true, true, false, true}), Now());
  DisableThreadWindows(0);  // nothing recorded any more
  EXPECT_EQ((Enabled{true, true, false, true}), Now());
}

TEST_F(Requesters, WindowsOfOtherThreadsStayEnabled) {
  HWND foreign = nullptr;
  HANDLE created = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  HANDLE done = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  std::thread owner([&] {
    foreign = Popup(WS_VISIBLE);
    SetEvent(created);
    WaitForSingleObject(done, INFINITE);
    DestroyWindow(foreign);
  });
  WaitForSingleObject(created, INFINITE);
  SetForegroundWindow(wizard);
  DisableThreadWindows(1);
  EXPECT_TRUE(IsWindowEnabled(foreign));
  EXPECT_FALSE(IsWindowEnabled(visible));
  DisableThreadWindows(0);
  SetEvent(done);
  owner.join();
  CloseHandle(created);
  CloseHandle(done);
}

}  // namespace
