// Start-up steps of the wizard's own: the shell folders it and the installation use, and
// the picture decoder its banner pictures need.
#include "wizard/startup_data.h"
#include "image/png_decoder.h"
#include "runtime/strings.h"
#include "shell/special_folders.h"
#include "wizard/program.h"

namespace {

// A folder below one the shell could not give stays empty: appended to nothing it would
// name a folder relative to the current one.
void LookUp(int32_t id, const char* below, StringValue* path) {
  ScratchText text;
  SpecialFolderPath(id, text.Start());
  if (text.Length() > 0) text.Append(below);
  text.AssignTo(path);
}

}  // namespace

void LookUpFolders() {
  LookUp(FolderCommonPrograms, nullptr, &CommonProgramsPath);
  LookUp(FolderProgramFiles, nullptr, &ProgramFilesPath);
  LookUp(FolderCommonDesktop, nullptr, &CommonDesktopPath);
  LookUp(FolderAppData, QuickLaunchSubfolder, &QuickLaunchPath);
}

void EnablePictureDecoders() { UsePngDecoder(); }
