// Start-up steps of the wizard's own: the shell folders it and the installation use, and
// the picture decoder its banner pictures need.
#include "wizard/startup_data.h"
#include "image/png_decoder.h"
#include "runtime/strings.h"
#include "shell/special_folders.h"
#include "wizard/program.h"

namespace {

void LookUp(int32_t id, StringValue* path) {
  ScratchText text;
  SpecialFolderPath(id, text.Start());
  text.AssignTo(path);
}

// A folder below one the shell could not give stays empty: appended to nothing it would
// name a folder relative to the current one.
void Below(const char* folder, const char* below, StringValue* path) {
  ScratchText text;
  if (StrLength(folder) > 0) text.Append(folder).Append(below);
  text.AssignTo(path);
}

}  // namespace

void LookUpFolders() {
  LookUp(FolderCommonPrograms, &CommonProgramsPath);
  LookUp(FolderProgramFiles, &ProgramFilesPath);
  LookUp(FolderCommonDesktop, &CommonDesktopPath);
  LookUp(FolderAppData, &AppDataPath);
  Below(AppDataPath, QuickLaunchSubfolder, &QuickLaunchPath);
}

void EnablePictureDecoders() { UsePngDecoder(); }
