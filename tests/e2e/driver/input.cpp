#include "tests/e2e/driver/input.h"

#include <vector>

#include "tests/e2e/driver/target.h"

namespace {

constexpr UINT SendTimeoutMs = 5000;

struct KeyName {
  const char* name;
  WORD key;
  bool shift;
};

const KeyName Keys[] = {
    {"tab", VK_TAB, false},       {"shift+tab", VK_TAB, true},   {"space", VK_SPACE, false},
    {"enter", VK_RETURN, false},  {"escape", VK_ESCAPE, false},  {"pageup", VK_PRIOR, false},
    {"pagedown", VK_NEXT, false},
};

INPUT KeyInput(WORD key, bool up) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.wScan = (WORD)MapVirtualKeyA(key, MAPVK_VK_TO_VSC);
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return input;
}

}  // namespace

bool PressButton(HWND button) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutA(button, BM_CLICK, 0, 0, SMTO_NORMAL, SendTimeoutMs, &result) != 0;
}

bool ClickListEntry(HWND list, const std::string& entry, std::string* error) {
  DWORD_PTR count = 0;
  SendMessageTimeoutA(list, LB_GETCOUNT, 0, 0, SMTO_NORMAL, SendTimeoutMs, &count);
  int index = -1;
  for (int i = 0; i < (int)count && index < 0; ++i)
    if (ListEntryText(list, i) == entry) index = i;
  if (index < 0) {
    *error = "no entry \"" + entry + "\" among " + std::to_string(count);
    return false;
  }
  // Scroll it into view as the scroll bar would, so that the click lands on it.
  RECT client, item = {};
  GetClientRect(list, &client);
  if (!ListEntryRect(list, index, &item) || item.top < 0 || item.bottom > client.bottom) {
    DWORD_PTR ok = 0;
    SendMessageTimeoutA(list, LB_SETTOPINDEX, index, 0, SMTO_NORMAL, SendTimeoutMs, &ok);
    if (!ListEntryRect(list, index, &item)) {
      *error = "the entry's place cannot be read";
      return false;
    }
  }
  LPARAM point = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
  PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, point);
  PostMessageA(list, WM_LBUTTONUP, 0, point);
  return true;
}

void PressCloseBox(HWND window) {
  RECT frame;
  GetWindowRect(window, &frame);
  PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, MAKELPARAM(frame.right - 8, frame.top + 8));
}

bool TypeKey(HWND foreground, const std::string& key, std::string* error) {
  const KeyName* found = nullptr;
  for (const KeyName& k : Keys)
    if (key == k.name) found = &k;
  if (!found) {
    *error = "unknown key " + key;
    return false;
  }
  if (GetForegroundWindow() != foreground) SetForegroundWindow(foreground);
  std::vector<INPUT> inputs;
  if (found->shift) inputs.push_back(KeyInput(VK_SHIFT, false));
  inputs.push_back(KeyInput(found->key, false));
  inputs.push_back(KeyInput(found->key, true));
  if (found->shift) inputs.push_back(KeyInput(VK_SHIFT, true));
  if (SendInput((UINT)inputs.size(), inputs.data(), sizeof(INPUT)) != inputs.size()) {
    *error = "the system refused the key input";
    return false;
  }
  return true;
}
