#pragma once
// The two system dialogs the program shows: message boxes and the folder browser.
#include <windows.h>
#include <string>
#include <vector>

#include "tests/e2e/driver/target.h"

struct MessageBoxView {
  HWND window = nullptr;
  std::string title;
  std::string text;
  std::string buttons;  // visible buttons in order, e.g. "yes/no*" (* marks the default)
};

// The message box the program shows now, if any (a dialog with the message text control).
bool FindMessageBox(const Target& target, MessageBoxView* view);
// Presses "yes", "no", "ok" or "cancel" in it.
bool AnswerMessageBox(const MessageBoxView& view, const std::string& answer, std::string* error);

// The folder browser the program shows now, if any (a dialog holding a tree view).
HWND FindFolderBrowser(const Target& target);
// Texts of the browser's static controls (its instruction among them).
std::vector<std::string> FolderBrowserTexts(HWND browser);
// Labels from the tree's root down to the selected entry.
std::vector<std::string> FolderBrowserSelection(Target* target, HWND browser);
// Expands and selects the entry reached by the labels from the root. A label written
// "*text" matches any entry whose label contains text.
bool FolderBrowserSelect(Target* target, HWND browser, const std::vector<std::string>& labels, std::string* error);
// Presses OK (true) or Cancel (false).
bool FolderBrowserClose(HWND browser, bool accept);
