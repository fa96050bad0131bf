#pragma once
// Drives the real wizard window in the test process the way a user would, through native
// messages, and runs the resulting events through the program's own loop pass.
#include <windows.h>
#include <stdint.h>
#include <string>
#include <vector>

// Start-up as the program does it, without the event loop: libraries, wizard data.
void StartWizardProgram();
// A fresh wizard: CurrentPage 0, BuildWizard, the window shown, waiting events handled.
void RebuildWizard();

// Takes every waiting event and hands it to the loop pass (ProcessEvent).
void PumpEvents();
// A click on a button or check box (BM_CLICK: the press and release a mouse gives).
void Click(int gadget);
// A left click on a list box item, as the mouse gives it.
void ClickListItem(int gadget, int index);
// A list box's selection-change notification without a mouse action (a left-click event).
void PostGadgetEventOf(int gadget);

std::string Text(int gadget);
bool Shown(int gadget);  // the gadget's own visibility flag, whatever its parent's
bool Enabled(int gadget);

// What the user sees of the page switching: the container shown, the header strip and the
// buttons of the button row.
struct Screen {
  const char* name;
  int32_t container;
  bool header, back, next, nextEnabled, install, cancel, finish;
  bool startMenuInputsEnabled = true;  // FldStartMenuFolder and LstStartMenu
};

// One line per gadget whose visibility or enabled state differs from the screen.
std::vector<std::string> DifferencesFrom(const Screen& screen);

// Steps with Next from the welcome page to page, ticking the licence box on the way.
void GoForwardTo(int32_t page);
