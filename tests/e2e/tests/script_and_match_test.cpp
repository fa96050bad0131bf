// The parts of the driver that decide what a scenario means and whether a text matches:
// a fault here would let a scenario pass while the program is wrong.
#include <gtest/gtest.h>
#include <stdio.h>
#include <windows.h>

#include "payload/manifest.h"
#include "payload/product_version.h"
#include "tests/e2e/driver/gadget_names.h"
#include "tests/e2e/driver/harness_lines.h"
#include "tests/e2e/driver/script.h"
#include "tests/e2e/driver/text_match.h"
#include "wizard/gadgets.h"

namespace {

using Words = std::vector<std::string>;

struct LineCase {
  const char* line;
  Words words;        // when the line is sound
  const char* error;  // part of the reason when it is not
};

// Backslashes are always themselves, so every Windows path is written as it is; line breaks
// have marks that no path can hold.
const LineCase LineCases[] = {
    {"click BtnNext", {"click", "BtnNext"}, nullptr},
    {"expect-hidden 0 PnlLicence\t 23 ", {"expect-hidden", "0", "PnlLicence", "23"}, nullptr},
    {"type 43 \"C:\\new\"", {"type", "43", "C:\\new"}, nullptr},
    {"t \"C:\\Program Files\\Brindlex\\\"", {"t", "C:\\Program Files\\Brindlex\\"}, nullptr},
    {"t \"C:\\Apps\\r\\n\\\\x\"", {"t", "C:\\Apps\\r\\n\\\\x"}, nullptr},
    {"t \"a \"\"PageUp\"\" b\" x", {"t", "a \"PageUp\" b", "x"}, nullptr},
    {"t \"one<CR><LF>two<LF>\"", {"t", "one\r\ntwo\n"}, nullptr},
    {"t \"C:\\Brindlex\\<CR><LF>next\"", {"t", "C:\\Brindlex\\\r\nnext"}, nullptr},
    {"t \"C:\\Brind<LF>lex\\\"", {"t", "C:\\Brind\nlex\\"}, nullptr},
    {"t \": * ? \"\" < > |\"", {"t", ": * ? \" < > |"}, nullptr},
    {"t \"<cr><lf> <CR <LF\"", {"t", "<cr><lf> <CR <LF"}, nullptr},
    {"t \"\"  \t end\r", {"t", "", "end"}, nullptr},
    {"menu=Group\\Brindlex <LF>", {"menu=Group\\Brindlex", "<LF>"}, nullptr},
    {"", {}, nullptr},
    {"t \"open", {}, "unterminated"},
    {"t \"ends in a doubled quote\"\"", {}, "unterminated"},
    {"t \"a\"b", {}, "followed by a blank"},
    {"t \"a\"\"\"b", {}, "followed by a blank"},
};

TEST(ScenarioLine, SplitsAsTheRulesSay) {
  for (const LineCase& c : LineCases) {
    Words words;
    std::string error;
    bool sound = SplitLine(c.line, &words, &error);
    if (c.error) {
      EXPECT_FALSE(sound) << c.line;
      EXPECT_NE(error.find(c.error), std::string::npos) << c.line << ": " << error;
    } else {
      EXPECT_TRUE(sound) << c.line << ": " << error;
      EXPECT_EQ(words, c.words) << c.line;
    }
  }
}

// The driver logs texts as a scenario would write them: a logged text pasted into a
// scenario must mean the same text again.
TEST(ScenarioLine, QuotedTextsReadBackUnchanged) {
  for (const char* text : {"C:\\new\\", "a \"b\"", "x\r\ny\n", "", "< > |", "\"\""}) {
    Words words;
    std::string error;
    ASSERT_TRUE(SplitLine("t " + Quoted(text), &words, &error)) << Quoted(text);
    EXPECT_EQ(words, (Words{"t", text})) << Quoted(text);
  }
}

// A word that is read as a number: whether it is one, and which.
struct NumberCase {
  const char* word;
  bool sound;
  long value;
};

void ExpectNumbers(bool (*read)(const std::string&, long*), const std::vector<NumberCase>& cases) {
  for (const NumberCase& c : cases) {
    long value = -999;
    EXPECT_EQ(read(c.word, &value), c.sound) << c.word;
    if (c.sound) {
      EXPECT_EQ(value, c.value) << c.word;
    }
  }
}

TEST(ScenarioLine, NumbersAreDecimalOrHexadecimal) {
  ExpectNumbers(ParseNumber, {
      {"22", true, 22},    {"0x16", true, 22}, {"0XbE", true, 190}, {"010", true, 10},   {"-5", true, -5},
      {"0", true, 0},      {"", false, 0},     {"0x", false, 0},    {"22a", false, 0},   {" 22", false, 0},
      {"+5", false, 0},    {"0x-5", false, 0}, {"-", false, 0},     {"BtnNext", false, 0},
  });
}

TEST(ScenarioLine, ControlsByNumberOrByTheWizardsGadgetNames) {
  ExpectNumbers(ControlNumber, {
      {"BtnNext", true, BtnNext},  {"PnlWelcome", true, PnlWelcome}, {"PrgInstall", true, PrgInstall},
      {"FldDestination", true, FldDestination}, {"22", true, 22}, {"101", true, 101},
      {"btnnext", false, 0},       {"BtnNex", false, 0},             {"BtnNext,", false, 0},
      {"WizardWindow", false, 0},  {"", false, 0},
  });
  // Every name found leads back to its own number: no name is taken twice or mismatched.
  int named = 0;
  for (long number = 0; number < 256; ++number) {
    std::string name = GadgetName(number);
    if (name.empty()) continue;
    ++named;
    long back = -1;
    EXPECT_TRUE(ControlNumber(name, &back) && back == number) << name;
  }
  EXPECT_GE(named, 40);
  EXPECT_EQ(ControlLabel(BtnNext), "BtnNext (22)");
  EXPECT_EQ(ControlLabel(101), "101");
}

// A scenario and its fragments, written to a temporary folder.
class ScenarioFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    folder_ = std::string(temp) + "brx-scenario-test-" + std::to_string(GetCurrentProcessId()) + "\\";
    CreateDirectoryA(folder_.c_str(), nullptr);
  }
  void TearDown() override {
    for (const std::string& file : written_) DeleteFileA(file.c_str());
    RemoveDirectoryA(folder_.c_str());
  }
  std::string Write(const std::string& name, const std::string& text) {
    std::string path = folder_ + name;
    FILE* file = fopen(path.c_str(), "wb");
    fwrite(text.data(), 1, text.size(), file);
    fclose(file);
    written_.push_back(path);
    return path;
  }
  std::string folder_;
  std::vector<std::string> written_;
};

