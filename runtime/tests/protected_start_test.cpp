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

struct SystemVersion {
  const char* names;
  DWORD major, minor;
};
// Each number stands for the workstation and the servers that report it.
const SystemVersion Xp = {"XP", 5, 1};
const SystemVersion Server2003 = {"Server 2003, XP x64", 5, 2};
const SystemVersion Vista = {"Vista, Server 2008", 6, 0};
const SystemVersion Seven = {"7, Server 2008 R2", 6, 1};
const SystemVersion Eight = {"8, Server 2012; 8.1 and later without a manifest", 6, 2};
const SystemVersion Ten = {"10, 11, Server 2016 to 2025", 10, 0};
const SystemVersion Unknown = {"a version that could not be read", 0, 0};

TEST(DllSearch, SetDefaultDllDirectoriesIsUsedWhereItExistsExceptOnVista) {
  const struct {
    SystemVersion system;
    bool found;
    DllSearch search;
  } rows[] = {
      {Xp, false, ProgramFolderFirst},        {Xp, true, SystemFolderOnly},
      {Server2003, false, ProgramFolderFirst}, {Server2003, true, SystemFolderOnly},
      {Vista, false, ProgramFolderFirst},     {Vista, true, ProgramFolderFirst},
      {Seven, false, ProgramFolderFirst},     {Seven, true, SystemFolderOnly},
      {Eight, true, SystemFolderOnly},        {Ten, false, ProgramFolderFirst},
      {Ten, true, SystemFolderOnly},          {Unknown, true, SystemFolderOnly},
      {Unknown, false, ProgramFolderFirst},
  };
  for (const auto& row : rows)
    EXPECT_EQ(row.search, DllSearchFor(row.found, row.system.major, row.system.minor))
        << row.system.names << (row.found ? ", with" : ", without") << " SetDefaultDllDirectories";
}

// Stand-ins for kernel32's search settings, which say what they were asked.
struct Kernel32 {
  bool hasSetDefault, setDefaultSucceeds, hasSetDirectory;
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
FARPROC LookUpStandIn(const char* name) {
  if (!strcmp(name, "SetDefaultDllDirectories") && System.hasSetDefault)
    return reinterpret_cast<FARPROC>(reinterpret_cast<void*>(SetDefaultDllDirectoriesStandIn));
  if (!strcmp(name, "SetDllDirectoryA") && System.hasSetDirectory)
    return reinterpret_cast<FARPROC>(reinterpret_cast<void*>(SetDllDirectoryStandIn));
  return nullptr;
}

// Where the restriction to the system folder is not made, or refused, the current folder
// at least is taken out of the search; where neither function exists (98, ME, 2000, XP
// before SP1) nothing is called.
TEST(DllSearch, TheRestrictionMadeAndTheFallBack) {
  const std::string systemFolderOnly = "SetDefaultDllDirectories(2048) ";  // LOAD_LIBRARY_SEARCH_SYSTEM32
  const std::string currentFolderOut = "SetDllDirectoryA(\"\") ";
  const struct {
    SystemVersion system;
    bool hasSetDefault, setDefaultSucceeds, hasSetDirectory;
    DllSearch search;
    std::string calls;
  } rows[] = {
      {Ten, true, true, true, SystemFolderOnly, systemFolderOnly},
      {Seven, true, true, true, SystemFolderOnly, systemFolderOnly},
      {Vista, true, true, true, ProgramFolderFirst, currentFolderOut},
      {Ten, true, false, true, ProgramFolderFirst, systemFolderOnly + currentFolderOut},
      {Seven, false, false, true, ProgramFolderFirst, currentFolderOut},
      {Xp, false, false, true, ProgramFolderFirst, currentFolderOut},
      {Xp, false, false, false, ProgramFolderFirst, ""},
  };
  for (const auto& row : rows) {
    System = {row.hasSetDefault, row.setDefaultSucceeds, row.hasSetDirectory, ""};
    EXPECT_EQ(row.search, RestrictDllSearchOn(LookUpStandIn, row.system.major, row.system.minor)) << row.system.names;
    EXPECT_EQ(row.calls, System.calls) << row.system.names;
  }
}

// A stand-in for SetProcessMitigationPolicy that keeps what it was given.
struct MitigationCall {
  int policy = -1;
  DWORD flags = 0;
  SIZE_T length = 0;
  BOOL answer = TRUE;
};
MitigationCall Mitigation;
bool MitigationFound;

BOOL WINAPI SetProcessMitigationPolicyStandIn(int policy, PVOID buffer, SIZE_T length) {
  Mitigation.policy = policy;
  Mitigation.length = length;
  memcpy(&Mitigation.flags, buffer, sizeof(DWORD));
  return Mitigation.answer;
}
FARPROC LookUpMitigation(const char* name) {
  if (!MitigationFound || strcmp(name, "SetProcessMitigationPolicy")) return nullptr;
  return reinterpret_cast<FARPROC>(reinterpret_cast<void*>(SetProcessMitigationPolicyStandIn));
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
  } rows[] = {
      {"offered", true, TRUE, true},
      {"refused", true, FALSE, false},
      {"missing", false, TRUE, false},
  };
  for (const auto& row : rows) {
    MitigationFound = row.found;
    Mitigation = MitigationCall();
    Mitigation.answer = row.answer;
    EXPECT_EQ(row.on, TrustOnlyAdministratorsRedirections(LookUpMitigation)) << row.what;
    if (!row.found) {
      EXPECT_EQ(-1, Mitigation.policy) << row.what;
      continue;
    }
    EXPECT_EQ(16, Mitigation.policy) << row.what;
    EXPECT_EQ(sizeof(DWORD), Mitigation.length) << row.what;
    EXPECT_EQ(1u, Mitigation.flags) << row.what;
  }
  // The system's own, asked as the program asks it: whatever it answers, the process goes on.
  TrustOnlyAdministratorsRedirections(Kernel32Function);
}

}  // namespace
