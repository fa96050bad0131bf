// Message boxes and the folder browser. Both run the system's own modal loop; while one is
// open the thread's other windows are disabled, so that only the requester can be answered.
#include "toolkit/requesters.h"
#include <objbase.h>
#include <shlobj.h>
#include <string.h>
#include "runtime/heaps.h"
#include "runtime/strings.h"
#include "runtime/system_library.h"
#include "runtime/wide_text.h"
#include "toolkit/common_controls.h"

namespace {

// One window disabled by a requester, to be enabled again by the thread that disabled it.
struct DisabledWindow {
  DisabledWindow* next;
  DWORD thread;
  HWND window;
};

DisabledWindow* disabledWindows;

// A window is disabled only once it is recorded: one that could not be recorded would
// never be enabled again.
void DisableAndRecord(DWORD thread, HWND window) {
  auto* entry = static_cast<DisabledWindow*>(HeapAlloc(NodeHeap, HEAP_ZERO_MEMORY, sizeof(DisabledWindow)));
  if (!entry) return;
  entry->thread = thread;
  entry->window = window;
  entry->next = disabledWindows;
  disabledWindows = entry;
  EnableWindow(window, FALSE);
}

BOOL CALLBACK DisableIfOurs(HWND window, LPARAM foreground) {
  DWORD thread = GetCurrentThreadId();
  if (GetWindowThreadProcessId(window, nullptr) == thread && IsWindowVisible(window) &&
      IsWindowEnabled(window) && window != (HWND)foreground)
    DisableAndRecord(thread, window);
  return TRUE;
}

void EnableRecorded() {
  DWORD thread = GetCurrentThreadId();
  DisabledWindow** link = &disabledWindows;
  while (DisabledWindow* entry = *link) {
    if (entry->thread != thread) {
      link = &entry->next;
      continue;
    }
    EnableWindow(entry->window, TRUE);
    *link = entry->next;
    HeapFree(NodeHeap, 0, entry);
  }
}

// The browser reports once that it is ready: it is then told to open at the initial folder.
int CALLBACK OpenAtInitialFolder(HWND browser, UINT message, LPARAM, LPARAM initialFolder) {
  if (message == BFFM_INITIALIZED && initialFolder)
    SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, initialFolder);
  return 0;
}

// The shell's entries, the ANSI ones by their plain exported names.
typedef LPITEMIDLIST(WINAPI* BrowseForFolderFn)(BROWSEINFOA*);
typedef BOOL(WINAPI* PathFromIdListFn)(LPCITEMIDLIST, char*);
typedef BOOL(WINAPI* WidePathFromIdListFn)(LPCITEMIDLIST, wchar_t*);

template <typename Fn>
Fn ShellFunction(HMODULE shell, const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(shell, name)));
}

bool comStartedForBrowser;

// The initial folder as the browser wants it: at most MAX_PATH - 1 characters, and without a
// closing backslash unless it is a drive root such as "C:\".
void InitialFolder(const char* path, char* folder) {
  folder[0] = 0;
  if (path) strncat(folder, path, MAX_PATH - 1);
  size_t length = strlen(folder);
  if (length > 3 && folder[length - 1] == '\\') folder[length - 1] = 0;
}

// Runs the browser; writes the chosen folder's path, ending in a backslash, into path
// (MAX_PATH + 1 bytes), or leaves it empty.
void BrowseForFolder(HMODULE shell, const char* title, char* initial, char* path) {
  auto browse = ShellFunction<BrowseForFolderFn>(shell, "SHBrowseForFolder");
  if (!browse) return;
  BROWSEINFOA info = {};
  info.hwndOwner = OwnForegroundWindow();
  info.lpszTitle = title;
  info.ulFlags = BIF_NEWDIALOGSTYLE;
  info.lpfn = OpenAtInitialFolder;
  info.lParam = (LPARAM)initial;
  DisableThreadWindows(1);
  LPITEMIDLIST chosen = browse(&info);
  DisableThreadWindows(0);
  if (!chosen) return;
  // On Windows NT a folder whose path the process's code page cannot hold exactly is taken
  // as no choice: the ANSI path would name a look-alike folder.
  auto widePath = WideFunctionsWork() ? ShellFunction<WidePathFromIdListFn>(shell, "SHGetPathFromIDListW") : nullptr;
  auto pathFromIdList = ShellFunction<PathFromIdListFn>(shell, "SHGetPathFromIDList");
  wchar_t wide[MAX_PATH];
  if (widePath) {
    path[0] = 0;
    if (widePath(chosen, wide)) WideToAnsiExact(wide, path, MAX_PATH);
  } else if (pathFromIdList && !pathFromIdList(chosen, path)) {
    path[0] = 0;
  }
  CoTaskMemFree(chosen);
  // The shell writes at most MAX_PATH - 1 characters; the buffer has room for one more.
  size_t length = strlen(path);
  if (length > 0 && path[length - 1] != '\\') {
    path[length] = '\\';
    path[length + 1] = 0;
  }
}

}  // namespace

void RequestersStart() {
  CommonControlsInitialiseAll();
  CoInitialize(nullptr);
}

HWND OwnForegroundWindow() {
  HWND foreground = GetForegroundWindow();
  DWORD process = 0;
  if (!foreground) return nullptr;
  GetWindowThreadProcessId(foreground, &process);
  return process == GetCurrentProcessId() ? foreground : nullptr;
}

void DisableThreadWindows(int disable) {
  if (disable) EnumWindows(DisableIfOurs, (LPARAM)GetForegroundWindow());
  else EnableRecorded();
}

int ShowMessage(const char* title, const char* text, UINT flags) {
  DisableThreadWindows(1);
  int answer = MessageBoxA(OwnForegroundWindow(), text, title, flags);
  DisableThreadWindows(0);
  return answer;
}

void ChooseFolder(const char* title, const char* initialPath, int32_t mark) {
  if (!comStartedForBrowser) {
    CoInitialize(nullptr);
    comStartedForBrowser = true;
  }
  char path[MAX_PATH + 1] = "";
  if (HMODULE shell = LoadSystemLibrary("SHELL32.DLL")) {
    char initial[MAX_PATH];
    InitialFolder(initialPath, initial);
    BrowseForFolder(shell, title, initial, path);
    FreeLibrary(shell);
  }
  ScratchRewind(mark);
  ScratchAppend(path);
}
