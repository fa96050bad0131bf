#include "runtime/redirection_trust.h"

namespace {

// The system's ProcessRedirectionTrustPolicy and its EnforceRedirectionTrust flag, declared
// here under names of their own: only the headers of newer SDKs have them.
using SetProcessMitigationPolicyFunction = BOOL(WINAPI*)(int policy, PVOID buffer, SIZE_T length);
constexpr int RedirectionTrustPolicy = 16;
constexpr DWORD EnforceTrust = 0x1;

}  // namespace

bool TrustOnlyAdministratorsRedirections(FARPROC (*lookUp)(const char* name)) {
  auto setPolicy = reinterpret_cast<SetProcessMitigationPolicyFunction>(
      reinterpret_cast<void*>(lookUp("SetProcessMitigationPolicy")));
  if (!setPolicy) return false;
  DWORD flags = EnforceTrust;
  return setPolicy(RedirectionTrustPolicy, &flags, sizeof(flags)) != FALSE;
}
