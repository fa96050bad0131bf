#include "runtime/directories.h"
#include <windows.h>
#include <stddef.h>
#include <string.h>
#include "runtime/strings.h"
#include "runtime/system_library.h"
#include "runtime/wide_text.h"

ObjectTable* DirTable;

namespace {

struct DirRecord {
  HANDLE search;  // INVALID_HANDLE_VALUE for a listing that matched nothing
  int32_t started;  // 0 until DirNext has taken the entry found by the first search call
  WIN32_FIND_DATAA entry;
};
static_assert(sizeof(void*) != 4 || sizeof(DirRecord) == 328, "listing records are 328 bytes");
static_assert(offsetof(WIN32_FIND_DATAA, cFileName) == offsetof(WIN32_FIND_DATAW, cFileName),
              "both forms of an entry share the fields before its name");

// On Windows NT entries are read through the W functions and kept in the ANSI form with
// their names converted exactly (empty where that is not possible). Looked up, not
// imported: Windows 98 need not have them.
using FindFirstWide = HANDLE(WINAPI*)(LPCWSTR path, WIN32_FIND_DATAW* entry);
using FindNextWide = BOOL(WINAPI*)(HANDLE search, WIN32_FIND_DATAW* entry);

template <typename Function>
Function WideSearchFunction(const char* name) {
  if (!WideFunctionsWork()) return nullptr;
  return reinterpret_cast<Function>(reinterpret_cast<void*>(Kernel32Function(name)));
}

void TakeWideEntry(const WIN32_FIND_DATAW& wide, WIN32_FIND_DATAA* entry) {
  memcpy(entry, &wide, offsetof(WIN32_FIND_DATAA, cFileName));
  WideToAnsiExact(wide.cFileName, entry->cFileName, sizeof entry->cFileName);
  WideToAnsiExact(wide.cAlternateFileName, entry->cAlternateFileName, sizeof entry->cAlternateFileName);
}

HANDLE FindFirst(const char* path, WIN32_FIND_DATAA* entry) {
  auto findFirst = WideSearchFunction<FindFirstWide>("FindFirstFileW");
  if (!findFirst) return FindFirstFileA(path, entry);
  wchar_t widePath[MAX_PATH];
  if (!MultiByteToWideChar(CP_ACP, 0, path, -1, widePath, MAX_PATH)) return INVALID_HANDLE_VALUE;
  WIN32_FIND_DATAW found;
  HANDLE search = findFirst(widePath, &found);
  if (search != INVALID_HANDLE_VALUE) TakeWideEntry(found, entry);
  return search;
}

BOOL FindNext(HANDLE search, WIN32_FIND_DATAA* entry) {
  auto findNext = WideSearchFunction<FindNextWide>("FindNextFileW");
  if (!findNext) return FindNextFileA(search, entry);
  WIN32_FIND_DATAW found;
  if (!findNext(search, &found)) return FALSE;
  TakeWideEntry(found, entry);
  return TRUE;
}

}  // namespace

int DirSearchPath(const char* directory, const char* pattern, char* path) {
  if (!directory) directory = "";
  if (!pattern || !*pattern) pattern = "*.*";
  size_t length = strlen(directory);
  bool separator = length && directory[length - 1] != '\\';
  size_t patternLength = strlen(pattern);
  if (length + separator + patternLength >= MAX_PATH) return 0;
  memcpy(path, directory, length);
  if (separator) path[length++] = '\\';
  memcpy(path + length, pattern, patternLength + 1);
  return 1;
}

intptr_t DirExamine(intptr_t number, const char* directory, const char* pattern) {
  if (!DirTable) DirTable = ObjectTableNew(sizeof(DirRecord), 16, DirFinish);
  char path[MAX_PATH];
  bool fits = DirSearchPath(directory, pattern, path);
  DirRecord* listing = static_cast<DirRecord*>(ObjectTableSlot(DirTable, number));
  if (!listing) return 0;
  HANDLE search = fits ? FindFirst(path, &listing->entry) : INVALID_HANDLE_VALUE;
  if (search != INVALID_HANDLE_VALUE) {
    listing->search = search;
    listing->started = 0;
    return (intptr_t)listing;
  }
  if (fits && GetLastError() == ERROR_FILE_NOT_FOUND) {
    listing->search = INVALID_HANDLE_VALUE;
    listing->started = 1;
    ZeroMemory(&listing->entry, sizeof listing->entry);
    return (intptr_t)listing;
  }
  ObjectTableRelease(DirTable, number == AutoNumber ? ObjectNumberOf(listing) : number);
  return 0;
}

int DirNext(intptr_t number) {
  DirRecord* listing = FindRecord<DirRecord>(DirTable, number);
  if (!listing || listing->search == INVALID_HANDLE_VALUE) return 0;
  if (!listing->started) {
    listing->started = 1;
    return 1;
  }
  return FindNext(listing->search, &listing->entry) ? 1 : 0;
}

int DirEntryType(intptr_t number) {
  DirRecord* listing = FindRecord<DirRecord>(DirTable, number);
  if (!listing) return 0;
  return listing->entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY ? 2 : 1;
}

void DirEntryName(intptr_t number, int32_t mark) {
  DirRecord* listing = FindRecord<DirRecord>(DirTable, number);
  const char* name = listing ? listing->entry.cFileName : "";
  int32_t length = (int32_t)strnlen(name, MAX_PATH - 1);
  char* at = ScratchReserve(length, mark);
  memcpy(at, name, length);
  at[length] = 0;
}

void DirFinish(intptr_t number) {
  DirRecord* listing = FindRecord<DirRecord>(DirTable, number);
  if (!listing) return;
  if (listing->search != INVALID_HANDLE_VALUE) FindClose(listing->search);
  ObjectTableRelease(DirTable, number);
}
