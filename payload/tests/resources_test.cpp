// The setup program's resources, linked into this test program as they are into the setup:
// the program icon and a manifest that activates version 6 of the common controls and
// declares that the program draws at the display's density.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "payload/product_version.h"

TEST(SetupResources, ProgramIconIsResourceOne) {
  HICON icon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), IMAGE_ICON,
                                             32, 32, 0));
  ASSERT_NE(nullptr, icon);
  DestroyIcon(icon);
  EXPECT_NE(nullptr, LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1)));
}

TEST(SetupResources, ManifestAsksForAdministratorAndSystemDensityAwareness) {
  HRSRC resource = FindResourceW(nullptr, MAKEINTRESOURCEW(1), reinterpret_cast<LPCWSTR>(RT_MANIFEST));
  ASSERT_NE(nullptr, resource);
  const char* bytes = static_cast<const char*>(LockResource(LoadResource(nullptr, resource)));
  const std::string manifest(bytes, SizeofResource(nullptr, resource));
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
// amd64 for its 64-bit twin; it and the description name the build's version.
TEST(SetupResources, ManifestNamesTheProcessorAndVersionOfThisBuild) {
  HRSRC resource = FindResourceW(nullptr, MAKEINTRESOURCEW(1), reinterpret_cast<LPCWSTR>(RT_MANIFEST));
  ASSERT_NE(nullptr, resource);
  const char* bytes = static_cast<const char*>(LockResource(LoadResource(nullptr, resource)));
  const std::string manifest(bytes, SizeofResource(nullptr, resource));
  const size_t name = manifest.find("name=\"Brindlex.Setup\"");
  ASSERT_NE(std::string::npos, name);
  const size_t start = manifest.rfind("<assemblyIdentity", name);
  const std::string identity = manifest.substr(start, manifest.find("/>", name) - start);
  const char* own = sizeof(void*) == 8 ? "processorArchitecture=\"amd64\"" : "processorArchitecture=\"x86\"";
  EXPECT_NE(std::string::npos, identity.find(own)) << identity;
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
