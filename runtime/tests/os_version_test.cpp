// The version code for every row of the version table.
#include <gtest/gtest.h>
#include "runtime/services.h"

namespace {

struct VersionRow {
  DWORD platform, major, minor;
  int extended;  // -1: extended query fails, else the product type it reports
  int code;
};

const VersionRow Rows[] = {
    {VER_PLATFORM_WIN32_WINDOWS, 4, 0, -1, 10},   // 95
    {VER_PLATFORM_WIN32_WINDOWS, 4, 10, -1, 30},  // 98
    {VER_PLATFORM_WIN32_WINDOWS, 4, 90, -1, 40},  // ME
    {VER_PLATFORM_WIN32_WINDOWS, 4, 3, -1, 100},
    {VER_PLATFORM_WIN32_NT, 3, 51, -1, 5},
    {VER_PLATFORM_WIN32_NT, 4, 0, -1, 20},
    {VER_PLATFORM_WIN32_NT, 5, 0, -1, 50},
    {VER_PLATFORM_WIN32_NT, 5, 1, -1, 60},
    {VER_PLATFORM_WIN32_NT, 5, 2, -1, 65},
    {VER_PLATFORM_WIN32_NT, 5, 3, -1, 100},
    {VER_PLATFORM_WIN32_NT, 6, 1, VER_NT_WORKSTATION, 70},
    {VER_PLATFORM_WIN32_NT, 6, 1, VER_NT_SERVER, 75},
    {VER_PLATFORM_WIN32_NT, 6, 0, VER_NT_DOMAIN_CONTROLLER, 75},
    {VER_PLATFORM_WIN32_NT, 6, 2, -1, 70},  // extended query failed
    {VER_PLATFORM_WIN32_NT, 10, 0, VER_NT_WORKSTATION, 100},
    {VER_PLATFORM_WIN32s, 3, 1, -1, 100},
};

TEST(OsVersion, EveryRowOfTheVersionTable) {
  for (const VersionRow& row : Rows) {
    OSVERSIONINFOA plain = {};
    plain.dwOSVersionInfoSize = sizeof(plain);
    plain.dwPlatformId = row.platform;
    plain.dwMajorVersion = row.major;
    plain.dwMinorVersion = row.minor;
    OSVERSIONINFOEXA extended = {};
    extended.dwOSVersionInfoSize = sizeof(extended);
    extended.wProductType = (BYTE)row.extended;
    EXPECT_EQ(row.code, OsVersionFromRecords(&plain, row.extended < 0 ? nullptr : &extended))
        << row.platform << " " << row.major << "." << row.minor;
  }
  EXPECT_EQ(100, OsVersionFromRecords(nullptr, nullptr));
}

TEST(OsVersion, RecordSizesAreThoseTheSystemExpects) {
  EXPECT_EQ(148u, sizeof(OSVERSIONINFOA));
  EXPECT_EQ(156u, sizeof(OSVERSIONINFOEXA));
  int code = OsVersion();
  EXPECT_NE(0, code);
}

TEST(ColorRgb, AddsComponentsWithoutMasking) {
  EXPECT_EQ(0x969696, ColorRgb(150, 150, 150));
  EXPECT_EQ(0xDCDCDC, ColorRgb(220, 220, 220));
  EXPECT_EQ(256, ColorRgb(0, 1, 0));
  EXPECT_EQ(256, ColorRgb(256, 0, 0));  // no masking: red overflows into green
}

}  // namespace
