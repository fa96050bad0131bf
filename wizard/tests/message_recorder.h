#pragma once
// Records, in order, what happens to the wizard's gadgets as their windows see it: shown,
// hidden, enabled and disabled, each named as wizard/gadgets.h names the gadget (controls
// without a name by their number). Tests may add entries of their own, such as the calls
// they make, to the same sequence.
#include <windows.h>
#include <stdint.h>
#include <string>

// The name wizard/gadgets.h gives the gadget with that number, or null.
const char* WizardGadgetName(int32_t number);

class MessageRecorder {
 public:
  // Watches the messages sent to the windows of this thread until destroyed.
  MessageRecorder();
  ~MessageRecorder();
  MessageRecorder(const MessageRecorder&) = delete;
  MessageRecorder& operator=(const MessageRecorder&) = delete;

  void Add(const std::string& entry);
  // The entries so far, separated by ", ".
  const std::string& Entries() const { return entries_; }

 private:
  static LRESULT CALLBACK Watch(int code, WPARAM wParam, LPARAM lParam);
  void Saw(const char* change, HWND control);
  std::string entries_;
  HHOOK hook_;
};
