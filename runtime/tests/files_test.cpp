// Numbered files against real files: the write buffer's flush rule, writes that go straight
// to the file, lines, reuse of a number, failed creation, shut-down, and the report of a
// file that was not written whole.
#include <gtest/gtest.h>
#include <windows.h>
#include <memory>
#include <string>
#include "runtime/files.h"
#include "runtime/tests/test_folder.h"

namespace {

std::string Bytes(size_t count, int seed) {
  std::string data(count, 0);
  for (size_t i = 0; i < count; ++i) data[i] = (char)((i * 7 + seed) % 251);
  return data;
}

int OpenRecords() {
  int count = 0;
  intptr_t number;
  ObjectTableRewind(FileTable);
  while (ObjectTableNext(FileTable, &number))
    if (FileIsOpen(number)) ++count;
  return count;
}

class FilesTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (!FileTable) FilesStart();
    folder.reset(new TestFolder("brx_files"));
  }
  static void TearDownTestSuite() { folder.reset(); }
  void TearDown() override {
    FilesStop();  // every test ends with nothing open
    EXPECT_EQ(0, OpenRecords());
  }
  static std::string Path(const char* name) { return *folder / name; }
  static std::string Read(const char* name) { return TestFolder::Read(Path(name)); }

  static std::unique_ptr<TestFolder> folder;
};
std::unique_ptr<TestFolder> FilesTest::folder;

TEST_F(FilesTest, WriteThatWouldExactlyFillTheBufferWritesItOutFirst) {
  std::string data = Bytes(4096, 1);
  ASSERT_NE(0, FileCreate(1, Path("fill.bin").c_str()));
  EXPECT_EQ(4094, FileWriteData(1, data.data(), 4094));
  EXPECT_EQ(1, FileWriteData(1, data.data() + 4094, 1));  // free room 2: buffered
  EXPECT_EQ("", Read("fill.bin"));
  EXPECT_EQ(1, FileWriteData(1, data.data() + 4095, 1));  // free room 1: written out first
  EXPECT_EQ(data.substr(0, 4095), Read("fill.bin"));
  EXPECT_EQ(1, FileClose(1));
  EXPECT_EQ(data, Read("fill.bin"));
  EXPECT_TRUE(TestFolder::IsClosed(Path("fill.bin")));
  EXPECT_EQ(0, FileIsOpen(1));
}

TEST_F(FilesTest, WritesOfABufferOrMoreGoStraightToTheFileAfterTheBuffer) {
  std::string big = Bytes(10000, 2), small = Bytes(10, 3), exact = Bytes(4096, 4);
  ASSERT_NE(0, FileCreate(2, Path("big.bin").c_str()));
  EXPECT_EQ(10000, FileWriteData(2, big.data(), 10000));
  EXPECT_EQ(big, Read("big.bin"));
  EXPECT_EQ(10, FileWriteData(2, small.data(), 10));
  EXPECT_EQ(big, Read("big.bin"));
  EXPECT_EQ(4096, FileWriteData(2, exact.data(), 4096));
  EXPECT_EQ(big + small + exact, Read("big.bin"));
  EXPECT_EQ(1, FileClose(2));
  EXPECT_EQ(big + small + exact, Read("big.bin"));
}

// A block of several megabytes, as the largest payload files may be, lands whole from one
// call, its pieces in order.
TEST_F(FilesTest, AWriteOfMegabytesLandsWholeFromOneCall) {
  std::string huge = Bytes(3 * 1048576 + 5, 7);
  ASSERT_NE(0, FileCreate(2, Path("huge.bin").c_str()));
  EXPECT_EQ((int32_t)huge.size(), FileWriteData(2, huge.data(), (int32_t)huge.size()));
  EXPECT_EQ(1, FileClose(2));
  EXPECT_TRUE(Read("huge.bin") == huge);
}

TEST_F(FilesTest, LinesAndRejectedWrites) {
  ASSERT_NE(0, FileCreate(3, Path("lines.txt").c_str()));
  EXPECT_EQ(2, FileWriteLine(3, ""));
  EXPECT_EQ(2, FileWriteLine(3, nullptr));
  EXPECT_EQ(8, FileWriteLine(3, "Строка"));
  EXPECT_EQ(0, FileWriteLine(15, "no such file"));
  EXPECT_EQ(0, FileWriteData(3, nullptr, 5));
  EXPECT_EQ(0, FileWriteData(3, "abc", 0));
  EXPECT_EQ(0, FileWriteData(3, "abc", -1));
  EXPECT_EQ(0, FileWriteData(15, "abc", 3));
  std::string expected = "\r\n\r\nСтрока\r\n";
  // Enough short lines to cross the buffer several times.
  for (int i = 0; i < 1000; ++i) {
    std::string line = "line " + std::to_string(i);
    EXPECT_EQ((int32_t)line.size() + 2, FileWriteLine(3, line.c_str()));
    expected += line + "\r\n";
  }
  EXPECT_EQ(1, FileClose(3));
  EXPECT_EQ(expected, Read("lines.txt"));
}

