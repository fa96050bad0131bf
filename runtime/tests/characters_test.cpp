// Stepping by character: in code page 932 the second byte of 表 (0x95 0x5C) is a backslash
// when read alone; in 1251 every byte is a character. (The folder-name checks of the wizard
// test the stepping further.)
#include <gtest/gtest.h>
#include "runtime/characters.h"

namespace {

constexpr UINT Cyrillic = 1251;
constexpr UINT Japanese = 932;

TEST(Characters, ABackslashEndsATextOnlyAsACharacterOfItsOwn) {
  struct Case {
    const char* text;
    UINT codePage;
    bool endsInBackslash;
  };
  const Case cases[] = {
      {"C:\\Apps\\", Japanese, true},
      {"C:\\Apps", Japanese, false},
      {"C:\\\x95\x5C", Japanese, false},      // C:\表
      {"C:\\\x95\x5C\\", Japanese, true},     // C:\表\ .
      {"C:\\\x95", Japanese, false},          // a lead byte alone at the end
      {"C:\\\x95\x5C", Cyrillic, true},       // the same bytes are "C:\•\" in 1251
      {"\\", Cyrillic, true},
      {"C:\\Папка", Cyrillic, false},
      {"", Cyrillic, false},
      {nullptr, Cyrillic, false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.endsInBackslash, EndsInBackslash(c.text, c.codePage)) << (c.text ? c.text : "null") << " in "
                                                                        << c.codePage;
}

}  // namespace
