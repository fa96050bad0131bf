// Taking UTF-16 names and paths into the process's code page (Windows-1251 here) exactly.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include "runtime/wide_text.h"

namespace {

TEST(WideToAnsiExact, ConvertsWhatThePageHoldsAndNothingElse) {
  ASSERT_EQ(1251u, GetACP());
  const struct {
    const wchar_t* text;
    const char* expected;  // null: not exact, the empty text
  } cases[] = {
      {L"", ""},
      {L"C:\\Program Files\\", "C:\\Program Files\\"},
      {L"C:\\Программы\\Тест\\", "C:\\Программы\\Тест\\"},
      {L"«Пуск» № 1 €", "«Пуск» № 1 €"},
      {L"C:\\Users\\Jürgen\\AppData\\Roaming\\", nullptr},  // a best fit gives Jurgen
      {L"Zubehör", nullptr},
      {L"café", nullptr},
      {L"C:\\Users\\王\\", nullptr},  // no counterpart: "?" otherwise
      {L"Программы™", "Программы™"},
  };
  for (const auto& c : cases) {
    char buffer[MAX_PATH];
    memset(buffer, 'x', sizeof buffer);
    int32_t exact = WideToAnsiExact(c.text, buffer, MAX_PATH);
    SCOPED_TRACE(c.expected ? c.expected : "(not exact)");
    EXPECT_EQ(c.expected ? 1 : 0, exact);
    EXPECT_EQ(c.expected ? c.expected : "", std::string(buffer));
  }
}

TEST(WideToAnsiExact, AResultThatDoesNotFitIsEmpty) {
  char buffer[8];
  EXPECT_EQ(1, WideToAnsiExact(L"Папка12", buffer, 8));  // seven characters and the terminator
  EXPECT_STREQ("Папка12", buffer);
  EXPECT_EQ(0, WideToAnsiExact(L"Папка123", buffer, 8));
  EXPECT_STREQ("", buffer);
  EXPECT_EQ(0, WideToAnsiExact(L"", buffer, 0));
}

}  // namespace