TEST_F(FilesTest, ReusingAnOpenNumberWritesTheFirstFileOutAndClosesIt) {
  ASSERT_NE(0, FileCreate(4, Path("first.txt").c_str()));
  FileWriteData(4, "first", 5);
  ASSERT_NE(0, FileCreate(4, Path("second.txt").c_str()));
  EXPECT_EQ("first", Read("first.txt"));
  EXPECT_TRUE(TestFolder::IsClosed(Path("first.txt")));
  FileWriteData(4, "second", 6);
  EXPECT_EQ(1, FileClose(4));
  EXPECT_EQ("first", Read("first.txt"));
  EXPECT_EQ("second", Read("second.txt"));

  // An existing file is emptied.
  ASSERT_NE(0, FileCreate(4, Path("first.txt").c_str()));
  EXPECT_EQ("", Read("first.txt"));
}

TEST_F(FilesTest, AutoNumberFilesAreSeparateAndAutoNumberItselfClosesNothing) {
  intptr_t a = FileCreate(AutoNumber, Path("auto_a.txt").c_str());
  intptr_t b = FileCreate(AutoNumber, Path("auto_b.txt").c_str());
  ASSERT_NE(0, a);
  ASSERT_NE(0, b);
  EXPECT_NE(a, b);
  EXPECT_NE(0, FileIsOpen(a));
  FileWriteData(a, "A", 1);
  FileWriteData(b, "B", 1);
  EXPECT_EQ(0, FileClose(AutoNumber));
  EXPECT_EQ(2, OpenRecords());
  EXPECT_EQ(1, FileClose(a));
  EXPECT_EQ(0, FileIsOpen(a));
  EXPECT_NE(0, FileIsOpen(b));
  EXPECT_EQ("A", Read("auto_a.txt"));
  EXPECT_EQ(1, FileClose(b));
  EXPECT_EQ("B", Read("auto_b.txt"));
}

TEST_F(FilesTest, CreatingInAMissingFolderFailsAndLeavesNothingOpen) {
  ASSERT_NE(0, FileCreate(5, Path("kept.txt").c_str()));
  FileWriteData(5, "kept", 4);
  EXPECT_EQ(0, FileCreate(5, Path("missing\\x.txt").c_str()));
  EXPECT_EQ("kept", Read("kept.txt"));  // the file under the number was closed first
  EXPECT_EQ(0, FileIsOpen(5));
  EXPECT_EQ(0, FileWriteData(5, "lost", 4));
  EXPECT_EQ(0, FileCreate(AutoNumber, Path("missing\\y.txt").c_str()));
  EXPECT_EQ(0, FileCreate(6, nullptr));
  EXPECT_EQ(0, OpenRecords());
  EXPECT_EQ(nullptr, FileTable->newest);  // no record left behind by the AutoNumber attempt
}

