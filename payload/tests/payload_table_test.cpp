// The licence block and the numbers through which the wizard reaches its pictures and icons.
// The table and the block layout are checked against the manifest in payload_manifest_test.
#include <gtest/gtest.h>
#include <string.h>

#include <string>

#include "payload/payload.h"
#include "payload/product_version.h"
#include "payload/tests/manifest_reader.h"

// Whatever the payload: the licence page shows the text that the licence file holds, and
// the file is that text followed by its zero byte. The demo licence's title line has the
// sizes of a title of 14 characters (a version of three), moved by the difference.
TEST(PayloadTable, LicenceFileIsTheLicenceTextWithItsZeroByte) {
  constexpr int Moved = static_cast<int>(sizeof(BRX_PRODUCT_TITLE) - 1) - 14;
  const PayloadEntry* row = Row(LicenceFileName);
  ASSERT_NE(nullptr, row);
  const PayloadEntry& licence = *row;
  ASSERT_EQ(reinterpret_cast<const uint8_t*>(LicenceText().text), licence.data);
  ASSERT_EQ(LicenceText().length + 1, licence.size);
  EXPECT_EQ(0, licence.data[licence.size - 1]);
  EXPECT_EQ(nullptr, memchr(licence.data, 0, size_t(licence.size - 1)));
  if (!DemoPayload()) return;
  ASSERT_EQ(764 + Moved, licence.size);
  EXPECT_EQ(763 + Moved, LicenceText().length);
  EXPECT_EQ(std::string("\r\n", 3), std::string(reinterpret_cast<const char*>(licence.data) + 761 + Moved, 3));

  // Lines 1 to 12 take the first 661 bytes: byte 661 is the first of line 13.
  const std::string head(reinterpret_cast<const char*>(licence.data), 661 + Moved);
  int lines = 0;
  for (size_t at = head.find("\r\n"); at != std::string::npos; at = head.find("\r\n", at + 2)) ++lines;
  EXPECT_EQ(12, lines);
  EXPECT_EQ("\r\n", head.substr(659 + Moved));
  EXPECT_EQ(0u, std::string(LicenceText().text + 661 + Moved).find("в форум Автора:"));
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