TEST_F(ScenarioFiles, HarnessLinesReachTheHarnessWordForWord) {
  Write("page.inc", "expect-visible BtnNext\n");
  std::string scenario = Write("s.scn",
                               "prepare drive d: hd\n"
                               "# a comment\r\n"
                               "include page.inc\n"
                               "click BtnNext\n"
                               "check file \"C:\\new\\x.txt\" \"a<LF>\"\"b\"\"\"\n"
                               u8"check exists \"C:\\Программы\"");
  std::vector<Step> steps;
  std::string error;
  ASSERT_TRUE(LoadScript(scenario, &steps, &error)) << error;
  ASSERT_EQ(steps.size(), 5u);
  EXPECT_EQ(steps[1].words, (Words{"expect-visible", "BtnNext"}));
  EXPECT_EQ(steps[1].line, 1);
  EXPECT_FALSE(IsHarnessStep(steps[1]));
  EXPECT_TRUE(IsHarnessStep(steps[0]));
  using namespace std::string_literals;
  EXPECT_EQ(HarnessRecords(steps), "s.scn:1\0" "4\0" "prepare\0drive\0d:\0hd\0"
                                   "s.scn:5\0" "4\0" "check\0file\0C:\\new\\x.txt\0a\n\"b\"\0"
                                   u8"s.scn:6\0" "3\0" "check\0exists\0C:\\Программы\0"s);
}

