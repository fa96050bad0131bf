// A damaged copy of the program: which block the installation's check names, the pictures
// the wizard leaves out, and texts that are never read past their blocks.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "payload/payload.h"
#include "payload/tests/damaged_byte.h"
#include "payload/tests/manifest_reader.h"
#include "runtime/strings.h"

namespace {

const uint8_t* Middle(const PayloadEntry& entry) { return entry.data + entry.size / 2; }
const uint8_t* Middle(EmbeddedBlock block) { return block.data + block.size / 2; }
const void* Middle(EmbeddedText text) { return text.text + text.length / 2; }

std::string Named(const char* name) { return name ? name : "<none>"; }

}  // namespace

// Installed blocks in extraction order first (the program before the licence, although the
// licence is stored first), then the blocks that are only shown, by the file each was made
// from.
TEST(PayloadIntegrity, TheCheckNamesTheFirstDamagedBlockInTheOrderOfTheInstallation) {
  ASSERT_EQ("<none>", Named(FirstDamagedBlock()));
  const PayloadEntry& program = *Row(ProgramFileName);
  const PayloadEntry& licence = *Row(LicenceFileName);
  const PayloadEntry& fifth = PayloadTable[4];
  const PayloadEntry& last = PayloadTable[PayloadCount - 1];
  struct Case {
    const char* expected;
    std::vector<const void*> damaged;
  };
  const Case cases[] = {
      {"Brindlex.exe", {Middle(program)}},
      {"License.txt", {Middle(licence)}},
      {fifth.name, {Middle(fifth)}},
      {last.name, {Middle(last)}},
      {"Brindlex.exe", {Middle(licence), Middle(program)}},
      {fifth.name, {Middle(last), Middle(fifth)}},
      {"picture0.png", {Middle(EmbeddedPicture(0))}},
      {"icon3.ico", {Middle(EmbeddedIcon(3))}},
      {"welcome.txt", {Middle(WelcomeText())}},
      {"finish.txt", {Middle(FinishText())}},
      {"picture1.png", {Middle(EmbeddedPicture(1)), Middle(FinishText())}},
      {last.name, {Middle(WelcomeText()), Middle(last)}},
  };
  for (const Case& c : cases) {
    std::vector<std::unique_ptr<DamagedByte>> damage;
    for (const void* at : c.damaged) damage.emplace_back(new DamagedByte(at));
    EXPECT_EQ(c.expected, Named(FirstDamagedBlock())) << c.damaged.size() << " damaged, expecting " << c.expected;
  }
  EXPECT_EQ("<none>", Named(FirstDamagedBlock()));
}

TEST(PayloadIntegrity, ADamagedPictureOrIconIsGivenAsNoneOnceChecked) {
  const EmbeddedBlock picture = EmbeddedPicture(1), icon = EmbeddedIcon(2);
  {
    DamagedByte pictureDamage(Middle(picture)), iconDamage(Middle(icon));
    CheckShownPictures();
    EXPECT_EQ(nullptr, EmbeddedPicture(1).data);
    EXPECT_EQ(0, EmbeddedPicture(1).size);
    EXPECT_EQ(nullptr, EmbeddedIcon(2).data);
    // The others are given as ever.
    EXPECT_NE(nullptr, EmbeddedPicture(0).data);
    EXPECT_EQ(icon.size, EmbeddedIcon(3).size);
  }
  CheckShownPictures();
  EXPECT_EQ(picture.data, EmbeddedPicture(1).data);
  EXPECT_EQ(picture.size, EmbeddedPicture(1).size);
  EXPECT_EQ(icon.data, EmbeddedIcon(2).data);
}

// A text whose zero byte is damaged ends at its block's end: the next block's bytes are
// never part of it.
TEST(PayloadIntegrity, ATextIsNeverReadPastItsBlock) {
  const struct {
    const char* name;
    EmbeddedText (*text)();
  } texts[] = {{"welcome", WelcomeText}, {"licence", LicenceText}, {"finish", FinishText}};
  for (const auto& t : texts) {
    SCOPED_TRACE(t.name);
    const EmbeddedText intact = t.text();
    ASSERT_EQ(0, intact.text[intact.length]);
    {
      DamagedByte zero(intact.text + intact.length);
      const EmbeddedText damaged = t.text();
      EXPECT_EQ(intact.text, damaged.text);
      EXPECT_EQ(intact.length + 1, damaged.length);  // the block's size: text and its zero byte
      ScratchText copy;
      StrFromEmbeddedText(damaged, copy.Start());
      EXPECT_EQ(intact.length + 1, copy.Length());
      EXPECT_EQ(std::string(intact.text, intact.length) + char(0x10), copy.Get());
    }
    ScratchText copy;
    StrFromEmbeddedText(t.text(), copy.Start());
    EXPECT_EQ(std::string(intact.text, intact.length), copy.Get());
  }
}
