// The demo payload's own content: the stand-in's licence byte for byte, the demo project's
// pictures and page. A payload folder (BRX_PAYLOAD_DIR) brings other content, so these
// checks run only on the demo payload (the CTest label demo-payload).
#include <gtest/gtest.h>
#include <string.h>

#include <set>
#include <string>

#include "payload/payload.h"
#include "payload/product_version.h"
#include "payload/tests/byte_order.h"
#include "payload/tests/manifest_reader.h"

namespace {

// Line 2 of the licence holds the title: its sizes are those of a title of 14 characters (a
// version of three), moved by the difference.
constexpr int Moved = static_cast<int>(sizeof(BRX_PRODUCT_TITLE) - 1) - 14;

std::string BytesOf(const PayloadEntry& entry) {
  return std::string(reinterpret_cast<const char*>(entry.data), entry.size);
}

// Width and height from a JPEG's start-of-frame segment.
bool ReadJpegSize(const PayloadEntry& entry, int* width, int* height) {
  const uint8_t* p = entry.data;
  if (entry.size < 4 || p[0] != 0xFF || p[1] != 0xD8) return false;
  int32_t at = 2;
  while (at + 9 <= entry.size && p[at] == 0xFF) {
    const uint8_t marker = p[at + 1];
    const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 &&
                       marker != 0xCC;
    if (frame) {
      *height = BigEndian16(p + at + 5);
      *width = BigEndian16(p + at + 7);
      return true;
    }
    at += 2 + BigEndian16(p + at + 2);
  }
  return false;
}

}  // namespace

TEST(DemoPayload, LicenceText) {
  const std::string stars(68, '*');
  const std::string expected =
      stars + "\r\n" +
      "          " BRX_PRODUCT_TITLE " - программатор микроконтроллеров\r\n" +
      stars + "\r\n" +
      "\r\n" +
      std::string(31, ' ') + "ЛИЦЕНЗИОННОЕ СОГЛАШЕНИЕ\r\n" +
      "\r\n"
      "Программа Brindlex распространяется бесплатно и предоставляется \"как есть\", "
      "без каких-либо гарантий. Автор не отвечает за ущерб от её использования.\r\n"
      "Разрешается свободно копировать и распространять программу, если её файлы "
      "передаются без изменений и вместе с этим соглашением.\r\n"
      "\r\n"
      "Устанавливая программу, Вы принимаете все условия этого соглашения.\r\n"
      "\r\n"
      "Ваши вопросы, замечания и пожелания направляйте:\r\n"
      "в форум Автора:          forum.brindlex.example\r\n"
      "или по email:                avtor@brindlex.example\r\n";
  EXPECT_EQ(expected, std::string(LicenceText().text, LicenceText().length));
  EXPECT_EQ(763u + Moved, expected.size());
}

TEST(DemoPayload, LicenceFileIsTheLicenceTextWithItsZeroByte) {
  const PayloadEntry* row = Row(LicenceFileName);
  ASSERT_NE(nullptr, row);
  const PayloadEntry& licence = *row;
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

// The two ".sfr" documents have the same size but are different documents.
TEST(DemoPayload, NoTwoInstalledFilesShareTheirBytes) {
  for (int i = 0; i < PayloadCount; ++i)
    for (int j = i + 1; j < PayloadCount; ++j)
      EXPECT_FALSE(BytesOf(PayloadTable[i]) == BytesOf(PayloadTable[j]))
          << PayloadTable[i].name << " and " << PayloadTable[j].name;
}

TEST(DemoPayload, ProjectPicturesHaveTheirPixelSizes) {
  struct Picture {
    const char* block;
    bool gif;
    int width, height;
  };
  const Picture pictures[] = {
      {"MontagePhoto", false, 160, 160},
      {"BoardPicture", true, 245, 245},
      {"ChannelSchematic", true, 563, 532},
      {"PanelPhoto", false, 160, 153},
      {"Schematic", true, 541, 540},
  };
  for (const Picture& picture : pictures) {
    SCOPED_TRACE(picture.block);
    const PayloadEntry* entry = InstalledRow(picture.block);
    ASSERT_NE(nullptr, entry);
    int width = 0, height = 0;
    if (picture.gif) {
      ASSERT_GE(entry->size, 13);
      EXPECT_EQ(0, memcmp(entry->data, "GIF89a", 6));
      width = Little16(entry->data + 6);
      height = Little16(entry->data + 8);
      EXPECT_EQ(';', entry->data[entry->size - 1]);  // trailer
    } else {
      ASSERT_TRUE(ReadJpegSize(*entry, &width, &height));
      EXPECT_EQ(0xFF, entry->data[entry->size - 2]);  // end-of-image marker
      EXPECT_EQ(0xD9, entry->data[entry->size - 1]);
    }
    EXPECT_EQ(picture.width, width);
    EXPECT_EQ(picture.height, height);
  }
}

TEST(DemoPayload, PageLinksReachTheInstalledFilesAndTheSiteIndex) {
  const PayloadEntry* page = InstalledRow("ProjectPage");
  ASSERT_NE(nullptr, page);
  ASSERT_EQ(ProjectsFolder, page->destination);
  const std::string html(reinterpret_cast<const char*>(page->data), page->size);
  EXPECT_EQ(0u, html.find("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01"));
  EXPECT_NE(std::string::npos, html.find("charset=windows-1251"));

  // The pictures' folder as the page names it: relative to the page's own folder.
  std::string folder = std::string(DestinationSubfolders[ProjectFilesFolder])
                           .substr(strlen(DestinationSubfolders[ProjectsFolder]));
  for (char& c : folder)
    if (c == '\\') c = '/';
  std::set<std::string> linked;
  int indexLinks = 0;
  for (const char* attribute : {"href=\"", "src=\""}) {
    for (size_t at = html.find(attribute); at != std::string::npos; at = html.find(attribute, at + 1)) {
      const size_t start = at + strlen(attribute);
      const std::string target = html.substr(start, html.find('"', start) - start);
      if (target == "index.html") {
        ++indexLinks;
        continue;
      }
      ASSERT_EQ(0u, target.find(folder)) << target;
      const PayloadEntry* file = Row(target.substr(folder.size()));
      ASSERT_NE(nullptr, file) << target;
      EXPECT_EQ(ProjectFilesFolder, file->destination) << target;
      linked.insert(file->name);
    }
  }
  EXPECT_GT(indexLinks, 0);
  std::set<std::string> expected;
  for (const PayloadEntry& entry : PayloadTable)
    if (entry.destination == ProjectFilesFolder) expected.insert(entry.name);
  const PayloadEntry* unlinked = InstalledRow("BoardPicture");  // the one picture the page leaves out
  ASSERT_NE(nullptr, unlinked);
  expected.erase(unlinked->name);
  EXPECT_EQ(expected, linked);
}
