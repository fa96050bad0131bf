// The setup program's resources, linked into this test program as they are into the setup:
// the program icon and a manifest that activates version 6 of the common controls and
// declares that the program draws at the display's density.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "payload/product_version.h"

namespace {

// The manifest resource's text.
std::string SetupManifest() {
  HRSRC resource = FindResourceW(nullptr, MAKEINTRESOURCEW(1), reinterpret_cast<LPCWSTR>(RT_MANIFEST));
  if (!resource) return std::string();
  const char* bytes = static_cast<const char*>(LockResource(LoadResource(nullptr, resource)));
  return std::string(bytes, SizeofResource(nullptr, resource));
}

// The program's own assemblyIdentity element.
std::string OwnIdentity(const std::string& manifest) {
  const size_t name = manifest.find("name=\"Brindlex.Setup\"");
  if (name == std::string::npos) return std::string();
  const size_t start = manifest.rfind("<assemblyIdentity", name);
  return manifest.substr(start, manifest.find("/>", name) - start);
}

}  // namespace

TEST(SetupResources, ProgramIconIsResourceOne) {
  HICON icon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), IMAGE_ICON,
                                             32, 32, 0));
  ASSERT_NE(nullptr, icon);
  DestroyIcon(icon);
  EXPECT_NE(nullptr, LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1)));
}

TEST(SetupResources, ManifestAsksForAdministratorAndSystemDensityAwareness) {
  const std::string manifest = SetupManifest();
  ASSERT_FALSE(manifest.empty());
  EXPECT_NE(std::string::npos, manifest.find("level=\"requireAdministrator\""));
  EXPECT_NE(std::string::npos, manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""));
  EXPECT_NE(std::string::npos, manifest.find(">true</dpiAware>"));
  // System awareness only: the window is laid out once, at the density read at start-up.
  EXPECT_EQ(std::string::npos, manifest.find("dpiAwareness"));
  EXPECT_EQ(std::string::npos, manifest.find("PerMonitor"));
  // The loader took the declaration: the system does not stretch the program's windows.
  EXPECT_TRUE(IsProcessDPIAware());
}

// The program's own identity names the processor it was built for: x86 for the product,
// amd64 for its 64-bit twin.
TEST(SetupResources, ManifestNamesTheProcessorOfThisBuild) {
  const std::string identity = OwnIdentity(SetupManifest());
  ASSERT_FALSE(identity.empty());
  const char* own = sizeof(void*) == 8 ? "processorArchitecture=\"amd64\"" : "processorArchitecture=\"x86\"";
  EXPECT_NE(std::string::npos, identity.find(own)) << identity;
}

// The identity's version and the description are the version of the build.
TEST(SetupResources, ManifestNamesTheVersionOfThisBuild) {
  const std::string manifest = SetupManifest();
  const std::string identity = OwnIdentity(manifest);
  ASSERT_FALSE(identity.empty());
  EXPECT_NE(std::string::npos, identity.find(" version=\"" BRX_FILE_VERSION "\" ")) << identity;
  EXPECT_NE(std::string::npos, manifest.find("<description>" BRX_PRODUCT_TITLE " setup</description>"));
}

TEST(SetupResources, CommonControlsOfVersionSixAreActive) {
  // The manifest's dependency redirects the library to the side-by-side assembly of version 6.
  HMODULE controls = LoadLibraryW(L"comctl32.dll");
  ASSERT_NE(nullptr, controls);
  wchar_t path[MAX_PATH] = L"";
  GetModuleFileNameW(controls, path, MAX_PATH);
  CharLowerW(path);
  const std::wstring loaded = path;
  EXPECT_NE(std::wstring::npos, loaded.find(L"microsoft.windows.common-controls_6595b64144ccf1df_6.0."))
      << std::string(loaded.begin(), loaded.end());
}
