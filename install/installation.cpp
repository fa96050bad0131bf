#include "install/installation.h"
#include <string.h>
#include "install/shortcut_set.h"
#include "payload/payload.h"
#include "payload/product_names.h"
#include "runtime/files.h"
#include "runtime/owned_text.h"
#include "shell/document_types.h"
#include "shell/install_folders.h"
#include "shell/special_folders.h"

namespace {

const char ExtractingPrefix[] = "Извлечение файла  ";
const char* const DocumentExtensions[] = {"sfr", "hex"};

// Each folder of subfolder (a path below destination, ending in a backslash) in turn. The
// destination itself is the user's choice, but a link below it would take the files
// somewhere else: a folder there that is a link is refused, not followed.
bool MakeSubfolders(const char* destination, const char* subfolder) {
  for (const char* end = strchr(subfolder, '\\'); end; end = strchr(end + 1, '\\')) {
    ScratchText folder;
    folder.Append(destination);
    StrLeft(subfolder, int32_t(end - subfolder) + 1, ScratchMark());
    const char* path = folder.Pass();
    if (FolderIsLink(path) || !EnsureDirectoryPath(path)) return false;
  }
  return true;
}

// The installation's folders. A destination the run creates outside Program Files gets a
// protected access list on the topmost folder it creates, given as that folder is made, so
// that users cannot change the program that the document types and shortcuts start.
bool MakeFolders(const OwnedText (&folders)[DestinationClassCount], const char* programFiles) {
  const char* destination = folders[DestinationFolder].Get();
  {
    ScratchText top;
    FolderToProtect(destination, programFiles, top.Start());
    if (top.Length() > 0 && !CreateProtectedFolder(top.Pass())) return false;
  }
  if (!EnsureDirectoryPath(destination)) return false;
  for (const char* subfolder : DestinationSubfolders)
    if (!MakeSubfolders(destination, subfolder)) return false;
  return true;
}

// The folders the files go to, each from the first folder below its drive's root down,
// checked again just before the first file is written: a link made on the way since the
// folders were made would take the files wherever it leads.
template <typename Folders>
bool LinkOnTheWay(const Folders& folders) {
  for (const OwnedText& folder : folders)
    if (LinkOnPath(folder.Get(), "")) return true;
  return false;
}

// Everything after the folder names are known, up to the first failure that stops the run.
InstallResult InstallInto(const OwnedText (&folders)[DestinationClassCount], const InstallationPlan& plan,
                          InstallProgress& progress) {
  const char* destination = folders[DestinationFolder].Get();
  progress.ShowPhase("Распаковка файлов...");
  // A damaged copy writes nothing at all: every block is checked before the first folder.
  if (const char* damaged = FirstDamagedBlock()) return {FileNotWritten, damaged};
  progress.ShowDetail("Создание папок установки");
  // No folder of the destination's path, the destination itself included, may be a link:
  // everything installed, and what the shortcuts and document types start, would be
  // wherever it leads.
  if (LinkOnPath(destination, "")) return {FolderNotMade, nullptr};
  if (!MakeFolders(folders, plan.programFiles)) return {FolderNotMade, nullptr};
  // The bar's steps: the folders, one per file, two for the shortcuts and the registration,
  // which ends it at InstallLastPosition (the position before it is never shown).
  int32_t position = 1;
  progress.SetPosition(position);
  progress.Pause(100);
  progress.Pause(100);
  if (LinkOnTheWay(folders)) return {FolderNotMade, nullptr};

  for (const PayloadEntry& entry : PayloadTable) {
    if (!ExtractPayloadFile(folders[entry.destination].Get(), entry.name, entry.data, entry.size, ++position,
                            progress))
      return {FileNotWritten, entry.name};
  }

  CreateProgramShortcuts(destination, plan.shortcuts, progress);
  progress.SetPosition(++position);
  progress.SetPosition(++position);

  progress.Breathe();
  progress.ShowDetail("Регистрация программы");
  progress.Breathe();
  OwnedText program;
  {
    ScratchText text;
    text.Append(destination).Append(ProgramFileName).AssignTo(program.Slot());
  }
  for (const char* extension : DocumentExtensions)
    RegisterDocumentType(extension, ProductName, program.Get(), program.Get());
  AnnounceDocumentTypes();
  progress.SetPosition(InstallLastPosition);
  return {};
}

}  // namespace

bool ExtractPayloadFile(const char* folder, const char* name, const void* data, int32_t size, int32_t position,
                        InstallProgress& progress) {
  progress.Breathe();
  {
    ScratchText detail;
    progress.ShowDetail(detail.Append(ExtractingPrefix).Append(name).Pass());
  }
  bool whole = false;
  {
    ScratchText path;
    path.Append(folder).Append(name);
    if (FileCreate(0, path.Pass())) {
      // A file that is not on disk whole is as bad as one that cannot be created: a
      // truncated program must not be reported as installed.
      bool written = FileWriteData(0, data, size) == size || size == 0;
      whole = FileClose(0) && written;
    }
  }
  if (whole) progress.SetPosition(position);
  return whole;
}

InstallResult RunInstallation(const InstallationPlan& plan, InstallProgress& progress) {
  OwnedText folders[DestinationClassCount];  // indexed by DestinationClass
  for (int folder = 0; folder < DestinationClassCount; ++folder) {
    ScratchText text;
    text.Append(plan.destination).Append(DestinationSubfolders[folder]).AssignTo(folders[folder].Slot());
  }
  return InstallInto(folders, plan, progress);
}
