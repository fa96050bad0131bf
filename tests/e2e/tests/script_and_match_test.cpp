// The parts of the driver that decide what a scenario means and whether a text matches:
// a fault here would let a scenario pass while the program is wrong.
#include <gtest/gtest.h>
#include <windows.h>

#include "tests/e2e/driver/script.h"
#include "tests/e2e/driver/text_match.h"

namespace {

std::vector<std::string> Split(const std::string& line) {
  std::vector<std::string> words;
  EXPECT_TRUE(SplitLine(line, &words)) << line;
  return words;
}

TEST(ScenarioLine, QuotedTextsKeepBackslashesAndDoubledQuotes) {
  using Words = std::vector<std::string>;
  EXPECT_EQ(Split("expect-text 43 \"C:\\Program Files\\Brindlex\\\""),
            (Words{"expect-text", "43", "C:\\Program Files\\Brindlex\\"}));
  EXPECT_EQ(Split("expect-text 12 \"a \"\"PageUp\"\" b\" x"), (Words{"expect-text", "12", "a \"PageUp\" b", "x"}));
  EXPECT_EQ(Split("t \"one\\r\\ntwo\\n\""), (Words{"t", "one\r\ntwo\n"}));
  EXPECT_EQ(Split("t \"\"  \t end"), (Words{"t", "", "end"}));
  EXPECT_EQ(Split("t \"C:\\Apps\\\\r\""), (Words{"t", "C:\\Apps\\\r"}));
  std::vector<std::string> words;
  EXPECT_FALSE(SplitLine("t \"open", &words));
  EXPECT_FALSE(SplitLine("t \"ends in a doubled quote\"\"", &words));
}

TEST(ScenarioLine, Utf8BecomesWindows1251AndBack) {
  std::string cp1251;
  // u8 literals stay UTF-8 although the other literals here are Windows-1251.
  ASSERT_TRUE(Utf8ToCp1251(u8"Пуск «Ёё» №", &cp1251));
  EXPECT_EQ(cp1251, "\xCF\xF3\xF1\xEA \xAB\xA8\xB8\xBB \xB9");
  EXPECT_EQ(Cp1251ToUtf8(cp1251), u8"Пуск «Ёё» №");
  const char* noWindows1251Form = u8"日本";
  EXPECT_FALSE(Utf8ToCp1251(noWindows1251Form, &cp1251)) << "a character without a Windows-1251 form is refused";
  EXPECT_FALSE(Utf8ToCp1251("\xC3", &cp1251)) << "broken UTF-8 is refused";
}

TEST(TextMatch, PlainTextMustBeExact) {
  EXPECT_TRUE(TextMatches("Далее >", "Далее >"));
  EXPECT_FALSE(TextMatches("Далее >", "Далее > "));
  EXPECT_FALSE(TextMatches("Далее >", "Далее"));
  EXPECT_TRUE(TextMatches("", ""));
  EXPECT_FALSE(TextMatches("", "x"));
}

TEST(TextMatch, Placeholders) {
  EXPECT_TRUE(TextMatches("a{any}b", "ab"));
  EXPECT_TRUE(TextMatches("a{any}b", "a-x-b"));
  EXPECT_FALSE(TextMatches("a{any}b", "a-x-bc"));
  EXPECT_TRUE(TextMatches("n={number} Мб", "n=70512 Мб"));
  EXPECT_FALSE(TextMatches("n={number} Мб", "n= Мб"));
  EXPECT_FALSE(TextMatches("n={number} Мб", "n=12a Мб"));
  EXPECT_TRUE(TextMatches("{unknown}", "{unknown}")) << "an unknown placeholder is plain text";
}

TEST(TextMatch, FreeMegabytesOfTheNamedDriveWithinTheMargin) {
  char buffer[MAX_PATH];
  GetWindowsDirectoryA(buffer, MAX_PATH);
  std::string drive(buffer, 2);
  long long free = FreeMegabytes(drive);
  ASSERT_GE(free, 0);
  std::string pattern = "Доступно на диске  {free-mb " + drive + "} Мб";
  EXPECT_TRUE(TextMatches(pattern, "Доступно на диске  " + std::to_string(free) + " Мб"));
  EXPECT_TRUE(TextMatches(pattern, "Доступно на диске  " + std::to_string(free + 100) + " Мб"));
  EXPECT_FALSE(TextMatches(pattern, "Доступно на диске  " + std::to_string(free + 100000) + " Мб"));
  if (free > 1000) EXPECT_FALSE(TextMatches(pattern, "Доступно на диске  0 Мб"));
  EXPECT_FALSE(TextMatches("{free-mb Q:}", "0")) << "a drive that does not exist matches nothing";
}

}  // namespace
