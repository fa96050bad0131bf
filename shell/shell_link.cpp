#include "shell/shell_link.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

static const char* Text(const char* text) { return text ? text : ""; }

// Saves through the persistence interface; the file name must be UTF-16.
static bool SaveAs(IPersistFile* file, const char* linkFile) {
  int units = MultiByteToWideChar(CP_ACP, 0, linkFile, -1, nullptr, 0);
  if (units <= 0) return false;
  HANDLE heap = GetProcessHeap();
  WCHAR* wide = static_cast<WCHAR*>(HeapAlloc(heap, 0, units * sizeof(WCHAR)));
  if (!wide) return false;
  MultiByteToWideChar(CP_ACP, 0, linkFile, -1, wide, units);
  file->Save(wide, TRUE);
  HeapFree(heap, 0, wide);
  return true;
}

int32_t CreateShellLink(const char* target, const char* linkFile, const char* arguments,
                        const char* description, const char* workingFolder,
                        int32_t showCommand, const char* iconFile, int32_t iconIndex) {
  int32_t result = 0;
  CoInitialize(nullptr);
  IShellLinkA* link = nullptr;
  // The identifiers come from the headers' own declarations: the import library's GUID
  // table would bring every identifier it defines into the program.
  if (SUCCEEDED(CoCreateInstance(__uuidof(ShellLink), nullptr, CLSCTX_INPROC_SERVER,
                                 __uuidof(IShellLinkA), reinterpret_cast<void**>(&link)))) {
    link->SetPath(Text(target));
    link->SetArguments(Text(arguments));
    link->SetWorkingDirectory(Text(workingFolder));
    link->SetDescription(Text(description));
    link->SetShowCmd(showCommand);
    link->SetHotkey(0);
    link->SetIconLocation(Text(iconFile), iconIndex);
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(__uuidof(IPersistFile), reinterpret_cast<void**>(&file)))) {
      if (SaveAs(file, Text(linkFile))) result = 1;
      file->Release();
    }
    link->Release();
  }
  CoUninitialize();
  return result;
}
