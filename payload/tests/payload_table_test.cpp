// The licence block and the numbers through which the wizard reaches its pictures and icons.
// The table and the block layout are checked against the manifest in payload_manifest_test.
#include <gtest/gtest.h>
#include <string.h>

#include <string>

#include "payload/payload.h"
#include "payload/tests/manifest_reader.h"

// Whatever the payload: the licence page shows the text that the licence file holds, and
// the file is that text followed by its zero byte.
TEST(PayloadTable, LicenceFileIsTheLicenceTextWithItsZeroByte) {
  const PayloadEntry* row = Row(LicenceFileName);
  ASSERT_NE(nullptr, row);
  const PayloadEntry& licence = *row;
  ASSERT_EQ(reinterpret_cast<const uint8_t*>(LicenceText().text), licence.data);
  ASSERT_EQ(LicenceText().length + 1, licence.size);
  EXPECT_EQ(0, licence.data[licence.size - 1]);
  EXPECT_EQ(nullptr, memchr(licence.data, 0, size_t(licence.size - 1)));
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
