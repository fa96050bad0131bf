// Stepping by character: in code page 932 the second byte of 表 (0x95 0x5C) and of ポ
// (0x83 0x7C) is a backslash and a bar when read alone; in 1251 every byte is a character.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "runtime/characters.h"

namespace {

constexpr UINT Cyrillic = 1251;
constexpr UINT Japanese = 932;

// The byte offsets at which each character starts.
std::vector<int> CharacterStarts(const char* text, UINT codePage) {
  std::vector<int> starts;
  for (const char* at = text; *at; at = CharacterAfter(at, codePage)) starts.push_back((int)(at - text));
  return starts;
}

TEST(Characters, StepsOverTheSecondByteOfADoubleByteCharacterOnly) {
  struct Case {
    const char* text;
    UINT codePage;
    std::vector<int> starts;
  };
  const Case cases[] = {
      {"a\\b", Japanese, {0, 1, 2}},
      {"\x95\x5C\\", Japanese, {0, 2}},        // 表 and a backslash
      {"\x83\x7C" "x", Japanese, {0, 2}},      // ポ and x
      {"\x95", Japanese, {0}},                 // a lead byte at the very end
      {"\x95\x5C", Cyrillic, {0, 1}},          // two characters in 1251
      {"Папка\\", Cyrillic, {0, 1, 2, 3, 4, 5}},
      {"", Japanese, {}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.starts, CharacterStarts(c.text, c.codePage)) << c.text << " in " << c.codePage;
}

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
