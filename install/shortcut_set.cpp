#include "install/shortcut_set.h"
#include "payload/manifest.h"
#include "runtime/characters.h"
#include "runtime/strings.h"
#include "shell/shell_link.h"
#include "shell/special_folders.h"

namespace {

const char ProgramDescription[] = "Программатор микроконтроллеров";
const char LicenceDescription[] = "Лицензионное соглашение";
const char CreatingShortcuts[] = "Создание ярлыков";
constexpr int32_t ShowNormal = 1;

// A shortcut to the installed program in folder (which ends in a backslash). An empty
// folder is one the shell could not give: a link there would land in the current folder.
void CreateProgramLink(const char* folder, const char* installationFolder) {
  if (StrLength(folder) == 0) return;
  StringValue link = nullptr, program = nullptr;
  { ScratchText text; text.Append(folder).Append("Brindlex.lnk").AssignTo(&link); }
  { ScratchText text; text.Append(installationFolder).Append(ProgramFileName).AssignTo(&program); }
  CreateShellLink(program, link, "", ProgramDescription, installationFolder, ShowNormal, program, 0);
  StrFree(link);
  StrFree(program);
}

void CreateLicenceLink(const char* folder, const char* installationFolder, const char* windowsFolder) {
  // The editor is named with its folder: the link object would look a bare name up on the
  // search path, which starts with the setup's own folder, a downloads folder anyone can
  // put a NOTEPAD.exe in. Without the Windows folder there is no such name to give.
  if (!windowsFolder || !*windowsFolder) return;
  StringValue link = nullptr, licence = nullptr, editor = nullptr;
  { ScratchText text; text.Append(folder).Append("License.lnk").AssignTo(&link); }
  { ScratchText text; text.Append(installationFolder).Append(LicenceFileName).AssignTo(&licence); }
  { ScratchText text; text.Append(windowsFolder).Append("NOTEPAD.EXE").AssignTo(&editor); }
  // The licence opens in the system's text editor; its path is passed bare, unquoted.
  CreateShellLink(editor, link, licence, LicenceDescription, installationFolder, ShowNormal, "", 0);
  StrFree(link);
  StrFree(licence);
  StrFree(editor);
}

}  // namespace

int32_t CreateProgramShortcuts(const char* installationFolder, const ShortcutChoices& choices,
                               InstallProgress& progress) {
  StringValue installation = nullptr;
  StrCopyNew(&installation, installationFolder);
  progress.ShowDetail("Создание ярлыков в меню «Пуск»");

  // Without the Programs folder there is nowhere to put the Start-menu folder.
  if (choices.startMenu && StrLength(choices.programsFolder) > 0) {
    StringValue menu = nullptr;
    {
      ScratchText text;
      text.Append(choices.programsFolder).Append(choices.startMenuName);
      if (!EndsInBackslash(choices.startMenuName, GetACP())) text.Append("\\");
      text.AssignTo(&menu);
    }
    if (EnsureDirectoryPath(menu)) {
      progress.ShowDetail(CreatingShortcuts);
      CreateProgramLink(menu, installation);
      CreateLicenceLink(menu, installation, choices.windowsFolder);
    }
    StrFree(menu);
  }
  if (choices.desktop) {
    progress.ShowDetail(CreatingShortcuts);
    CreateProgramLink(choices.desktopFolder, installation);
  }
  if (choices.quickLaunch) {
    progress.ShowDetail(CreatingShortcuts);
    CreateProgramLink(choices.quickLaunchFolder, installation);
  }
  StrFree(installation);
  return 0;
}