TEST_F(FilesTest, FileThatCannotBeReadIsOpenedForWritingOnly) {
  folder->MakeFile("shared.txt", "old contents");
  // Another holder lets others write the file but not read it.
  HANDLE holder = CreateFileA(Path("shared.txt").c_str(), GENERIC_READ, FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, holder);
  ASSERT_NE(0, FileCreate(7, Path("shared.txt").c_str()));
  FileWriteData(7, "new", 3);
  EXPECT_EQ(1, FileClose(7));
  CloseHandle(holder);
  EXPECT_EQ("new", Read("shared.txt"));

  // Held without any sharing: both attempts fail.
  holder = CreateFileA(Path("shared.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0,
                       nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, holder);
  EXPECT_EQ(0, FileCreate(7, Path("shared.txt").c_str()));
  EXPECT_EQ(0, FileIsOpen(7));
  CloseHandle(holder);
  EXPECT_EQ("new", Read("shared.txt"));
}

TEST_F(FilesTest, StopWritesOutAndClosesEveryFile) {
  ASSERT_NE(0, FileCreate(8, Path("stop_fixed.txt").c_str()));
  intptr_t automatic = FileCreate(AutoNumber, Path("stop_auto.txt").c_str());
  ASSERT_NE(0, automatic);
  FileWriteLine(8, "fixed");
  FileWriteLine(automatic, "automatic");
  EXPECT_EQ("", Read("stop_fixed.txt"));
  FilesStop();
  EXPECT_EQ("fixed\r\n", Read("stop_fixed.txt"));
  EXPECT_EQ("automatic\r\n", Read("stop_auto.txt"));
  EXPECT_TRUE(TestFolder::IsClosed(Path("stop_fixed.txt")));
  EXPECT_TRUE(TestFolder::IsClosed(Path("stop_auto.txt")));
  EXPECT_EQ(0, FileIsOpen(8));
  EXPECT_EQ(0, FileIsOpen(automatic));
  EXPECT_EQ(nullptr, FileTable->newest);
}

// What stands where a file is to be written: a hidden or system file is rewritten and
// becomes a plain one; a read-only file, a second name of a file elsewhere (a hard link)
// or a folder is refused, before anything is emptied.
TEST_F(FilesTest, OnlyTheFileItselfIsEmptiedAndRewritten) {
  const DWORD Marks = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY;
  const struct {
    const char* name;
    DWORD attributes;  // given to the old file
    bool hardLinked;
    bool rewritten;
  } cases[] = {
      {"plain.txt", FILE_ATTRIBUTE_NORMAL, false, true},
      {"hidden.txt", FILE_ATTRIBUTE_HIDDEN, false, true},
      {"system.txt", FILE_ATTRIBUTE_SYSTEM, false, true},
      {"both.txt", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE, false, true},
      {"readonly.txt", FILE_ATTRIBUTE_READONLY, false, false},
      {"hidden-readonly.txt", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN, false, false},
      {"linked.txt", FILE_ATTRIBUTE_NORMAL, true, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = Path(c.name), other = Path("other-name-of-") + c.name;
    folder->MakeFile(c.name, "old contents, longer than the new");
    if (c.hardLinked) {
      ASSERT_TRUE(CreateHardLinkA(other.c_str(), path.c_str(), nullptr));
    }
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), c.attributes));
    intptr_t created = FileCreate(10, path.c_str());
    if (created) {
      FileWriteData(10, "new", 3);
      FileClose(10);
    }
    DWORD attributes = GetFileAttributesA(path.c_str());
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (c.rewritten) {
      EXPECT_NE(0, created);
      EXPECT_EQ("new", Read(c.name));
      EXPECT_EQ(0u, attributes & Marks);
    } else {
      EXPECT_EQ(0, created);
      EXPECT_EQ(0, FileIsOpen(10));
      EXPECT_EQ("old contents, longer than the new", Read(c.name));
      EXPECT_EQ(c.attributes & Marks, attributes & Marks);
    }
    if (c.hardLinked) {
      EXPECT_EQ("old contents, longer than the new", TestFolder::Read(other));
    }
  }
  folder->MakeFolder("a folder");
  EXPECT_EQ(0, FileCreate(10, Path("a folder").c_str()));
}

// A device that refuses every write: the bytes a buffered write accepted are lost when the
// buffer is written out, and only FileClose can tell.
TEST_F(FilesTest, CloseReportsAFileThatWasNotWrittenWhole) {
  const char* full = "Z:\\dev\\full";
  ASSERT_NE(0, FileCreate(9, full)) << "the test needs Wine's Z: drive";
  EXPECT_EQ(100, FileWriteData(9, Bytes(100, 5).data(), 100));
  EXPECT_EQ(0, FileClose(9));
  EXPECT_EQ(0, FileIsOpen(9));

  ASSERT_NE(0, FileCreate(9, full));
  EXPECT_GT(10000, FileWriteData(9, Bytes(10000, 6).data(), 10000));
  EXPECT_EQ(0, FileClose(9));

  // A large block written in pieces reports it too when they are refused.
  ASSERT_NE(0, FileCreate(9, full));
  EXPECT_GT(2 * 1048576 + 1, FileWriteData(9, Bytes(2 * 1048576 + 1, 8).data(), 2 * 1048576 + 1));
  EXPECT_EQ(0, FileClose(9));

  EXPECT_EQ(0, FileClose(9));  // nothing open under the number any more
}

}  // namespace
