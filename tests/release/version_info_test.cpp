// The version information of the built setup program, read as Explorer's properties page
// reads it: through GetFileVersionInfo and VerQueryValue. The expectations are those of the
// header the build wrote beside the resource: its version, company and copyright.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "payload/product_version.h"

namespace {

// A built program, found from this test program's folder.
std::string BuiltProgram(const char* fromTest) {
  char self[MAX_PATH];
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string path(self);
  path = path.substr(0, path.find_last_of('\\') + 1) + fromTest;
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

std::vector<char> VersionBlock(const std::string& program) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(program.c_str(), &ignored);
  std::vector<char> block(size);
  if (size == 0 || !GetFileVersionInfoA(program.c_str(), 0, size, block.data())) block.clear();
  return block;
}

class SetupVersion : public ::testing::Test {
 protected:
  void SetUp() override {
    block_ = VersionBlock(BuiltProgram(BRX_SETUP_FROM_TEST));
    ASSERT_FALSE(block_.empty()) << "no version information in " << BuiltProgram(BRX_SETUP_FROM_TEST);
  }
  std::vector<char> block_;
};

TEST_F(SetupVersion, FixedPartIsTheBuildsVersionOfAnApplication) {
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(block_.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
  ASSERT_EQ(sizeof(VS_FIXEDFILEINFO), length);
  EXPECT_EQ(0xFEEF04BDu, fixed->dwSignature);
  const DWORD majorMinor = static_cast<DWORD>(BRX_VERSION_MAJOR) << 16 | BRX_VERSION_MINOR;
  EXPECT_EQ(majorMinor, fixed->dwFileVersionMS);
  EXPECT_EQ(0u, fixed->dwFileVersionLS);
  EXPECT_EQ(majorMinor, fixed->dwProductVersionMS);
  EXPECT_EQ(0u, fixed->dwProductVersionLS);
  EXPECT_EQ(static_cast<DWORD>(VFT_APP), fixed->dwFileType);
  EXPECT_EQ(0u, fixed->dwFileFlags & fixed->dwFileFlagsMask);
}

TEST_F(SetupVersion, OnlyTranslationIsRussianInCodePage1251) {
  WORD* pairs = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(block_.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&pairs), &length));
  ASSERT_EQ(4u, length);
  EXPECT_EQ(0x0419, pairs[0]);
  EXPECT_EQ(1251, pairs[1]);
}

TEST_F(SetupVersion, StringsReadBackInTheAnsiCodePage) {
  // The test program's literals are Windows-1251, the ANSI code page the tests run under, so
  // a description that windres read in the wrong encoding does not match. An empty value is
  // a field the resource must not have.
  struct Field {
    const char* name;
    const char* value;
  };
  const Field fields[] = {
      {"FileVersion", BRX_FILE_VERSION},
      {"ProductVersion", BRX_VERSION},
      {"ProductName", "Brindlex"},
      {"FileDescription", "Установка " BRX_PRODUCT_TITLE},
      {"OriginalFilename", "BrindlexSetup.exe"},
      {"CompanyName", BRX_COMPANY},
      {"LegalCopyright", BRX_COPYRIGHT},
  };
  ASSERT_EQ(1251u, GetACP());
  for (const Field& field : fields) {
    const std::string query = std::string("\\StringFileInfo\\041904E3\\") + field.name;
    char* value = nullptr;
    UINT length = 0;
    const bool found = VerQueryValueA(block_.data(), query.c_str(), reinterpret_cast<void**>(&value), &length);
    if (!*field.value) {
      EXPECT_FALSE(found) << query << " is " << (found ? value : "");
      continue;
    }
    ASSERT_TRUE(found) << query;
    EXPECT_STREQ(field.value, value) << query;
  }
}

TEST(InstalledApplicationVersion, StandInCarriesNoSetupVersion) {
  // The installed program keeps its own resources: the setup's version is not copied into it.
  EXPECT_TRUE(VersionBlock(BuiltProgram(BRX_STANDIN_FROM_TEST)).empty());
}

}  // namespace
