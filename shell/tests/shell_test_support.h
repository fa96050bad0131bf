#pragma once
// Helpers shared by the shell-service tests.
#include <windows.h>
#include <string>

#include "runtime/strings.h"

// Runs a string function that writes at the current mark and returns its text; checks
// that the mark ends on the result's terminator, then rewinds.
template <typename Call>
std::string ScratchResult(Call call) {
  int32_t mark = ScratchMark();
  call(mark);
  std::string text = ScratchAt(mark);
  int32_t end = ScratchMark();
  ScratchRewind(mark);
  return end == mark + (int32_t)text.size() ? text : "<mark left at the wrong place>";
}

// A fresh, empty folder under the temporary folder, path ending in "\".
std::string FreshTempFolder(const char* name);

bool IsFolder(const std::string& path);
bool IsFile(const std::string& path);
