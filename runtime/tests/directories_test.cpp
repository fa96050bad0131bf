// Directory listings against real folders: search paths, entries and their types, empty
// and failed listings, and the refusal of a path that does not fit.
#include <gtest/gtest.h>
#include <windows.h>
#include <map>
#include <memory>
#include <set>
#include <string>
#include "runtime/directories.h"
#include "runtime/strings.h"
#include "runtime/tests/test_folder.h"

namespace {

typedef std::map<std::string, int> Entries;  // name -> entry type

// Walks a listing to its end the documented way, reading each name by the string convention.
Entries Walk(intptr_t number) {
  Entries entries;
  while (DirNext(number)) {
    int32_t mark = ScratchMark();
    DirEntryName(number, mark);
    std::string name = ScratchAt(mark);
    EXPECT_EQ(mark + (int32_t)name.size(), ScratchMark());
    ScratchRewind(mark);
    entries[name] = DirEntryType(number);
  }
  return entries;
}

std::string SearchPath(const char* directory, const char* pattern) {
  char path[MAX_PATH];
  return DirSearchPath(directory, pattern, path) ? path : "<refused>";
}

int Listings() {
  if (!DirTable) return 0;
  int count = 0;
  intptr_t number;
  ObjectTableRewind(DirTable);
  while (ObjectTableNext(DirTable, &number)) ++count;
  return count;
}

class DirectoriesTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    folder.reset(new TestFolder("brx_dirs"));
    folder->MakeFolder("sub");
    folder->MakeFile("readme.txt", "text");
    folder->MakeFile("файл.txt");
    folder->MakeFile("data.bin");
  }
  static void TearDownTestSuite() { folder.reset(); }
  void TearDown() override {
    for (int number = 0; number < 4; ++number) DirFinish(number);
    EXPECT_EQ(0, Listings());  // every test finishes what it started
  }
  static std::unique_ptr<TestFolder> folder;
};
std::unique_ptr<TestFolder> DirectoriesTest::folder;

TEST_F(DirectoriesTest, SearchPathJoinsDirectoryAndPatternWithOneBackslash) {
  EXPECT_EQ("C:\\*.*", SearchPath("C:", nullptr));
  EXPECT_EQ("C:\\*.*", SearchPath("C:\\", ""));
  EXPECT_EQ("C:\\Dir\\*.lnk", SearchPath("C:\\Dir", "*.lnk"));
  EXPECT_EQ("*.*", SearchPath(nullptr, nullptr));
  EXPECT_EQ("x", SearchPath("", "x"));

  std::string directory(255, 'd');  // 255 + "\" + "*.*" = 259 bytes and a terminator
  EXPECT_EQ(directory + "\\*.*", SearchPath(directory.c_str(), nullptr));
  directory += 'd';
  EXPECT_EQ("<refused>", SearchPath(directory.c_str(), nullptr));
  EXPECT_EQ("<refused>", SearchPath("C:\\", std::string(300, 'p').c_str()));
}

TEST_F(DirectoriesTest, ListsEveryEntryWithItsTypeDotsIncluded) {
  ASSERT_NE(0, DirExamine(0, folder->Path().c_str(), nullptr));
  Entries expected = {{".", 2}, {"..", 2}, {"sub", 2}, {"readme.txt", 1},
                      {"файл.txt", 1}, {"data.bin", 1}};
  EXPECT_EQ(expected, Walk(0));
  EXPECT_EQ(0, DirNext(0));  // stays exhausted

  // The same folder without its trailing backslash, with a pattern.
  std::string path = folder->Path();
  path.pop_back();
  ASSERT_NE(0, DirExamine(1, path.c_str(), "*.txt"));
  EXPECT_EQ((Entries{{"readme.txt", 1}, {"файл.txt", 1}}), Walk(1));
}

TEST_F(DirectoriesTest, DriveWithAndWithoutBackslashListsItsRoot) {
  ASSERT_NE(0, DirExamine(0, "C:", nullptr));
  Entries bare = Walk(0);
  ASSERT_NE(0, DirExamine(0, "C:\\", ""));
  EXPECT_EQ(bare, Walk(0));
  ASSERT_TRUE(bare.count("windows")) << "C: root without its windows folder";
  EXPECT_EQ(2, bare["windows"]);
}

TEST_F(DirectoriesTest, NoMatchGivesAnEmptyListing) {
  intptr_t automatic = DirExamine(AutoNumber, folder->Path().c_str(), "*.nothing");
  ASSERT_NE(0, automatic);
  EXPECT_EQ(0, DirNext(automatic));
  int32_t mark = ScratchMark();
  DirEntryName(automatic, mark);
  EXPECT_STREQ("", ScratchAt(mark));
  EXPECT_EQ(mark, ScratchMark());
  DirFinish(automatic);
}

TEST_F(DirectoriesTest, MissingFolderFailsAndFreesTheNumber) {
  ASSERT_NE(0, DirExamine(2, folder->Path().c_str(), nullptr));
  EXPECT_EQ(0, DirExamine(2, (*folder / "missing").c_str(), nullptr));
  EXPECT_EQ(0, DirNext(2));
  EXPECT_EQ(0, DirEntryType(2));
  int32_t mark = ScratchMark();
  DirEntryName(2, mark);
  EXPECT_STREQ("", ScratchAt(mark));
  EXPECT_EQ(0, DirExamine(AutoNumber, (*folder / "missing").c_str(), nullptr));
  EXPECT_EQ(0, Listings());
}

TEST_F(DirectoriesTest, OverLongPathIsRefusedWithNothingLeftOpen) {
  std::string directory = folder->Path() + std::string(300, 'x');
  ASSERT_NE(0, DirExamine(3, folder->Path().c_str(), nullptr));
  EXPECT_EQ(0, DirExamine(3, directory.c_str(), nullptr));
  EXPECT_EQ(0, DirNext(3));
  EXPECT_EQ(0, DirExamine(AutoNumber, directory.c_str(), "*.*"));
  EXPECT_EQ(0, DirExamine(20, "C:\\", std::string(4000, '?').c_str()));
  EXPECT_EQ(0, Listings());
}

// Windows NT gives names through the W functions: one that the process's code page
// (Windows-1251 here) holds comes exactly, one it lacks comes empty, never with "?" or a
// look-alike letter in it.
TEST_F(DirectoriesTest, ANameTheCodePageCannotHoldExactlyComesEmpty) {
  TestFolder wide("brx_dirs_wide");
  wchar_t base[MAX_PATH];
  ASSERT_NE(0, MultiByteToWideChar(CP_ACP, 0, wide.Path().c_str(), -1, base, MAX_PATH));
  const std::wstring names[] = {L"Zubehör", L"café", L"Программы", L"«x» № €"};
  for (const std::wstring& name : names) ASSERT_TRUE(CreateDirectoryW((base + name).c_str(), nullptr));

  ASSERT_NE(0, DirExamine(0, wide.Path().c_str(), nullptr));
  std::multiset<std::string> seen;
  while (DirNext(0)) {
    int32_t mark = ScratchMark();
    DirEntryName(0, mark);
    seen.insert(ScratchAt(mark));
    ScratchRewind(mark);
  }
  for (const std::wstring& name : names) RemoveDirectoryW((base + name).c_str());
  EXPECT_EQ((std::multiset<std::string>{".", "..", "Программы", "«x» № €", "", ""}), seen);
}

}  // namespace
