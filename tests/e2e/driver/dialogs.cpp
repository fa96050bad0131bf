#include "tests/e2e/driver/dialogs.h"

#include <commctrl.h>
#include <algorithm>

#include "tests/e2e/driver/input.h"
#include "tests/e2e/driver/remote_memory.h"
#include "tests/e2e/driver/script.h"

namespace {

constexpr int MessageTextId = 0xFFFF;
constexpr UINT SendTimeoutMs = 5000;

struct ButtonName {
  int id;
  const char* name;
};
const ButtonName MessageButtons[] = {{IDOK, "ok"},       {IDCANCEL, "cancel"}, {IDABORT, "abort"},
                                     {IDRETRY, "retry"}, {IDIGNORE, "ignore"}, {IDYES, "yes"},
                                     {IDNO, "no"}};

bool IsDialog(HWND window) { return WindowClass(window) == "#32770"; }

HWND TreeOf(HWND browser) {
  for (HWND child : Descendants(browser))
    if (lstrcmpiA(WindowClass(child).c_str(), WC_TREEVIEWA) == 0) return child;
  return nullptr;
}

LRESULT SendTree(HWND tree, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  SendMessageTimeoutW(tree, message, wParam, lParam, SMTO_NORMAL, SendTimeoutMs, &result);
  return (LRESULT)result;
}

// Reads an entry's label through a TVITEMW placed in the program's own memory.
std::string TreeLabel(Target* target, HWND tree, HTREEITEM item) {
  const int textChars = 520;
  RemoteBuffer buffer(target->process.hProcess, sizeof(TVITEMW) + textChars * sizeof(wchar_t));
  TVITEMW query = {};
  query.mask = TVIF_TEXT | TVIF_HANDLE;
  query.hItem = item;
  query.pszText = reinterpret_cast<LPWSTR>(buffer.Address(sizeof(TVITEMW)));
  query.cchTextMax = textChars;
  std::wstring text(textChars, L'\0');
  if (!buffer.Write(&query, sizeof query) || !SendTree(tree, TVM_GETITEMW, 0, buffer.Address()) ||
      !buffer.Read(&text[0], textChars * sizeof(wchar_t), sizeof(TVITEMW)))
    return std::string();
  text.resize(wcsnlen(text.c_str(), textChars));
  int bytes = WideCharToMultiByte(1251, 0, text.c_str(), (int)text.size(), nullptr, 0, nullptr, nullptr);
  std::string label(bytes, '\0');
  WideCharToMultiByte(1251, 0, text.c_str(), (int)text.size(), &label[0], bytes, nullptr, nullptr);
  return label;
}

bool LabelMatches(const std::string& pattern, const std::string& label) {
  if (!pattern.empty() && pattern[0] == '*') return label.find(pattern.substr(1)) != std::string::npos;
  return pattern == label;
}

}  // namespace

bool FindMessageBox(const Target& target, MessageBoxView* view) {
  for (HWND window : TargetTopWindows(target)) {
    if (!IsDialog(window)) continue;
    HWND text = GetDlgItem(window, MessageTextId);
    if (!text) continue;
    view->window = window;
    view->title = WindowText(window);
    view->text = WindowText(text);
    std::vector<std::pair<int, std::string>> shown;
    for (const ButtonName& button : MessageButtons) {
      HWND control = GetDlgItem(window, button.id);
      if (!control || !IsWindowVisible(control)) continue;
      RECT place;
      GetWindowRect(control, &place);
      std::string name = button.name;
      if ((GetWindowLongA(control, GWL_STYLE) & 0x0F) == BS_DEFPUSHBUTTON) name += "*";
      shown.push_back({place.left, name});
    }
    std::sort(shown.begin(), shown.end());
    view->buttons.clear();
    for (auto& button : shown) view->buttons += (view->buttons.empty() ? "" : "/") + button.second;
    return true;
  }
  return false;
}

bool AnswerMessageBox(const MessageBoxView& view, const std::string& answer, std::string* error) {
  for (const ButtonName& button : MessageButtons) {
    if (answer != button.name) continue;
    HWND control = GetDlgItem(view.window, button.id);
    if (!control || !IsWindowVisible(control)) break;
    return PressButton(control);
  }
  *error = "the message box has no button " + answer + " (it has " + view.buttons + ")";
  return false;
}

HWND FindFolderBrowser(const Target& target) {
  for (HWND window : TargetTopWindows(target))
    if (IsDialog(window) && TreeOf(window)) return window;
  return nullptr;
}

std::vector<std::string> FolderBrowserTexts(HWND browser) {
  std::vector<std::string> texts;
  for (HWND child : Descendants(browser))
    if (lstrcmpiA(WindowClass(child).c_str(), "Static") == 0 && IsWindowVisible(child))
      texts.push_back(WindowText(child));
  return texts;
}

std::vector<std::string> FolderBrowserSelection(Target* target, HWND browser) {
  std::vector<std::string> labels;
  HWND tree = TreeOf(browser);
  if (!tree) return labels;
  HTREEITEM item = (HTREEITEM)SendTree(tree, TVM_GETNEXTITEM, TVGN_CARET, 0);
  while (item) {
    labels.insert(labels.begin(), TreeLabel(target, tree, item));
    item = (HTREEITEM)SendTree(tree, TVM_GETNEXTITEM, TVGN_PARENT, (LPARAM)item);
  }
  return labels;
}

bool FolderBrowserSelect(Target* target, HWND browser, const std::vector<std::string>& labels, std::string* error) {
  HWND tree = TreeOf(browser);
  if (!tree) {
    *error = "the folder browser has no tree";
    return false;
  }
  HTREEITEM item = (HTREEITEM)SendTree(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0);
  HTREEITEM found = nullptr;
  for (size_t level = 0; level < labels.size(); ++level) {
    std::string seen;
    found = nullptr;
    for (; item; item = (HTREEITEM)SendTree(tree, TVM_GETNEXTITEM, TVGN_NEXT, (LPARAM)item)) {
      std::string label = TreeLabel(target, tree, item);
      if (LabelMatches(labels[level], label)) {
        found = item;
        break;
      }
      seen += (seen.empty() ? "\"" : ", \"") + label + "\"";
    }
    if (!found) {
      *error = "no folder \"" + labels[level] + "\" in the browser, only " + seen;
      return false;
    }
    if (level + 1 < labels.size()) {
      SendTree(tree, TVM_EXPAND, TVE_EXPAND, (LPARAM)found);
      item = (HTREEITEM)SendTree(tree, TVM_GETNEXTITEM, TVGN_CHILD, (LPARAM)found);
    }
  }
  SendTree(tree, TVM_ENSUREVISIBLE, 0, (LPARAM)found);
  SendTree(tree, TVM_SELECTITEM, TVGN_CARET, (LPARAM)found);
  return true;
}

bool FolderBrowserClose(HWND browser, bool accept) {
  HWND button = GetDlgItem(browser, accept ? IDOK : IDCANCEL);
  return button && PressButton(button);
}
