// Start-up floor: the plain window, shown only after the system work that the setup's
// start-up cannot do without, each step done once the plain way.
#include "bench/plain_window.h"
#include <commctrl.h>
#include <objbase.h>
#include <shlobj.h>

#ifndef LOAD_LIBRARY_SEARCH_SYSTEM32
#define LOAD_LIBRARY_SEARCH_SYSTEM32 0x00000800
#endif

namespace {

void StartCommonControlsAndCom() {
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  CoInitialize(nullptr);
}

void LookUpShellFolders() {
  const int folders[] = {CSIDL_COMMON_PROGRAMS, CSIDL_PROGRAM_FILES, CSIDL_COMMON_DESKTOPDIRECTORY,
                         CSIDL_APPDATA};
  for (int folder : folders) {
    LPITEMIDLIST list = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, folder, &list)) || !list) continue;
    char path[MAX_PATH];
    SHGetPathFromIDListA(list, path);
    CoTaskMemFree(list);
  }
}

void CreateFonts() {
  struct Face { const char* name; int points; int weight; };
  const Face faces[] = {{"Times New Roman", 14, FW_NORMAL}, {"Arial", 10, FW_NORMAL},
                        {"Arial", 10, FW_BOLD}, {"Arial", 9, FW_NORMAL}};
  for (const Face& face : faces) {
    HDC display = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    int height = -MulDiv(face.points, GetDeviceCaps(display, LOGPIXELSY), 72);
    CreateFontA(height, 0, 0, 0, face.weight, 0, 0, 0, DEFAULT_CHARSET, 0, 0, DEFAULT_QUALITY, 0,
                face.name);
    DeleteDC(display);
  }
}

void AddRichEdit(HWND window) {
  LoadLibraryExA("RICHED20.DLL", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  CreateWindowExA(WS_EX_CLIENTEDGE, "RichEdit20A", "", WS_CHILD | ES_MULTILINE | ES_READONLY, 10,
                  10, 480, 200, window, nullptr, GetModuleHandleA(nullptr), nullptr);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  StartCommonControlsAndCom();
  LookUpShellFolders();
  CreateFonts();
  HWND window = CreatePlainWindow();
  AddRichEdit(window);
  ShowAndRun(window);
}
