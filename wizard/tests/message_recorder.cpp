#include "message_recorder.h"
#include "wizard/gadgets.h"

namespace {

struct NamedGadget {
  const char* name;
  int32_t number;
};

const NamedGadget GadgetNames[] = {
#define WIZARD_GADGET_ENTRY(name, number) {#name, number},
    WIZARD_GADGETS(WIZARD_GADGET_ENTRY)
#undef WIZARD_GADGET_ENTRY
};

// One recorder at a time: the hook's procedure has no other way to reach it.
MessageRecorder* Current = nullptr;

}  // namespace

const char* WizardGadgetName(int32_t number) {
  for (const NamedGadget& gadget : GadgetNames)
    if (gadget.number == number) return gadget.name;
  return nullptr;
}

MessageRecorder::MessageRecorder() {
  Current = this;
  hook_ = SetWindowsHookExA(WH_CALLWNDPROC, Watch, nullptr, GetCurrentThreadId());
}

MessageRecorder::~MessageRecorder() {
  UnhookWindowsHookEx(hook_);
  Current = nullptr;
}

void MessageRecorder::Add(const std::string& entry) { entries_ += entries_.empty() ? entry : ", " + entry; }

void MessageRecorder::Saw(const char* change, HWND control) {
  if (GetParent(control) == nullptr) return;
  int32_t number = GetDlgCtrlID(control);
  const char* name = WizardGadgetName(number);
  Add(std::string(change) + " " + (name ? name : std::to_string(number)));
}

LRESULT CALLBACK MessageRecorder::Watch(int code, WPARAM wParam, LPARAM lParam) {
  const CWPSTRUCT* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code == HC_ACTION && Current) {
    if (message->message == WM_SHOWWINDOW && message->lParam == 0)
      Current->Saw(message->wParam ? "show" : "hide", message->hwnd);
    if (message->message == WM_ENABLE) Current->Saw(message->wParam ? "enable" : "disable", message->hwnd);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}
