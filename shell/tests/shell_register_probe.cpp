// Registers "sfr" and "hex" for the program given as the argument, from a clean state, and
// prints the version code and the layout the registration chose.
#include <stdio.h>
#include <windows.h>

#include "runtime/services.h"
#include "runtime/strings.h"
#include "shell/document_types.h"

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  StringsStart();
  const char* earlier[] = {"Software\\Classes\\.sfr", "Software\\Classes\\.hex",
                           "Software\\Classes\\Brindlex.exe"};
  for (const char* key : earlier) RegDeleteTreeA(HKEY_LOCAL_MACHINE, key);
  RegisterDocumentType("sfr", "Brindlex", argv[1], argv[1]);
  RegisterDocumentType("hex", "Brindlex", argv[1], argv[1]);
  printf("version %d layout %d\n", OsVersion(), UsesNtClassLayout());
  return 0;
}
