#pragma once
// The wizard's page flow: the page counter, the pages, one row each, and the step from one
// to the next. A row gives the container that shows the page, the texts of the header strip,
// what entering the page switches, and the check that Next makes before it leaves the page.
// The header strip's texts are copied from here into PageHeadings at start-up; a step shows
// them from there. A page's gadgets are the rows that follow its container in the layout
// table of build_wizard.cpp, whose order is the creation order.
#include <stdint.h>
#include "runtime/owned_text.h"

constexpr int32_t NoGadget = -1;

// Pages 0 to 6 have rows; the page counter stops at LastPage, which has none.
constexpr int32_t PageCount = 7;
constexpr int32_t LastPage = 7;
constexpr int32_t InstallingPage = 6;

// Up to three containers, hidden in this order.
struct HiddenContainers {
  int32_t gadgets[3];
};

constexpr HiddenContainers Hide(int32_t first = NoGadget, int32_t second = NoGadget, int32_t third = NoGadget) {
  return {{first, second, third}};
}

// The header strip and Back come and go together.
enum class HeaderAndBack : uint8_t { Shown, Hidden };

// Next, and Install, which shares its place.
enum class ForwardButton : uint8_t {
  Untouched,
  NextEnabled,
  NextOnceLicenceAccepted,  // disabled while ChkAccept is not ticked
  Next,                     // Install hidden, Next shown
  Install,                  // Next hidden, Install shown
};

// A step into the page shows its container, or leaves that to Install.
enum class ContainerShownBy : uint8_t { Step, Install };

struct WizardPage {
  int32_t container;
  const char* heading;
  const char* subheadingBeforeTitle;
  const char* subheadingAfterTitle;  // null: the sub-heading does not name the product
  HiddenContainers hiddenBefore;     // hidden before the container is shown
  HiddenContainers hiddenAfter;      // hidden after it is shown
  ContainerShownBy shownBy;
  HeaderAndBack headerAndBack;
  ForwardButton forward;
  void (*onEntry)();                 // after the switch, or null
  const char* (*refusalOnLeaving)(); // the message that keeps Next on the page, or null to leave
};

extern const WizardPage Pages[PageCount];

// Fills PageHeadings from the rows (at start-up, once ProductTitle is set).
void FillPageHeadings();
// The text of PageHeadings at that row and column, or null outside the table.
const char* PageHeading(int page, int column);

// Shows text as the installer's error: title "Инсталлятор", an OK button, the stop icon.
void ShowInstallerError(const char* text);

// Moves CurrentPage one page forward (direction 1, once the page's check lets it go) or
// back (any other direction), sets the header strip and enters the new page.
void StepPage(int32_t direction);
// Shows the page's container and hides its neighbours, as a step into it does.
void SwitchToPage(int32_t page);
// Whether Next waits for the licence to be accepted on the page CurrentPage shows.
bool NextWaitsForLicence();

// The pages' inputs, read together by the summary, the checks on Next and the plan.
struct WizardChoices {
  OwnedText destination;      // the field's own text, as typed or chosen
  OwnedText startMenuFolder;  // the field's own text
  bool noShortcuts;
  bool desktopIcon;
  bool quickLaunch;
};
WizardChoices ReadChoices();
