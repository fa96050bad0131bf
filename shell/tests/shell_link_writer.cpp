// Writes one shortcut with every field set, for a check by an independent parser:
//   shell_link_writer <folder ending in \>
// The folder receives a stand-in target "Brindlex.exe" and the shortcut "Brindlex.lnk".
#include <stdio.h>
#include <string>
#include <windows.h>

#include "shell/shell_link.h"

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  std::string folder = argv[1];
  std::string target = folder + "Brindlex.exe";
  CloseHandle(CreateFileA(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  int32_t result = CreateShellLink(target.c_str(), (folder + "Brindlex.lnk").c_str(),
                                   "/open \"C:\\Мои документы\\a b.sfr\" -x",
                                   "Программатор микроконтроллеров", folder.c_str(),
                                   SW_SHOWMAXIMIZED, target.c_str(), 2);
  printf("result %d\n", result);
  return result == 1 ? 0 : 1;
}
