#include "runtime/protected_start.h"
#include "runtime/redirection_trust.h"
#include "runtime/system_library.h"

void ProtectProcess() {
  DllSearch search = RestrictDllSearch();
  TrustOnlyAdministratorsRedirections(Kernel32Function);
  if (search == DllSearch::ProgramFolderFirst) PreloadSystemLibraries();
}
