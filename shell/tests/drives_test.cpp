#include "shell/drives.h"

#include <gtest/gtest.h>

#include "runtime/strings.h"

TEST(DriveFreeMegabytes, CountsWholeMegabytesRoundedDown) {
  const struct { uint64_t bytes; int32_t megabytes; } cases[] = {
      {0, 0},
      {1048575, 0},
      {1048576, 1},
      {5ull << 30, 5120},
      {(2147483647ull << 20) + 1048575, 2147483647},
      // Beyond the 32-bit range the count stays at its largest value rather than wrapping
      // to a small or negative one that would read as a nearly full drive.
      {2147483648ull << 20, 2147483647},
      {(4294967296ull << 20) + (5ull << 20), 2147483647},
  };
  for (const auto& c : cases) EXPECT_EQ(c.megabytes, MegabytesFromBytes(c.bytes)) << c.bytes;
}

TEST(DriveFreeMegabytes, AsksTheDriveAndGivesZeroWhenItCannotBeQueried) {
  EXPECT_GT(DriveFreeMegabytes("C:"), 0);
  EXPECT_EQ(0, DriveFreeMegabytes("Q:"));  // no such drive in the test prefix
}

TEST(PathDriveType, TheLettersCaseDoesNotMatter) {
  const struct { const char* path; int32_t number; } cases[] = {
      {"a:", 0}, {"A:\\x", 0}, {"c:", 2}, {"C:", 2}, {"z", 25}, {"Z:\\", 25},
      {"\\\\server\\share", '\\' - 'A'}, {"", -65}, {nullptr, -65},
  };
  for (const auto& c : cases) EXPECT_EQ(c.number, PathDriveNumber(c.path)) << (c.path ? c.path : "null");
}

TEST(PathDriveType, ReportsTheShellsTypeCodeAndLeavesTheScratchBufferAsItWas) {
  int32_t mark = ScratchMark();
  EXPECT_EQ(DRIVE_FIXED, PathDriveType("c:"));
  EXPECT_EQ(DRIVE_FIXED, PathDriveType("C:"));
  EXPECT_EQ(DRIVE_NO_ROOT_DIR, PathDriveType("q:"));
  EXPECT_EQ(mark, ScratchMark());
}
