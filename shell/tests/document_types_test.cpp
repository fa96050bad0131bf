#include "shell/document_types.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "runtime/services.h"

namespace {

struct Row {
  HKEY root;
  std::string key, valueName, text;
  bool operator==(const Row& o) const {
    return root == o.root && key == o.key && valueName == o.valueName && text == o.text;
  }
};
std::ostream& operator<<(std::ostream& out, const Row& r) {
  return out << "{" << r.root << " " << r.key << " [" << r.valueName << "] = " << r.text << "}";
}

std::vector<Row> written;
void RecordRow(HKEY root, const char* key, const char* valueName, const char* text) {
  written.push_back({root, key, valueName, text ? text : ""});
}

std::vector<Row> Rows(int32_t ntLayout, const char* ext, const char* description,
                      const char* program, const char* icon) {
  written.clear();
  WriteDocumentTypeRows(ntLayout, ext, description, program, icon, RecordRow);
  return written;
}

const HKEY Hkcr = HKEY_CLASSES_ROOT, Hkcu = HKEY_CURRENT_USER, Hklm = HKEY_LOCAL_MACHINE;
const char Program[] = "C:\\Program Files\\Brindlex Test\\Brindlex.exe";
const char Command[] = "\"C:\\Program Files\\Brindlex Test\\Brindlex.exe\" \"%1\"";
const char FileExts[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\.";

}  // namespace

TEST(DocumentTypeRows, NtLayoutWritesItsRowsInOrder) {
  std::vector<Row> expected = {
      {Hkcr, "Applications\\Brindlex.exe\\shell\\open\\command", "", Command},
      {Hkcr, ".sfr", "", "sfr_auto_file"},
      {Hkcr, "sfr_auto_file", "", "Brindlex"},
      {Hkcr, "sfr_auto_file\\DefaultIcon", "", Program},
      {Hkcu, std::string(FileExts) + "sfr", "Application", "Brindlex.exe"},
  };
  EXPECT_EQ(expected, Rows(1, "sfr", "Brindlex", Program, Program));
}

TEST(DocumentTypeRows, NtLayoutSkipsTheTypeRowsWithoutDescriptionAndTheIconRowWithoutIcon) {
  std::vector<Row> expected = {
      {Hkcr, "Applications\\Brindlex.exe\\shell\\open\\command", "", Command},
      {Hkcu, std::string(FileExts) + "hex", "Application", "Brindlex.exe"},
  };
  EXPECT_EQ(expected, Rows(1, "hex", "", Program, Program));

  std::vector<Row> withoutIcon = Rows(1, "hex", "Brindlex", Program, "");
  ASSERT_EQ(4u, withoutIcon.size());
  EXPECT_EQ("hex_auto_file", withoutIcon[2].key);
  EXPECT_EQ(Hkcu, withoutIcon[3].root);
}

TEST(DocumentTypeRows, Win9xLayoutKeysTheTypeByTheProgramsFileName) {
  std::vector<Row> expected = {
      {Hklm, "Software\\Classes\\.sfr", "", "Brindlex.exe"},
      {Hklm, "Software\\Classes\\Brindlex.exe", "", "Brindlex"},
      {Hklm, "Software\\Classes\\Brindlex.exe\\DefaultIcon", "", Program},
      {Hklm, "Software\\Classes\\Brindlex.exe\\shell\\open\\command", "", Command},
  };
  EXPECT_EQ(expected, Rows(0, "sfr", "Brindlex", Program, Program));

  // The icon row there does not depend on the description.
  std::vector<Row> undescribed = Rows(0, "sfr", "", Program, Program);
  ASSERT_EQ(3u, undescribed.size());
  EXPECT_EQ(expected[2], undescribed[1]);
  EXPECT_EQ(3u, Rows(0, "sfr", "Brindlex", Program, "").size());
}

TEST(ClassLayout, OnlyWindows95_98AndMeUseTheirOwnLayout) {
  for (int code : {10, 30, 40}) EXPECT_EQ(0, NtClassLayoutFor(code)) << code;
  for (int code : {5, 20, 50, 60, 65, 70, 75, 100}) EXPECT_EQ(1, NtClassLayoutFor(code)) << code;

  // 95 OSR2 reports minor 0 and 98 SE minor 10; any other minor of that family is unknown.
  const struct { DWORD minor; int32_t nt; } family9x[] = {{0, 0}, {10, 0}, {90, 0}, {50, 1}};
  for (const auto& c : family9x) {
    OSVERSIONINFOA version = {};
    version.dwPlatformId = VER_PLATFORM_WIN32_WINDOWS;
    version.dwMajorVersion = 4;
    version.dwMinorVersion = c.minor;
    EXPECT_EQ(c.nt, NtClassLayoutFor(OsVersionFromRecords(&version, nullptr))) << c.minor;
  }
  EXPECT_EQ(1, UsesNtClassLayout());  // the test prefix reports an NT-family system
}

// Against the real registry: the values the shell will read, with their stored sizes.
class DocumentTypeRegistry : public testing::Test {
 protected:
  void SetUp() override { Clean(); }
  void TearDown() override { Clean(); }
  static void Clean() {
    for (const char* key : {".sfr", ".hex", "sfr_auto_file", "hex_auto_file",
                            "Applications\\Brindlex.exe"})
      RegDeleteTreeA(HKEY_CLASSES_ROOT, key);
    for (const char* ext : {"sfr", "hex"})
      RegDeleteTreeA(HKEY_CURRENT_USER, (std::string(FileExts) + ext).c_str());
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Brindlex Test");
  }
  // The REG_SZ text of a value, checking that its terminator was stored and counted.
  static std::string Read(HKEY root, const std::string& key, const char* name = "") {
    char data[512];
    DWORD type = 0, size = sizeof(data);
    LONG status = RegGetValueA(root, key.c_str(), name, RRF_RT_ANY | RRF_NOEXPAND, &type, data, &size);
    if (status != ERROR_SUCCESS) return "<missing>";
    if (type != REG_SZ) return "<not REG_SZ>";
    if (size == 0 || data[size - 1] != 0 || strlen(data) + 1 != size) return "<bad size>";
    return data;
  }
  static bool Exists(HKEY root, const char* key) {
    HKEY opened;
    if (RegOpenKeyExA(root, key, 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
    RegCloseKey(opened);
    return true;
  }
};

TEST_F(DocumentTypeRegistry, NtLayoutForBothExtensions) {
  EXPECT_EQ(0, RegisterDocumentType("sfr", "Brindlex", Program, Program));
  EXPECT_EQ(0, RegisterDocumentType("hex", "Brindlex", Program, Program));
  EXPECT_EQ(Command, Read(Hkcr, "Applications\\Brindlex.exe\\shell\\open\\command"));
  for (std::string ext : {"sfr", "hex"}) {
    SCOPED_TRACE(ext);
    EXPECT_EQ(ext + "_auto_file", Read(Hkcr, "." + ext));
    EXPECT_EQ("Brindlex", Read(Hkcr, ext + "_auto_file"));
    EXPECT_EQ(Program, Read(Hkcr, ext + "_auto_file\\DefaultIcon"));
    EXPECT_FALSE(Exists(Hkcr, (ext + "_auto_file\\shell").c_str()));
    EXPECT_EQ("Brindlex.exe", Read(Hkcu, FileExts + ext, "Application"));
  }
}

TEST_F(DocumentTypeRegistry, WriteRegistryValueCreatesMissingParentsAndOverwrites) {
  const char* key = "Software\\Brindlex Test\\one\\two";
  EXPECT_EQ(0, WriteRegistryValue(Hkcu, key, "", REG_SZ, "first", 6));
  EXPECT_EQ(0, WriteRegistryValue(Hkcu, key, "", REG_SZ, "Программа", 10));
  EXPECT_EQ("Программа", Read(Hkcu, key));
  // A key that cannot be created is skipped without complaint.
  HKEY closed;
  ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(Hkcu, key, 0, KEY_ALL_ACCESS, &closed));
  RegCloseKey(closed);
  EXPECT_EQ(0, WriteRegistryValue(closed, "inner", "", REG_SZ, "x", 2));
}
