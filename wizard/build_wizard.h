#pragma once
// The wizard window with every gadget of every page.

// Creates window 0 hidden, with all its gadgets; creates nothing when the window cannot be
// opened.
void BuildWizard();
