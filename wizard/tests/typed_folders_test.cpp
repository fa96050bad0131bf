// The checks of the typed destination and Start-menu folder: what is refused and what,
// close to it, stays allowed, in code page 1251 and, for the double-byte rows, in 932.
#include <gtest/gtest.h>
#include <string>
#include "payload/product_version.h"
#include "wizard/typed_folders.h"

namespace {

constexpr UINT Cyrillic = 1251;
constexpr UINT Japanese = 932;

struct Case {
  std::string text;
  bool usable;
  UINT codePage = Cyrillic;
};

// A destination of exactly length characters, ending as given ("\\" or a letter).
std::string DestinationOfLength(size_t length, char last) {
  return "C:\\" + std::string(length - 4, 'a') + last;
}

// In code page 932: 表 ends in 0x5C (a backslash alone), ポ in 0x7C (a bar alone).
const std::string Table = "\x95\x5C";
const std::string Po = "\x83\x7C";

TEST(TypedFolders, DestinationMustBeAFullDrivePathOfUsableLength) {
  const Case cases[] = {
      {"C:\\Program Files\\Brindlex\\", true},
      {"d:\\Apps\\Brindlex", true},
      {"C:\\\\Brindlex\\", true},
      {"C:\\Программы\\Брайндлекс\\", true},
      {"C:\\ Tools\\" BRX_PRODUCT_TITLE "\\", true},
      {"C:\\«Brindlex»\\", true},
      {"", false},
      {"Apps\\Brindlex\\", false},
      {"\\Brindlex\\", false},
      {"C:Brindlex\\", false},
      {"C:", false},
      // A drive's root names no folder: the program would lie among the root's own files.
      {"C:\\", false},
      {"C:\\\\", false},
      {"d:\\\\\\", false},
      {"1:\\Brindlex\\", false},
      {"\\\\server\\share\\Brindlex\\", false},
      {"//server/share/Brindlex/", false},
      {" C:\\Brindlex\\", false},
      {"C:/Brindlex/", false},
      {"C:\\Brind:lex\\", false},
      {"C:\\Brindlex\\D:\\", false},
      {"C:\\Brind<lex\\", false},
      {"C:\\Brind>lex\\", false},
      {"C:\\Brind\"lex\\", false},
      {"C:\\Brind|lex\\", false},
      {"C:\\Brind?lex\\", false},
      {"C:\\Brind*lex\\", false},
      {"C:\\Brind\tlex\\", false},
      {"C:\\Brindlex\n", false},
      // 214 with the trailing backslash, which the installation adds when it is missing.
      {DestinationOfLength(214, '\\'), true},
      {DestinationOfLength(213, 'a'), true},
      {DestinationOfLength(215, '\\'), false},
      {DestinationOfLength(214, 'a'), false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.usable, DestinationIsUsable(c.text.c_str(), c.codePage))
        << "\"" << c.text << "\" (" << c.text.size() << ")";
  EXPECT_FALSE(DestinationIsUsable(nullptr, Cyrillic));
}

// Folder names that Windows cannot hold, anywhere in the destination; the same names with
// a character more or less, and the double-byte characters whose second byte is a
// backslash or a bar, pass.
TEST(TypedFolders, DestinationNamesOnlyFoldersWindowsCanHold) {
  const Case cases[] = {
      {"C:\\CON\\NUL\\", false},
      {"C:\\Brindlex.\\", false},
      {"C:\\Brindlex.", false},
      {"C:\\...\\", false},
      {"C:\\..\\Brindlex\\", false},
      {"C:\\.\\Brindlex\\", false},
      {"C:\\Program Files/Brindlex\\", false},
      {"C:\\Program Files\\Brindlex \\", false},
      {"C:\\Apps \\Brindlex\\", false},
      {"C:\\Apps\\Brindlex ", false},  // the page trims the field before it checks
      {"C:\\aux\\", false},
      {"C:\\Apps\\aux.txt\\", false},
      {"C:\\Apps\\lpt1.log", false},
      {"C:\\Apps\\Con .x\\", false},
      {"C:\\com1\\", false},
      {"C:\\COM9\\", false},
      {"C:\\CONOUT$\\", false},
      {"C:\\Apps\\Brindlex\\..\\", false},
      {"C:\\console\\", true},
      {"C:\\com0\\", true},
      {"C:\\com10\\", true},
      {"C:\\lpt\\", true},
      {"C:\\nul-files\\", true},
      {"C:\\auxiliary.txt\\", true},
      {"C:\\.config\\", true},
      {"C:\\Apps\\ Brindlex\\", true},
      {"C:\\" + Table + "\\", true, Japanese},
      {"C:\\" + Table, true, Japanese},
      {"C:\\" + Po + "\\", true, Japanese},
      {"C:\\" + Po + Table + "x\\", true, Japanese},
      {"C:\\" + Table + "|\\", false, Japanese},
      {"C:\\" + Po + ".\\", false, Japanese},
      {"C:\\" + Po + "\\", false, Cyrillic},  // the same bytes hold a bar in 1251
      // The installation adds a backslash after 表, which the length counts; in 1251 the
      // same bytes already end in one.
      {"C:\\" + std::string(208, 'a') + Table, true, Japanese},
      {"C:\\" + std::string(209, 'a') + Table, false, Japanese},
      {"C:\\" + std::string(209, 'a') + Table, true, Cyrillic},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.usable, DestinationIsUsable(c.text.c_str(), c.codePage))
        << "\"" << c.text << "\" in " << c.codePage;
}

TEST(TypedFolders, StartMenuNameMustStayInsideThePrograms) {
  const size_t programs = 50;
  const Case cases[] = {
      {"Brindlex", true},
      {"Tools\\Brindlex", true},
      {"Tools/Brindlex\\", true},
      {"Accessories\\Brindlex", true},
      {" Gamma\\Brindlex", true},  // a leading blank belongs to the name
      {BRX_PRODUCT_TITLE, true},
      {"a..b\\..c\\d", true},
      {"Программатор", true},
      {"«Brindlex»", true},
      {"", false},
      {"..", false},
      {"..\\..\\..\\..\\..\\Windows\\Temp\\x", false},
      {"Tools\\..\\..\\x", false},
      {"Tools/../x", false},
      {"Tools\\..", false},
      {"...\\x", false},
      {" .. \\x", false},
      {"C:\\Windows", false},
      {"C:x", false},
      {"Tools:stream", false},
      {"\\Windows", false},
      {"/Windows", false},
      {"Br*", false},
      {"Br?", false},
      {"Br\"x\"", false},
      {"Br<x", false},
      {"Br>x", false},
      {"Br|x", false},
      {"Br\x1f", false},
      {"Br\x01x", false},
      // Together with the Programs folder at most 246 characters.
      {std::string(StartMenuMaxLength - programs, 'n'), true},
      {std::string(StartMenuMaxLength - programs + 1, 'n'), false},
      {"Tools\\" + std::string(StartMenuMaxLength - programs - 6, 'n'), true},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.usable, StartMenuNameIsUsable(c.text.c_str(), programs, c.codePage)) << "\"" << c.text << "\"";
  EXPECT_FALSE(StartMenuNameIsUsable(nullptr, programs, Cyrillic));
  EXPECT_FALSE(StartMenuNameIsUsable("x", StartMenuMaxLength, Cyrillic));
  // Without a Programs folder the name alone counts.
  EXPECT_TRUE(StartMenuNameIsUsable(std::string(StartMenuMaxLength, 'n').c_str(), 0, Cyrillic));
}

TEST(TypedFolders, StartMenuNameNamesOnlyFoldersWindowsCanHold) {
  const Case cases[] = {
      {"   ", false},
      {".", false},
      {".\\Brindlex", false},
      {"....\\Brindlex", false},
      {"NUL", false},
      {"COM1", false},
      {"nul\\Brindlex", false},
      {"Tools/aux", false},
      {"Tools\\Lpt9.txt", false},
      {"Tools\\CON .lnk", false},
      {"CONIN$", false},
      {"Brindlex.", false},
      {"Tools.\\Brindlex", false},
      {"Tools./Brindlex", false},
      {"Tools /Brindlex", false},
      {"Brindlex ", false},
      {"   \\Brindlex", false},
      {" Gamma \\Brindlex", false},
      {"Tools\\Brindlex\\", true},
      {"COM", true},
      {"Nullsoft\\Brindlex", true},
      {"Tools\\con-soft", true},
      {Table + "\\Brindlex", true, Japanese},
      {Table, true, Japanese},
      {Po, true, Japanese},
      {"Tools\\" + Po + Table, true, Japanese},
      {Table + "/" + Po, true, Japanese},
      {Po, false, Cyrillic},  // a bar in 1251
      {Table + "\\.", false, Japanese},
      {"\x95", true, Japanese},  // a lead byte alone at the end: one character
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.usable, StartMenuNameIsUsable(c.text.c_str(), 50, c.codePage))
        << "\"" << c.text << "\" in " << c.codePage;
}

TEST(TypedFolders, OnlyTheBlanksThatEndATextAreTrimmed) {
  const struct {
    const char* text;
    size_t kept;
  } cases[] = {
      {"C:\\Program Files\\Brindlex ", 25},
      {"Brindlex   ", 8},
      {" Tools", 6},
      {"   ", 0},
      {"", 0},
      {"a b", 3},
      {"C:\\Apps\\ \\", 10},
  };
  for (const auto& c : cases) EXPECT_EQ(c.kept, LengthWithoutTrailingBlanks(c.text)) << "\"" << c.text << "\"";
  EXPECT_EQ(0u, LengthWithoutTrailingBlanks(nullptr));
}

// What the checks and the installation take: trimmed, with one final backslash, which a
// double-byte character ending in 0x5C does not stand in for; a bare drive gets none.
TEST(TypedFolders, TheDestinationsNormalFormEndsInOneBackslash) {
  const Case cases[] = {
      {"C:\\Apps\\Brindlex\\", true},
      {"C:\\Apps\\Brindlex", true},
      {"C:\\Apps\\Brindlex  ", true},
      {"C:\\Apps\\Brindlex\\ ", true},
      {"C:\\", false},
      {"C:\\\\  ", false},
      {"C:", false},
      {"C: ", false},
      {"", false},
      {"   ", false},
      {"C:\\" + Table, true, Japanese},
      {"C:\\" + Table + "\\", true, Japanese},
  };
  const std::string expected[] = {
      "C:\\Apps\\Brindlex\\", "C:\\Apps\\Brindlex\\", "C:\\Apps\\Brindlex\\", "C:\\Apps\\Brindlex\\", "C:\\", "C:\\\\", "C:", "C:", "",
      "",
      "C:\\" + Table + "\\", "C:\\" + Table + "\\",
  };
  static_assert(sizeof(cases) / sizeof(cases[0]) == sizeof(expected) / sizeof(expected[0]), "one form per case");
  for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
    const Case& c = cases[i];
    OwnedText form = DestinationNormalForm(c.text.c_str(), c.codePage);
    EXPECT_EQ(expected[i], form.Get() ? form.Get() : "") << "\"" << c.text << "\"";
    EXPECT_EQ(c.usable, DestinationIsUsable(form.Get(), c.codePage)) << "\"" << c.text << "\"";
  }
  EXPECT_EQ(0, StrLength(DestinationNormalForm(nullptr, Cyrillic).Get()));
}

}  // namespace
