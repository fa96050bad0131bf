#pragma once
// Tab and Shift+Tab between the tab stops of the active toolkit window.
void MoveFocus(int backwards);
