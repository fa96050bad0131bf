// The checks of the typed destination and Start-menu folder: what is refused and what,
// close to it, stays allowed.
#include <gtest/gtest.h>
#include <string>
#include "wizard/typed_folders.h"

namespace {

struct Case {
  std::string text;
  bool usable;
};

// A destination of exactly length characters, ending as given ("\\" or a letter).
std::string DestinationOfLength(size_t length, char last) {
  return "C:\\" + std::string(length - 4, 'a') + last;
}

TEST(TypedFolders, DestinationMustBeAFullDrivePathOfUsableLength) {
  const Case cases[] = {
      {"C:\\Program Files\\Brindlex\\", true},
      {"d:\\Apps\\Brindlex", true},
      {"C:\\", true},
      {"C:\\Программы\\Брайндлекс\\", true},
      {"C:\\a/b\\", true},
      {"", false},
      {"Apps\\Brindlex\\", false},
      {"\\Brindlex\\", false},
      {"C:Brindlex\\", false},
      {"C:", false},
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
    EXPECT_EQ(c.usable, DestinationIsUsable(c.text.c_str())) << "\"" << c.text << "\" (" << c.text.size() << ")";
  EXPECT_FALSE(DestinationIsUsable(nullptr));
}

TEST(TypedFolders, StartMenuNameMustStayInsideThePrograms) {
  const size_t programs = 50;
  const Case cases[] = {
      {"Brindlex", true},
      {"Tools\\Brindlex", true},
      {"Tools/Brindlex\\", true},
      {"Accessories\\Brindlex", true},
      {" Gamma \\Brindlex", true},  // names the list may give
      {"   \\Brindlex", true},
      {"....\\Brindlex", true},
      {"Brindlex v 1.0", true},
      {"a..b\\..c\\d..", true},
      {".\\Brindlex", true},
      {"Программатор", true},
      {"", true},
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
    EXPECT_EQ(c.usable, StartMenuNameIsUsable(c.text.c_str(), programs)) << "\"" << c.text << "\"";
  EXPECT_TRUE(StartMenuNameIsUsable(nullptr, programs));
  EXPECT_FALSE(StartMenuNameIsUsable("x", StartMenuMaxLength));
}

}  // namespace