// In every kind of word, in a fragment as in the scenario, and as often as they stand; a
// mark spelt otherwise stays as it is. {build} and {licence} lead to this build's files.
TEST_F(ScenarioFiles, BuildMarksStandForTheBuildsTitleFiguresAndFiles) {
  Write("page.inc", u8"window \"Установка программы {title}, {space-needed-kb} Кб\"\n");
  std::string scenario = Write("s.scn",
                               "include page.inc\n"
                               u8"expect-message \"Установка {title}\" \"{title}, {title} ?\" yes/no*\n"
                               "expect-progress PrgInstall {last-position} {last-position}\n"
                               "expect-text-file TxtWelcomeBody \"{build}\\payload\\texts\\welcome.txt\"\n"
                               "expect-text-file EdLicence \"{licence}\"\n"
                               "check file \"C:\\{title}{last-position}.txt\""
                               " \"{Title} {title {Last-position} {licence\"\n");
  std::vector<Step> steps;
  std::string error;
  ASSERT_TRUE(LoadScript(scenario, &steps, &error)) << error;
  ASSERT_EQ(steps.size(), 6u);
  const std::string last = std::to_string(PayloadCount + 5);
  EXPECT_EQ(steps[0].words, (Words{"window", "Установка программы " BRX_PRODUCT_TITLE ", " BRX_SPACE_NEEDED_KB " Кб"}));
  EXPECT_EQ(steps[1].words, (Words{"expect-message", "Установка " BRX_PRODUCT_TITLE,
                                   BRX_PRODUCT_TITLE ", " BRX_PRODUCT_TITLE " ?", "yes/no*"}));
  EXPECT_EQ(steps[2].words, (Words{"expect-progress", "PrgInstall", last, last}));
  EXPECT_EQ(steps[5].words, (Words{"check", "file", "C:\\" BRX_PRODUCT_TITLE + last + ".txt",
                                   "{Title} {title {Last-position} {licence"}));
  // The welcome text this build filled in, and the licence it embeds, by its full path.
  const struct {
    const std::string& path;
    const char* holds;
  } files[] = {{steps[3].words[2], BRX_PRODUCT_TITLE}, {steps[4].words[2], "\r\n"}};
  for (const auto& file : files) {
    std::string text;
    EXPECT_EQ(':', file.path[1]) << file.path;
    EXPECT_TRUE(ReadWholeFile(file.path, &text)) << file.path;
    EXPECT_NE(std::string::npos, text.find(file.holds)) << file.path;
  }
}

TEST_F(ScenarioFiles, FaultsAreReportedWithTheirPlace) {
  Write("checks.inc", "check exists \"C:\\x\"\n");
  Write("loop.inc", "include loop.inc\n");
  struct {
    const char* scenario;
    const char* error;
  } const cases[] = {
      {"click 22\ninclude checks.inc\n", "checks.inc:1: check lines must stand in the scenario file itself"},
      {"include loop.inc\n", "nested too deeply"},
      {"include missing.inc\n", "missing.inc: cannot be read"},
      {"include\n", "s.scn:1: include takes one file"},
      {"click 22\ntype 43 \"C:\\x\n", "s.scn:2: unterminated quoted text"},
      {"\xC3\n", "s.scn:1: not UTF-8"},
  };
  for (const auto& c : cases) {
    std::vector<Step> steps;
    std::string error;
    EXPECT_FALSE(LoadScript(Write("s.scn", c.scenario), &steps, &error)) << c.scenario;
    EXPECT_NE(error.find(c.error), std::string::npos) << error;
  }
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
  if (free > 1000) {
    EXPECT_FALSE(TextMatches(pattern, "Доступно на диске  0 Мб"));
  }
  EXPECT_FALSE(TextMatches("{free-mb Q:}", "0")) << "a drive that does not exist matches nothing";
}

}  // namespace
