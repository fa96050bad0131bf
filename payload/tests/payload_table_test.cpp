// The payload table and the layout of the embedded blocks.
#include <gtest/gtest.h>
#include <string.h>
#include <zlib.h>

#include <string>

#include "payload/payload.h"

namespace {

struct ExpectedRow {
  const char* name;
  DestinationClass destination;
  int32_t size;
};

// The installed tree: names exactly as written to disk, in extraction order.
const ExpectedRow ExpectedRows[PayloadCount] = {
    {"Brindlex.exe", DestinationFolder, 371200},
    {"License.txt", DestinationFolder, 764},
    {"Vomar_6k.html", ProjectsFolder, 6720},
    {"vomar6k_montag.jpg", ProjectFilesFolder, 7206},
    {"Vomar6kplata00.gif", ProjectFilesFolder, 6191},
    {"Vomar_6k_bat.gif", ProjectFilesFolder, 20099},
    {"Vomar_6k_bat.sfr", ProjectFilesFolder, 1844},
    {"Vomar_6k_bat_01.sfr", ProjectFilesFolder, 1844},
    {"Vomar_6k_panel.jpg", ProjectFilesFolder, 5249},
    {"Vomar_6k_plata_00.lay", ProjectFilesFolder, 54337},
    {"Vomar_6k_r.gif", ProjectFilesFolder, 26254},
};

const PayloadEntry& Row(const char* name) {
  for (const PayloadEntry& entry : PayloadTable)
    if (strcmp(entry.name, name) == 0) return entry;
  ADD_FAILURE() << "no payload row " << name;
  return PayloadTable[0];
}

}  // namespace

TEST(PayloadTable, RowsHaveTheirNamesFoldersAndSizesInExtractionOrder) {
  int64_t total = 0;
  for (int i = 0; i < PayloadCount; ++i) {
    SCOPED_TRACE(i + 1);
    EXPECT_STREQ(ExpectedRows[i].name, PayloadTable[i].name);
    EXPECT_EQ(ExpectedRows[i].destination, PayloadTable[i].destination);
    EXPECT_EQ(ExpectedRows[i].size, PayloadTable[i].size);
    EXPECT_NE(nullptr, PayloadTable[i].data);
    total += PayloadTable[i].size;
  }
  EXPECT_EQ(501708, total);
}

TEST(PayloadTable, BlocksFollowOneAnotherInStorageOrder) {
  // Texts are reached by their start only: their blocks end one byte after the text.
  auto textEnd = [](const char* text) {
    return reinterpret_cast<const uint8_t*>(text) + strlen(text) + 1;
  };
  const EmbeddedBlock picture0 = EmbeddedPicture(0), picture1 = EmbeddedPicture(1);
  const EmbeddedBlock icon2 = EmbeddedIcon(2), icon3 = EmbeddedIcon(3);
  const uint8_t* starts[] = {
      picture0.data + picture0.size,
      picture1.data + picture1.size,
      textEnd(WelcomeText()),
      PayloadTable[1].data + PayloadTable[1].size,
      icon2.data + icon2.size,
      icon3.data + icon3.size,
      textEnd(FinishText()),
  };
  const uint8_t* expected[] = {
      picture1.data,
      reinterpret_cast<const uint8_t*>(WelcomeText()),
      reinterpret_cast<const uint8_t*>(LicenceText()),
      icon2.data,
      icon3.data,
      reinterpret_cast<const uint8_t*>(FinishText()),
      PayloadTable[0].data,
  };
  for (size_t i = 0; i < sizeof starts / sizeof starts[0]; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(expected[i], starts[i]);
  }
  EXPECT_EQ(PayloadTable[2].data, PayloadTable[0].data + PayloadTable[0].size);
  for (int i = 3; i < PayloadCount; ++i) {
    SCOPED_TRACE(PayloadTable[i].name);
    EXPECT_EQ(PayloadTable[i].data, PayloadTable[i - 1].data + PayloadTable[i - 1].size);
  }
}

TEST(PayloadTable, LicenceFileIsTheLicenceTextWithItsZeroByte) {
  const PayloadEntry& licence = Row("License.txt");
  ASSERT_EQ(reinterpret_cast<const uint8_t*>(LicenceText()), licence.data);
  ASSERT_EQ(764, licence.size);
  EXPECT_EQ(763u, strlen(LicenceText()));
  EXPECT_EQ(std::string("\r\n", 3), std::string(reinterpret_cast<const char*>(licence.data) + 761, 3));

  // Lines 1 to 12 take the first 661 bytes: byte 661 is the first of line 13.
  const std::string head(reinterpret_cast<const char*>(licence.data), 661);
  int lines = 0;
  for (size_t at = head.find("\r\n"); at != std::string::npos; at = head.find("\r\n", at + 2)) ++lines;
  EXPECT_EQ(12, lines);
  EXPECT_EQ("\r\n", head.substr(659));
  EXPECT_EQ(0u, std::string(LicenceText() + 661).find("в форум Автора:"));
}

// The sums are made by the build from the files it embeds; each must be that of the exact
// bytes the program carries, the licence's zero byte and the padded stand-in included.
TEST(PayloadTable, EveryRowCarriesTheCrcOfItsOwnBytes) {
  for (const PayloadEntry& entry : PayloadTable)
    EXPECT_EQ(crc32(0, entry.data, (uInt)entry.size), entry.crc) << entry.name;
}

TEST(PayloadTable, TheTwoSettingsDocumentsHaveOneSizeAndDifferentContent) {
  const PayloadEntry& first = Row("Vomar_6k_bat.sfr");
  const PayloadEntry& second = Row("Vomar_6k_bat_01.sfr");
  ASSERT_EQ(first.size, second.size);
  EXPECT_NE(0, memcmp(first.data, second.data, first.size));
}

TEST(PayloadTable, OnlyTheKnownPictureAndIconNumbersHaveBlocks) {
  for (int number : {-1, 2, 3, 100}) {
    EXPECT_EQ(nullptr, EmbeddedPicture(number).data) << number;
    EXPECT_EQ(0, EmbeddedPicture(number).size) << number;
  }
  for (int number : {-1, 0, 1, 4}) {
    EXPECT_EQ(nullptr, EmbeddedIcon(number).data) << number;
    EXPECT_EQ(0, EmbeddedIcon(number).size) << number;
  }
}
