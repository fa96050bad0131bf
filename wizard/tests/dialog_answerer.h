#pragma once
// Answers the modal dialogs that the code under test opens on the main thread: a helper
// thread waits for the dialog box (class #32770) of this process, records what it shows
// and then acts on it, for example by pressing one of its buttons.
#include <windows.h>
#include <atomic>
#include <functional>
#include <string>
#include <thread>

struct SeenDialog {
  bool seen = false;
  std::string title;
  std::string text;    // a message box's message
  int defaultButton = 0;  // the button drawn as the default one
};

class DialogAnswerer {
 public:
  // Waits for a dialog whose title is title (any title when null) and for which accept,
  // when given, says yes, then records it and runs act on it.
  DialogAnswerer(const char* title, std::function<void(HWND dialog)> act,
                 std::function<bool(HWND dialog)> accept = nullptr);
  ~DialogAnswerer();
  DialogAnswerer(const DialogAnswerer&) = delete;
  DialogAnswerer& operator=(const DialogAnswerer&) = delete;

  // Stops waiting (if nothing came) and reports what was seen.
  SeenDialog Finish();

 private:
  void Run();
  std::string title_;
  bool anyTitle_;
  std::function<void(HWND)> act_;
  std::function<bool(HWND)> accept_;
  std::atomic<bool> stop_{false};
  SeenDialog seen_;
  std::thread thread_;
};

// Presses a dialog's button as a click would.
void PressDialogButton(HWND dialog, int id);
// A dialog answerer that presses one button of a message box.
struct MessageBoxAnswer : DialogAnswerer {
  MessageBoxAnswer(const char* title, int button)
      : DialogAnswerer(title, [button](HWND box) { PressDialogButton(box, button); }) {}
};

// The text of the first descendant of window whose text equals text, or null.
HWND FindDescendantWithText(HWND window, const char* text);
