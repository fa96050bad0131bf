#include "install/shortcut_set.h"
#include "payload/product_names.h"
#include "runtime/characters.h"
#include "runtime/files.h"
#include "runtime/owned_text.h"
#include "shell/install_folders.h"
#include "shell/shell_link.h"
#include "shell/special_folders.h"

namespace {

const char ProgramDescription[] = "Программатор микроконтроллеров";
const char LicenceDescription[] = "Лицензионное соглашение";
const char CreatingShortcuts[] = "Создание ярлыков";
constexpr int32_t ShowNormal = 1;

// A shortcut file already there that is a link, or one of several names of a file, is not
// replaced: the save would write to the file it leads to.
void SaveShortcut(const char* link, const char* target, const char* arguments, const char* description,
                  const char* workingFolder, const char* iconFile) {
  if (FileIsLinked(link)) return;
  CreateShellLink(target, link, arguments, description, workingFolder, ShowNormal, iconFile, 0);
}

// A shortcut to the installed program in folder (which ends in a backslash). An empty
// folder is one the shell could not give: a link there would land in the current folder.
void CreateProgramLink(const char* folder, const char* installationFolder) {
  if (StrLength(folder) == 0) return;
  OwnedText link, program;
  { ScratchText text; text.Append(folder).Append(ProgramLinkName).AssignTo(link.Slot()); }
  { ScratchText text; text.Append(installationFolder).Append(ProgramFileName).AssignTo(program.Slot()); }
  SaveShortcut(link.Get(), program.Get(), "", ProgramDescription, installationFolder, program.Get());
}

void CreateLicenceLink(const char* folder, const char* installationFolder, const char* windowsFolder) {
  // The editor is named with its folder: the link object would look a bare name up on the
  // search path, which starts with the setup's own folder, a downloads folder anyone can
  // put a NOTEPAD.exe in. Without the Windows folder there is no such name to give.
  if (!windowsFolder || !*windowsFolder) return;
  OwnedText link, licence, editor;
  { ScratchText text; text.Append(folder).Append(LicenceLinkName).AssignTo(link.Slot()); }
  { ScratchText text; text.Append(installationFolder).Append(LicenceFileName).AssignTo(licence.Slot()); }
  { ScratchText text; text.Append(windowsFolder).Append("NOTEPAD.EXE").AssignTo(editor.Slot()); }
  // The licence opens in the system's text editor; its path is passed bare, unquoted.
  SaveShortcut(link.Get(), editor.Get(), licence.Get(), LicenceDescription, installationFolder, "");
}

}  // namespace

int32_t CreateProgramShortcuts(const char* installationFolder, const ShortcutChoices& choices,
                               InstallProgress& progress) {
  OwnedText installation;
  StrCopyNew(installation.Slot(), installationFolder);
  progress.ShowDetail("Создание ярлыков в меню «Пуск»");

  // Without the Programs folder there is nowhere to put the Start-menu folder.
  if (choices.startMenu && StrLength(choices.programsFolder) > 0) {
    OwnedText menu;
    {
      ScratchText text;
      text.Append(choices.programsFolder).Append(choices.startMenuName);
      if (!EndsInBackslash(choices.startMenuName, GetACP())) text.Append("\\");
      text.AssignTo(menu.Slot());
    }
    // The folders a typed name such as Tools\Brindlex passes through are looked at before
    // they are made or used; the Programs folder itself is the system's.
    if (!LinkOnPath(menu.Get(), choices.programsFolder) && EnsureDirectoryPath(menu.Get())) {
      progress.ShowDetail(CreatingShortcuts);
      CreateProgramLink(menu.Get(), installation.Get());
      CreateLicenceLink(menu.Get(), installation.Get(), choices.windowsFolder);
    }
  }
  // A folder on the way that is a link counts as missing.
  if (choices.desktop) {
    progress.ShowDetail(CreatingShortcuts);
    if (!FolderIsLink(choices.desktopFolder)) CreateProgramLink(choices.desktopFolder, installation.Get());
  }
  // The Quick Launch folder lies in the user's own folders and is named by the user's
  // registry: the application-data folder and every folder below it are asked.
  if (choices.quickLaunch) {
    progress.ShowDetail(CreatingShortcuts);
    if (!FolderIsLink(choices.appDataFolder) && !LinkOnPath(choices.quickLaunchFolder, choices.appDataFolder))
      CreateProgramLink(choices.quickLaunchFolder, installation.Get());
  }
  return 0;
}
