#include "wizard/start_menu_list.h"
#include "runtime/directories.h"
#include "runtime/strings.h"
#include "toolkit/gadget.h"

namespace {

constexpr int Listing = 0;
constexpr int EntryIsFolder = 2;

// Names that stand for no folder of their own, once blanks around them are removed.
const char* const SkippedNames[] = {"", ".", "..", "..."};

bool IsSkippedName(const char* name) {
  ScratchText trimmed;
  StrTrim(name, trimmed.Start());
  for (const char* skipped : SkippedNames)
    if (StrEqual(trimmed.Get(), skipped)) return true;
  return false;
}

}  // namespace

int32_t ListStartMenuFolders(intptr_t gadget, const char* folder) {
  if (!DirExamine(Listing, folder, "*.*")) return 0;
  while (DirNext(Listing)) {
    if (DirEntryType(Listing) != EntryIsFolder) continue;
    ScratchText name;
    DirEntryName(Listing, name.Start());
    if (!IsSkippedName(name.Pass())) GadgetAddItem(gadget, -1, name.Pass());
  }
  DirFinish(Listing);
  return 0;
}
