// The pages as a step enters them: the order in which it shows, hides, enables and disables
// the wizard's gadgets, as the window itself sees it (screen readers and the end-to-end
// driver follow these changes, and a button that shares its place with another must never
// be up together with it), and the table of headings the header strip is set from.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include "fake_installation.h"
#include "message_recorder.h"
#include "toolkit/gadget.h"
#include "toolkit/window.h"
#include "wizard/gadgets.h"
#include "wizard/navigation.h"
#include "wizard/pages.h"
#include "wizard/program.h"
#include "wizard_driver.h"

namespace {

// What one event changes, in order.
std::string ChangesOf(int32_t gadget) {
  MessageRecorder recorder;
  HandleWizardEvent(EvGadget, gadget);
  return recorder.Entries();
}

class PageSwitch : public testing::Test {
 protected:
  void SetUp() override {
    RebuildWizard();
    Installation = InstallationRecord();
  }
};

struct Step {
  int32_t gadget;
  int32_t page;  // CurrentPage afterwards
  const char* changes;
};

void ExpectSteps(const Step* steps, int count) {
  for (int i = 0; i < count; ++i) {
    SCOPED_TRACE("step " + std::to_string(i));
    EXPECT_EQ(steps[i].changes, ChangesOf(steps[i].gadget));
    EXPECT_EQ(steps[i].page, CurrentPage);
  }
}

TEST_F(PageSwitch, ForwardToTheFinishScreen) {
  const Step steps[] = {
      {BtnNext, 1, "show PnlHeader, show BtnBack, hide PnlWelcome, show PnlLicence, disable BtnNext"},
      {ChkAccept, 1, ""},  // the event of a box that nobody ticked leaves Next disabled
  };
  ExpectSteps(steps, 2);
  Click(ChkAccept);
  const Step onwards[] = {
      {BtnNext, 2, "hide PnlLicence, show PnlDestination"},
      {BtnNext, 3, "hide PnlDestination, show PnlStartMenu"},
      {BtnNext, 4, "hide PnlStartMenu, show PnlTasks"},
      {BtnNext, 5, "hide PnlTasks, show PnlReady, hide BtnNext, show BtnInstall"},
      {BtnInstall, 6,
       "hide PnlReady, show PnlInstalling, hide BtnBack, hide BtnCancel, hide BtnInstall, hide PnlInstalling, "
       "hide PnlHeader, show BtnFinish, show PnlWelcome"},
      {BtnFinish, 6, ""},
  };
  ExpectSteps(onwards, 6);
  EXPECT_EQ(1, Installation.runs);
}

TEST_F(PageSwitch, BackToTheWelcomePage) {
  GoForwardTo(5);
  const Step steps[] = {
      {BtnBack, 4, "hide PnlReady, show PnlTasks, hide BtnInstall, show BtnNext"},
      {BtnBack, 3, "show PnlStartMenu, hide PnlTasks"},
      {BtnBack, 2, "show PnlDestination, hide PnlStartMenu"},
      {BtnBack, 1, "hide PnlDestination, show PnlLicence"},
      {BtnBack, 0, "hide PnlHeader, hide PnlLicence, show PnlWelcome, hide BtnBack"},
      {BtnBack, 0, ""},
  };
  ExpectSteps(steps, 6);
}

// Next is hidden on the ready page, but its event may still come (from a program, or one
// queued before the button went): the counter moves on to its bound and no page is entered.
TEST_F(PageSwitch, StrayNextEventsBeyondTheReadyPage) {
  GoForwardTo(5);
  const Step steps[] = {
      {BtnNext, 6, ""},
      {BtnNext, 7, ""},
      {BtnNext, 7, ""},
      {BtnBack, 6, ""},
      {BtnBack, 5, ""},
  };
  ExpectSteps(steps, 5);
}

// Only the rows of pages 1 to 6 hold texts, in columns 1 and 2; a step to page 0 or past
// the installing page empties the header strip.
TEST(PageHeadingsTable, HoldsElevenRowsOfWhichOnlyThePagesWithAHeaderAreFilled) {
  for (int page = 0; page < 11; ++page) {
    for (int column = 0; column < 3; ++column) {
      const char* text = PageHeading(page, column);
      bool filled = text && *text;
      EXPECT_EQ(page >= 1 && page <= 6 && column >= 1, filled) << "row " << page << ", column " << column;
    }
  }
  EXPECT_EQ(nullptr, PageHeading(11, 1));
  EXPECT_EQ(nullptr, PageHeading(1, 3));
  EXPECT_EQ(nullptr, PageHeading(-1, 1));
}

}  // namespace
