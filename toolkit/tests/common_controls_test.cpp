// The common controls the toolkit loads at run time are those the program's manifest asks
// for: linked with the setup's resources, this program has its manifest.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlwapi.h>
#include <string>
#include "runtime/services.h"
#include "runtime/system_library.h"
#include "toolkit/common_controls.h"

namespace {

// Systems with a side-by-side store, where the manifest brings version 6: XP and later.
bool SideBySideStore() { return OsVersion() >= 60; }

// Wine (8) builds its common controls once: the copy in its side-by-side store is the same
// library and reports the system folder's version, 5.81. There the path tells them apart.
bool RunningOnWine() {
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

std::string LowerCasePath(HMODULE module) {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(module, path, MAX_PATH);
  CharLowerA(path);
  return path;
}

TEST(CommonControls, TheLibraryLoadedAfterTheSearchIsRestrictedIsVersionSix) {
  RestrictDllSearch();
  HMODULE library = CommonControlsLibrary();
  ASSERT_NE(nullptr, library);
  EXPECT_EQ(library, CommonControlsLibrary()) << "loaded once and kept";
  auto getVersion = reinterpret_cast<DLLGETVERSIONPROC>(
      reinterpret_cast<void*>(GetProcAddress(library, "DllGetVersion")));
  ASSERT_NE(nullptr, getVersion);
  DLLVERSIONINFO version = {};
  version.cbSize = sizeof(version);
  ASSERT_EQ(S_OK, getVersion(&version));
  const std::string path = LowerCasePath(library);
  if (!SideBySideStore()) {
    EXPECT_EQ(5u, version.dwMajorVersion);
    return;
  }
  EXPECT_NE(std::string::npos, path.find("microsoft.windows.common-controls_6595b64144ccf1df_6.0."))
      << "not the side-by-side assembly of version 6: " << path;
  if (!RunningOnWine()) EXPECT_EQ(6u, version.dwMajorVersion) << path;
}

// Where the search flags are missing, a bare-name load is safe only if the manifest
// redirects it: the decision rests on this.
TEST(CommonControls, TheManifestRedirectsTheCommonControlsAndNothingElse) {
  if (!SideBySideStore()) GTEST_SKIP() << "no side-by-side store";
  EXPECT_TRUE(ManifestRedirects("comctl32.dll"));
  EXPECT_TRUE(ManifestRedirects("COMCTL32.DLL"));
  EXPECT_FALSE(ManifestRedirects("uxtheme.dll"));
  EXPECT_FALSE(ManifestRedirects("riched20.dll"));
}

}  // namespace
