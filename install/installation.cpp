#include "install/installation.h"
#include <zlib.h>
#include "install/shortcut_set.h"
#include "payload/payload.h"
#include "runtime/characters.h"
#include "runtime/files.h"
#include "shell/document_types.h"
#include "shell/special_folders.h"

namespace {

const char FolderErrorTitle[] = "Инсталлятор";
const char FolderErrorText[] = "Не удалось создать папку установки!\nДальнейшая работа невозможна!";
const char FileErrorTitle[] = "Фатальная ошибка!";
const char ExtractingPrefix[] = "Извлечение файла  ";
const char DocumentDescription[] = "Brindlex";
const char* const DocumentExtensions[] = {"sfr", "hex"};
constexpr int32_t LastPosition = 16;

InstallResult Stopped(const char* title, const char* before, const char* name = nullptr,
                      const char* after = nullptr) {
  InstallResult result = {title, nullptr};
  ScratchText text;
  text.Append(before).Append(name).Append(after).AssignTo(&result.text);
  return result;
}

bool BlockIntact(const void* data, int32_t size, uint32_t crc) {
  if (size < 0 || (size > 0 && !data)) return false;
  return crc32(0, static_cast<const Bytef*>(data), (uInt)size) == crc;
}

// Everything after the folder names are known, up to the first failure that stops the run.
InstallResult InstallInto(const StringValue (&folders)[3], const ShortcutChoices& shortcuts,
                          InstallProgress& progress) {
  const char* destination = folders[DestinationFolder];
  progress.ShowPhase("Распаковка файлов...");
  progress.ShowDetail("Создание папок установки");
  if (!EnsureDirectoryPath(folders[ProjectsFolder]) || !EnsureDirectoryPath(folders[ProjectFilesFolder]))
    return Stopped(FolderErrorTitle, FolderErrorText);
  // The bar counts sixteen steps: the folders, one per file, two for the shortcuts and the
  // registration, which ends it at 16 (there is no 15).
  int32_t position = 1;
  progress.SetPosition(position);
  progress.Pause(100);
  progress.Pause(100);

  for (const PayloadEntry& entry : PayloadTable) {
    if (!ExtractPayloadFile(folders[entry.destination], entry.name, entry.data, entry.size, entry.crc, ++position,
                            progress))
      return Stopped(FileErrorTitle, "Не удалось извлечь файл  ", entry.name, "\nДальнейшая работа невозможна!");
  }

  CreateProgramShortcuts(destination, shortcuts, progress);
  progress.SetPosition(++position);
  progress.SetPosition(++position);

  progress.Breathe();
  progress.ShowDetail("Регистрация программы");
  progress.Breathe();
  StringValue program = nullptr;
  {
    ScratchText text;
    text.Append(destination).Append(ProgramFileName).AssignTo(&program);
  }
  for (const char* extension : DocumentExtensions)
    RegisterDocumentType(extension, DocumentDescription, program, program);
  progress.SetPosition(LastPosition);
  StrFree(program);
  return {};
}

}  // namespace

bool ExtractPayloadFile(const char* folder, const char* name, const void* data, int32_t size, uint32_t crc,
                        int32_t position, InstallProgress& progress) {
  progress.Breathe();
  {
    ScratchText detail;
    progress.ShowDetail(detail.Append(ExtractingPrefix).Append(name).Pass());
  }
  // A damaged download must not install a damaged program.
  if (!BlockIntact(data, size, crc)) return false;
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
  StringValue folders[3] = {};  // indexed by DestinationClass
  {
    ScratchText text;
    text.Append(plan.destination);
    // The paths go to the system's ANSI functions, which read them in its code page.
    if (!EndsInBackslash(plan.destination, GetACP())) text.Append("\\");
    text.AssignTo(&folders[DestinationFolder]);
  }
  {
    ScratchText text;
    text.Append(folders[DestinationFolder])
        .Append(DestinationSubfolders[ProjectsFolder])
        .AssignTo(&folders[ProjectsFolder]);
  }
  {
    ScratchText text;
    text.Append(folders[DestinationFolder])
        .Append(DestinationSubfolders[ProjectFilesFolder])
        .AssignTo(&folders[ProjectFilesFolder]);
  }
  InstallResult result = InstallInto(folders, plan.shortcuts, progress);
  for (StringValue folder : folders) StrFree(folder);
  return result;
}
