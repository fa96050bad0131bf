// The start-up's protection: how far each system's DLL search is restricted, what is called
// to restrict it, and the redirection guard, each with kernel32's functions stood in for.
#include <gtest/gtest.h>
#include <windows.h>
#include <string.h>
#include <string>
#include "runtime/redirection_trust.h"
#include "runtime/system_library.h"

namespace {

constexpr DllSearch SystemFolderOnly = DllSearch::SystemFolderOnly;
constexpr DllSearch ProgramFolderFirst = DllSearch::ProgramFolderFirst;

// Stand-ins for kernel32's functions, which say what they were asked.
struct Kernel32 {
  bool hasSetDefault, setDefaultSucceeds, hasSetDirectory, hasMitigation;
  BOOL mitigationAnswer;
  std::string calls;
};
Kernel32 System;

BOOL WINAPI SetDefaultDllDirectoriesStandIn(DWORD flags) {
  System.calls += "SetDefaultDllDirectories(" + std::to_string(flags) + ") ";
  return System.setDefaultSucceeds;
}
BOOL WINAPI SetDllDirectoryStandIn(LPCSTR folder) {
  System.calls += "SetDllDirectoryA(\"" + std::string(folder ? folder : "null") + "\") ";
  return TRUE;
}
BOOL WINAPI SetProcessMitigationPolicyStandIn(int policy, PVOID buffer, SIZE_T length) {
  DWORD flags = 0;
  memcpy(&flags, buffer, sizeof flags);
  System.calls += "SetProcessMitigationPolicy(" + std::to_string(policy) + ", " + std::to_string(flags) + ", " +
                  std::to_string(length) + ") ";
  return System.mitigationAnswer;
}
template <typename Function>
FARPROC Found(bool found, Function function) {
  return found ? reinterpret_cast<FARPROC>(reinterpret_cast<void*>(function)) : nullptr;
}
FARPROC LookUpStandIn(const char* name) {
  if (!strcmp(name, "SetDefaultDllDirectories")) return Found(System.hasSetDefault, SetDefaultDllDirectoriesStandIn);
  if (!strcmp(name, "SetDllDirectoryA")) return Found(System.hasSetDirectory, SetDllDirectoryStandIn);
  if (!strcmp(name, "SetProcessMitigationPolicy"))
    return Found(System.hasMitigation, SetProcessMitigationPolicyStandIn);
  return nullptr;
}

// SetDefaultDllDirectories is used wherever it exists but on 6.0. Where the restriction to
// the system folder is not made, or refused, the current folder at least is taken out of
// the search; where neither function exists (98, ME, 2000, XP before SP1) nothing is called.
// Each version stands for the workstation and the servers that report it.
TEST(DllSearch, SetDefaultDllDirectoriesIsUsedWhereItExistsExceptOnVistaElseTheCurrentFolderGoes) {
  const std::string systemFolderOnly = "SetDefaultDllDirectories(2048) ";  // LOAD_LIBRARY_SEARCH_SYSTEM32
  const std::string currentFolderOut = "SetDllDirectoryA(\"\") ";
  const struct {
    const char* system;
    DWORD major, minor;
    bool hasSetDefault, setDefaultSucceeds, hasSetDirectory;
    DllSearch search;
    std::string calls;
  } rows[] = {
      {"XP", 5, 1, false, false, true, ProgramFolderFirst, currentFolderOut},
      {"XP", 5, 1, true, true, true, SystemFolderOnly, systemFolderOnly},
      {"XP before SP1", 5, 1, false, false, false, ProgramFolderFirst, ""},
      {"Server 2003, XP x64", 5, 2, false, false, true, ProgramFolderFirst, currentFolderOut},
      {"Server 2003, XP x64", 5, 2, true, true, true, SystemFolderOnly, systemFolderOnly},
      {"Vista, Server 2008", 6, 0, false, false, true, ProgramFolderFirst, currentFolderOut},
      {"Vista, Server 2008", 6, 0, true, true, true, ProgramFolderFirst, currentFolderOut},
      {"7, Server 2008 R2", 6, 1, false, false, true, ProgramFolderFirst, currentFolderOut},
      {"7, Server 2008 R2", 6, 1, true, true, true, SystemFolderOnly, systemFolderOnly},
      {"8, Server 2012; 8.1 and later without a manifest", 6, 2, true, true, true, SystemFolderOnly, systemFolderOnly},
      {"10, 11, Server 2016 to 2025", 10, 0, false, false, true, ProgramFolderFirst, currentFolderOut},
      {"10, 11, Server 2016 to 2025", 10, 0, true, true, true, SystemFolderOnly, systemFolderOnly},
      {"10, refusing", 10, 0, true, false, true, ProgramFolderFirst, systemFolderOnly + currentFolderOut},
      {"a version that could not be read", 0, 0, true, true, true, SystemFolderOnly, systemFolderOnly},
      {"a version that could not be read", 0, 0, false, false, true, ProgramFolderFirst, currentFolderOut},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.system) + (row.hasSetDefault ? ", with" : ", without") + " SetDefaultDllDirectories");
    if (row.setDefaultSucceeds || !row.hasSetDefault)
      EXPECT_EQ(row.search, DllSearchFor(row.hasSetDefault, row.major, row.minor));
    System = {row.hasSetDefault, row.setDefaultSucceeds, row.hasSetDirectory, false, TRUE, ""};
    EXPECT_EQ(row.search, RestrictDllSearchOn(LookUpStandIn, row.major, row.minor));
    EXPECT_EQ(row.calls, System.calls);
  }
}

// Asked for by name: policy 16 (redirection trust), one DWORD of flags with only the
// enforcement bit. Missing, or refused by a system from before the guard, it is done
// without.
TEST(RedirectionTrust, SwitchedOnWhereTheSystemHasItAndDoneWithoutElsewhere) {
  const struct {
    const char* what;
    bool found;
    BOOL answer;
    bool on;
    const char* calls;
  } rows[] = {
      {"offered", true, TRUE, true, "SetProcessMitigationPolicy(16, 1, 4) "},
      {"refused", true, FALSE, false, "SetProcessMitigationPolicy(16, 1, 4) "},
      {"missing", false, TRUE, false, ""},
  };
  for (const auto& row : rows) {
    System = {false, false, false, row.found, row.answer, ""};
    EXPECT_EQ(row.on, TrustOnlyAdministratorsRedirections(LookUpStandIn)) << row.what;
    EXPECT_EQ(row.calls, System.calls) << row.what;
  }
  // The system's own, asked as the program asks it: whatever it answers, the process goes on.
  TrustOnlyAdministratorsRedirections(Kernel32Function);
}

}  // namespace
