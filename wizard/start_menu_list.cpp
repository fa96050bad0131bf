#include "wizard/start_menu_list.h"
#include "payload/product_names.h"
#include "runtime/directories.h"
#include "runtime/strings.h"
#include "toolkit/gadget.h"
#include "wizard/typed_folders.h"

namespace {

constexpr int Listing = 0;
constexpr int EntryIsFolder = 2;

bool PickedNameIsUsable(const char* name, size_t folderLength) {
  ScratchText picked;
  picked.Append(name).Append(PickedFolderEnding);
  return StartMenuNameIsUsable(picked.Get(), folderLength, GetACP());
}

}  // namespace

int32_t ListStartMenuFolders(intptr_t gadget, const char* folder) {
  // Listing an empty path would list the current folder.
  if (StrLength(folder) == 0 || !DirExamine(Listing, folder, "*.*")) return 0;
  size_t folderLength = StrLength(folder);
  while (DirNext(Listing)) {
    if (DirEntryType(Listing) != EntryIsFolder) continue;
    ScratchText name;
    DirEntryName(Listing, name.Start());
    if (PickedNameIsUsable(name.Pass(), folderLength)) GadgetAddItem(gadget, -1, name.Pass());
  }
  DirFinish(Listing);
  return 0;
}
