#include "install/installation.h"
#include <zlib.h>
#include "install/shortcut_set.h"
#include "payload/payload.h"
#include "runtime/files.h"
#include "runtime/services.h"
#include "runtime/strings.h"
#include "shell/document_types.h"
#include "shell/special_folders.h"
#include "toolkit/gadget.h"
#include "toolkit/requesters.h"
#include "toolkit/window.h"
#include "wizard/gadgets.h"
#include "wizard/program.h"

namespace {

const char FolderErrorTitle[] = "Инсталлятор";
const char FolderErrorText[] = "Не удалось создать папку установки!\nДальнейшая работа невозможна!";
const char FileErrorTitle[] = "Фатальная ошибка!";
const char ExtractingPrefix[] = "Извлечение файла  ";
const char DocumentDescription[] = "Brindlex";
const char* const DocumentExtensions[] = {"sfr", "hex"};

[[noreturn]] void FatalFolderError() {
  ShowMessage(FolderErrorTitle, FolderErrorText, MB_OK | MB_ICONHAND);
  ShutDown();
}

[[noreturn]] void FatalFileError(const char* name) {
  ScratchText text;
  text.Append("Не удалось извлечь файл  ").Append(name).Append("\nДальнейшая работа невозможна!");
  ShowMessage(FileErrorTitle, text.Pass(), MB_OK | MB_ICONHAND);
  ShutDown();
}

int32_t ProgressStep() { return GadgetGetState(PrgInstall) + 1; }

bool BlockIntact(const void* data, int32_t size, uint32_t crc) {
  if (size < 0 || (size > 0 && !data)) return false;
  return crc32(0, static_cast<const Bytef*>(data), (uInt)size) == crc;
}

}  // namespace

int32_t ExtractPayloadFile(const char* folder, const char* name, const void* data, int32_t size,
                           uint32_t crc) {
  PollEvent();
  {
    ScratchText detail;
    GadgetSetText(TxtInstallFile, detail.Append(ExtractingPrefix).Append(name).Pass());
  }
  int32_t step = ProgressStep();
  // A damaged download must not install a damaged program.
  if (!BlockIntact(data, size, crc)) FatalFileError(name);
  bool whole = false;
  {
    ScratchText path;
    path.Append(folder).Append(name);
    if (FileCreate(0, path.Pass())) {
      // A file that is not on disk whole is as fatal as one that cannot be created: a
      // truncated program must not be reported as installed.
      bool written = FileWriteData(0, data, size) == size || size == 0;
      whole = FileClose(0) && written;
    }
  }
  if (!whole) FatalFileError(name);
  GadgetSetState(PrgInstall, step);
  return 0;
}

int32_t RunInstallation() {
  int32_t step = 1;
  StringValue folders[3] = {};  // indexed by DestinationClass
  StringValue& destination = folders[DestinationFolder];
  {
    ScratchText text;
    GadgetGetText(FldDestination, ScratchMark());
    if (text.Length() == 0 || text.Get()[text.Length() - 1] != '\\') text.Append("\\");
    text.AssignTo(&destination);
  }
  {
    ScratchText text;
    text.Append(destination).Append(DestinationSubfolders[ProjectsFolder]).AssignTo(&folders[ProjectsFolder]);
  }
  {
    ScratchText text;
    text.Append(destination).Append(DestinationSubfolders[ProjectFilesFolder]).AssignTo(&folders[ProjectFilesFolder]);
  }

  GadgetSetText(TxtInstallStep, "Распаковка файлов...");
  GadgetSetText(TxtInstallFile, "Создание папок установки");
  if (!EnsureDirectoryPath(folders[ProjectsFolder])) FatalFolderError();
  if (!EnsureDirectoryPath(folders[ProjectFilesFolder])) FatalFolderError();
  GadgetSetState(PrgInstall, step);
  Delay(100);
  Delay(100);

  for (const PayloadEntry& entry : PayloadTable)
    ExtractPayloadFile(folders[entry.destination], entry.name, entry.data, entry.size, entry.crc);

  step = ProgressStep();
  CreateProgramShortcuts(destination);
  GadgetSetState(PrgInstall, step);
  GadgetSetState(PrgInstall, step + 1);

  PollEvent();
  GadgetSetText(TxtInstallFile, "Регистрация программы");
  PollEvent();
  StringValue program = nullptr;
  {
    ScratchText text;
    text.Append(destination).Append(ProgramFileName).AssignTo(&program);
  }
  for (const char* extension : DocumentExtensions)
    RegisterDocumentType(extension, DocumentDescription, program, program);
  GadgetSetState(PrgInstall, 16);

  StrFree(program);
  for (StringValue& folder : folders) StrFree(folder);
  return 1;
}
