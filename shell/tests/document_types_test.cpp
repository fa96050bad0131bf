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

const HKEY Hkcu = HKEY_CURRENT_USER, Hklm = HKEY_LOCAL_MACHINE;
const char Classes[] = "Software\\Classes\\";
const char Program[] = "C:\\Program Files\\Brindlex Test\\Brindlex.exe";
const char Command[] = "\"C:\\Program Files\\Brindlex Test\\Brindlex.exe\" \"%1\"";
const char FileExts[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\.";

}  // namespace

// The rows each layout writes, in order, with the root key of each: on both families the
// classes are the machine's own, never HKEY_CLASSES_ROOT, whose writes may land in the
// user's classes; only the program's name for the extension (NT) is the user's.
TEST(DocumentTypeRows, EachLayoutWritesItsRowsInTheMachinesClasses) {
  const std::string nt = Classes;
  const Row ntCommand = {Hklm, nt + "Applications\\Brindlex.exe\\shell\\open\\command", "", Command};
  const Row ntUserChoice = {Hkcu, std::string(FileExts) + "sfr", "Application", "Brindlex.exe"};
  const Row ntExtension = {Hklm, nt + ".sfr", "", "sfr_auto_file"};
  const Row ntType = {Hklm, nt + "sfr_auto_file", "", "Brindlex"};
  const Row win9xExtension = {Hklm, nt + ".sfr", "", "Brindlex.exe"};
  const Row win9xType = {Hklm, nt + "Brindlex.exe", "", "Brindlex"};
  const Row win9xIcon = {Hklm, nt + "Brindlex.exe\\DefaultIcon", "", Program};
  const Row win9xCommand = {Hklm, nt + "Brindlex.exe\\shell\\open\\command", "", Command};
  const struct {
    const char* what;
    int32_t ntLayout;
    const char *description, *icon;
    std::vector<Row> rows;
  } cases[] = {
      {"NT", 1, "Brindlex", Program,
       {ntCommand, ntExtension, ntType, {Hklm, nt + "sfr_auto_file\\DefaultIcon", "", Program}, ntUserChoice}},
      // Without a description neither the extension key nor the type key is touched.
      {"NT, no description", 1, "", Program, {ntCommand, ntUserChoice}},
      {"NT, no icon", 1, "Brindlex", "", {ntCommand, ntExtension, ntType, ntUserChoice}},
      {"95/98/ME", 0, "Brindlex", Program, {win9xExtension, win9xType, win9xIcon, win9xCommand}},
      // There the icon row does not depend on the description.
      {"95/98/ME, no description", 0, "", Program, {win9xExtension, win9xIcon, win9xCommand}},
      {"95/98/ME, no icon", 0, "Brindlex", "", {win9xExtension, win9xType, win9xCommand}},
  };
  for (const auto& c : cases) EXPECT_EQ(c.rows, Rows(c.ntLayout, "sfr", c.description, Program, c.icon)) << c.what;
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
    for (const char* key : {".sfr", ".hex", "sfr_auto_file", "hex_auto_file", "Applications\\Brindlex.exe"}) {
      RegDeleteTreeA(Hklm, (Classes + std::string(key)).c_str());
      RegDeleteTreeA(Hkcu, (Classes + std::string(key)).c_str());
    }
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

// The user's own classes, such as a key Explorer's "Open with" made, are left as they are.
TEST_F(DocumentTypeRegistry, NtLayoutForBothExtensions) {
  const std::string classes = Classes;
  const std::string usersOwn = classes + ".sfr";
  ASSERT_EQ(0, WriteRegistryValue(Hkcu, usersOwn.c_str(), "", REG_SZ, "users_own_file", 15));
  EXPECT_EQ(0, RegisterDocumentType("sfr", "Brindlex", Program, Program));
  EXPECT_EQ(0, RegisterDocumentType("hex", "Brindlex", Program, Program));
  EXPECT_EQ(1, AnnounceDocumentTypes()) << "the shell's call is looked up and made";
  EXPECT_EQ(Command, Read(Hklm, classes + "Applications\\Brindlex.exe\\shell\\open\\command"));
  for (std::string ext : {"sfr", "hex"}) {
    SCOPED_TRACE(ext);
    EXPECT_EQ(ext + "_auto_file", Read(Hklm, classes + "." + ext));
    EXPECT_EQ("Brindlex", Read(Hklm, classes + ext + "_auto_file"));
    EXPECT_EQ(Program, Read(Hklm, classes + ext + "_auto_file\\DefaultIcon"));
    EXPECT_FALSE(Exists(Hklm, (classes + ext + "_auto_file\\shell").c_str()));
    EXPECT_EQ("Brindlex.exe", Read(Hkcu, FileExts + ext, "Application"));
  }
  EXPECT_EQ("users_own_file", Read(Hkcu, usersOwn));
  EXPECT_FALSE(Exists(Hkcu, (classes + ".hex").c_str()));
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
