// Strings: the scratch buffer's marks and growth, string values, and the string functions,
// including functions whose input lies in the buffer while it moves.
#include <gtest/gtest.h>
#include <stdint.h>
#include <string>
#include "runtime/strings.h"

namespace {

// The text a function left at mark, checking that the mark stands on its terminator.
std::string ResultAt(int32_t mark) {
  std::string text = ScratchAt(mark);
  EXPECT_EQ(mark + (int32_t)text.size(), ScratchMark()) << "mark not left on the terminator";
  return text;
}

// Runs a string function at the current mark and returns its result, rewinding afterwards.
template <typename Call>
std::string ResultOf(Call call) {
  int32_t mark = ScratchMark();
  call(mark);
  std::string text = ResultAt(mark);
  ScratchRewind(mark);
  return text;
}

// A string value allocated right after the buffer's first block, so that growing the
// buffer cannot happen in place and must move it.
StringValue blocker;

// Starts a fresh 16-byte buffer, as at program start.
void FreshBuffer() {
  StringsStart();
  blocker = nullptr;
  StrAssign(&blocker, "keeps the buffer from growing in place");
}

TEST(ScratchBufferTest, ExpressionOfThreePiecesLeavesTheMarkWhereItWas) {
  StringValue variable = nullptr;
  ScratchAppend("before");
  int32_t outer = ScratchMark();
  {
    ScratchText text;
    text.Append("C:\\Program Files\\").Append("Brindlex").AppendNumber(42);
    EXPECT_STREQ("C:\\Program Files\\Brindlex42", text.Get());
    text.AssignTo(&variable);
  }
  EXPECT_STREQ("C:\\Program Files\\Brindlex42", variable);
  EXPECT_EQ(outer, ScratchMark());
  EXPECT_EQ(0, *ScratchAt(outer));

  int32_t m = ScratchMark();
  ScratchAppend("a");
  ScratchAppend(nullptr);  // a null piece only terminates
  ScratchAppend("bc");
  StrRight("xyz", 1, ScratchMark());
  StrAssignTemp(&variable, m);
  EXPECT_STREQ("abcz", variable);
  EXPECT_EQ(m, ScratchMark());
  StrFree(variable);
  ScratchRewind(0);
}

TEST(ScratchBufferTest, GrowsOnceBeyondTheNeedAndKeepsEarlierPieces) {
  FreshBuffer();
  EXPECT_EQ(16, ScratchBuffer.capacity);
  EXPECT_EQ(0, ScratchMark());
  ScratchAppend("0123456789");  // 10 + 0 < 16 - 4: fits
  EXPECT_EQ(16, ScratchBuffer.capacity);
  ScratchAppend("abc");  // 10 + 3 reaches 16 - 4: grows to 13 + 16384
  EXPECT_EQ(13 + 16384, ScratchBuffer.capacity);

  std::string expected = "0123456789abc";
  std::string piece(997, ' ');
  for (int i = 0; i < 40; ++i) {
    for (size_t k = 0; k < piece.size(); ++k) piece[k] = (char)('A' + (i + k) % 26);
    ScratchAppend(piece.c_str());
    expected += piece;
  }
  EXPECT_GT(ScratchMark(), 16384 * 2);
  EXPECT_EQ(expected, std::string(ScratchAt(0)));
  EXPECT_GE(ScratchBuffer.capacity, ScratchMark() + 5);

  StringValue variable = nullptr;
  StrAssignTemp(&variable, 0);
  EXPECT_EQ(expected, std::string(variable));
  int32_t capacity = ScratchBuffer.capacity;
  ScratchAppend("short");
  EXPECT_EQ(capacity, ScratchBuffer.capacity);  // never shrinks, no growth while room is left
  StrFree(variable);
  ScratchRewind(0);
}

TEST(ScratchBufferTest, ScratchTextRewindsOnScopeExitAndPassProtectsTheText) {
  int32_t start = ScratchMark();
  {
    ScratchText outer;
    outer.Append("outer");
    EXPECT_STREQ("outer", outer.Pass());
    EXPECT_EQ(start + 6, ScratchMark());  // past the terminator
    EXPECT_EQ(5, outer.Length());
    {
      ScratchText inner;  // a temporary built while outer is passed
      inner.Append("inner text that is longer");
    }
    EXPECT_STREQ("outer", outer.Get());
    StringValue variable = nullptr;
    outer.AssignTo(&variable);
    EXPECT_STREQ("outer", variable);
    EXPECT_EQ(start, ScratchMark());
    StrFree(variable);
    outer.Append("never assigned");
  }
  EXPECT_EQ(start, ScratchMark());
  EXPECT_EQ(0, *ScratchAt(start));
}

TEST(StringValueTest, AssignCopyFreeAndCompare) {
  StringValue a = nullptr;
  StrAssign(&a, "first");
  EXPECT_STREQ("first", a);
  StrAssign(&a, "a much longer second text");
  EXPECT_STREQ("a much longer second text", a);
  StrAssign(&a, "");
  ASSERT_NE(nullptr, a);
  EXPECT_STREQ("", a);
  StrAssign(&a, nullptr);
  EXPECT_EQ(nullptr, a);

  StringValue b = nullptr;
  StrCopyNew(&b, nullptr);
  EXPECT_EQ(nullptr, b);
  StrCopyNew(&b, "copy");
  EXPECT_STREQ("copy", b);
  StrFree(b);
  StrFree(nullptr);

  EXPECT_EQ(1, StrEqual(nullptr, ""));
  EXPECT_EQ(1, StrEqual("", nullptr));
  EXPECT_EQ(1, StrEqual(nullptr, nullptr));
  EXPECT_EQ(1, StrEqual("Brindlex", "Brindlex"));
  EXPECT_EQ(0, StrEqual("Brindlex", "brindlex"));
  EXPECT_EQ(0, StrEqual("abc", "abcd"));
  EXPECT_EQ(0, StrEqual("x", nullptr));
}

TEST(StringValueTest, AssigningAVariableFromItsOwnTextKeepsTheText) {
  StringValue a = nullptr;
  StrAssign(&a, "abcdefghijklmnopqrstuvwxyz");
  StrAssign(&a, a);
  EXPECT_STREQ("abcdefghijklmnopqrstuvwxyz", a);
  StrAssign(&a, a + 20);  // shrinking to its own tail
  EXPECT_STREQ("uvwxyz", a);
  StrFree(a);
}

TEST(StringFunctionTest, LeftRightTrimSpacesClampTheirCounts) {
  auto left = [](const char* t, int32_t n) { return ResultOf([&](int32_t m) { StrLeft(t, n, m); }); };
  auto right = [](const char* t, int32_t n) { return ResultOf([&](int32_t m) { StrRight(t, n, m); }); };
  auto trim = [](const char* t) { return ResultOf([&](int32_t m) { StrTrim(t, m); }); };
  auto spaces = [](int32_t n) { return ResultOf([&](int32_t m) { StrSpaces(n, m); }); };
  EXPECT_EQ("", left("abc", -1));
  EXPECT_EQ("ab", left("abc", 2));
  EXPECT_EQ("abc", left("abc", 10));
  EXPECT_EQ("", left(nullptr, 3));
  EXPECT_EQ("bc", right("abc", 2));
  EXPECT_EQ("", right("abc", -5));
  EXPECT_EQ("abc", right("abc", 10));
  EXPECT_EQ("", right(nullptr, 1));
  EXPECT_EQ("a b", trim("  a b  "));
  EXPECT_EQ("", trim("   "));
  EXPECT_EQ("\ta\t", trim(" \ta\t "));
  EXPECT_EQ("", trim(nullptr));
  EXPECT_EQ("   ", spaces(3));
  EXPECT_EQ("", spaces(-2));
}

TEST(StringFunctionTest, UpperLowersOnlyLatinAndCyrillicSmallLetters) {
  auto upper = [](const char* t) { return ResultOf([&](int32_t m) { StrUpper(t, m); }); };
  EXPECT_EQ("ABCАБВё", upper("abcабвё"));
  EXPECT_EQ("ЮЯЁ`{@[ 09", upper("юяЁ`{@[ 09"));
  EXPECT_EQ("", upper(nullptr));
  EXPECT_EQ(0xE0, StrFirstCode("абв"));  // a byte above 127 reads as a code 0..255
  EXPECT_EQ('C', StrFirstCode("C:\\"));
  EXPECT_EQ(0, StrFirstCode(""));
  EXPECT_EQ(0, StrFirstCode(nullptr));
  EXPECT_EQ(7, StrLength("абв def"));
  EXPECT_EQ(0, StrLength(nullptr));
}

TEST(StringFunctionTest, FromNumberCoversBothWidthsAndTheirExtremes) {
  auto number = [](int64_t v) { return ResultOf([&](int32_t m) { StrFromNumber(v, m); }); };
  EXPECT_EQ("0", number(0));
  EXPECT_EQ("-7", number(-7));
  EXPECT_EQ("2147483647", number(INT32_MAX));
  EXPECT_EQ("-2147483648", number(INT32_MIN));
  EXPECT_EQ("2147483648", number(2147483648LL));
  EXPECT_EQ("-2147483649", number(-2147483649LL));
  EXPECT_EQ("-9223372036854775807", number(INT64_MIN + 1));  // a minus sign and 19 digits
  EXPECT_EQ("-9223372036854775808", number(INT64_MIN));
  EXPECT_EQ("9223372036854775807", number(INT64_MAX));
  EXPECT_EQ("1000000", number(1000000));
}

TEST(StringFunctionTest, FilePartAndFromMemory) {
  auto part = [](const char* t) { return ResultOf([&](int32_t m) { StrFilePart(t, m); }); };
  EXPECT_EQ("App.exe", part("\"C:\\Dir\\App.exe\" /x"));
  EXPECT_EQ("App.exe", part("\"C:\\Program Files\\App.exe\" \"%1\""));
  EXPECT_EQ("b.txt", part("C:/a/b.txt"));
  EXPECT_EQ("c.txt", part("C:\\a/b\\c.txt"));
  EXPECT_EQ("name", part("name"));
  EXPECT_EQ("name", part("\"name\""));
  EXPECT_EQ("", part("C:\\dir\\"));
  EXPECT_EQ("", part(nullptr));

  auto memory = [](const void* a) { return ResultOf([&](int32_t m) { StrFromMemory(a, m); }); };
  static const char stored[] = "Программатор микроконтроллеров";
  EXPECT_EQ(stored, memory(stored));
  EXPECT_EQ("", memory(nullptr));
}

// A function whose input is the result of another: the input lies in the buffer, and the
// outer function reserves room (which moves the buffer) before it reads it, so it has to
// find the input again by its mark. A kept address reads the freed old block.
TEST(StringFunctionTest, FunctionOfAnotherResultSurvivesTheBufferMoving) {
  struct Case {
    const char* name;
    void (*call)(const char* input, int32_t mark);
    const char* expected;
  };
  static const Case cases[] = {
      {"left", [](const char* t, int32_t k) { StrLeft(t, 5, k); }, " Dir\\"},
      {"right", [](const char* t, int32_t k) { StrRight(t, 6, k); }, "Ab.c  "},
      {"trim", [](const char* t, int32_t k) { StrTrim(t, k); }, "Dir\\Ab.c"},
      {"upper", [](const char* t, int32_t k) { StrUpper(t, k); }, " DIR\\AB.C  "},
      {"file part", [](const char* t, int32_t k) { StrFilePart(t, k); }, "Ab.c  "},
      {"from memory", [](const char* t, int32_t k) { StrFromMemory(t, k); }, " Dir\\Ab.c  "},
      {"append", [](const char* t, int32_t) { ScratchAppend(t); }, " Dir\\Ab.c  "},
  };
  for (const Case& c : cases) {
    FreshBuffer();
    StrFromMemory(" Dir\\Ab.c  ", 0);  // 11 bytes: still inside the first 16
    ASSERT_EQ(16, ScratchBuffer.capacity);
    int32_t after = ScratchMark();
    const char* old = ScratchBuffer.base;
    c.call(ScratchAt(0), after);
    ASSERT_NE(old, ScratchBuffer.base) << c.name << ": the buffer did not move";
    EXPECT_EQ(c.expected, ResultAt(after)) << c.name;
    EXPECT_EQ(" Dir\\Ab.c  ", std::string(ScratchAt(0), 11)) << c.name;  // input kept
  }
  ScratchRewind(0);
}

TEST(StringFunctionTest, LeftOfATrimmedTextBuiltAtOneMark) {
  const char* padded = "      Brindlex Programmer setup      ";
  FreshBuffer();
  ScratchAppend("pre ");
  int32_t m = ScratchMark();
  StrTrim(padded, m);
  StrLeft(ScratchAt(m), 8, m);  // the outer result replaces the inner one at the same mark
  EXPECT_EQ("Brindlex", ResultAt(m));
  StrUpper(ScratchAt(m), m);
  EXPECT_EQ("BRINDLEX", ResultAt(m));
  StrRight(ScratchAt(m), 3, m);
  EXPECT_EQ("LEX", ResultAt(m));
  EXPECT_EQ("pre LEX", std::string(ScratchAt(0)));
  ScratchRewind(0);
}

}  // namespace
