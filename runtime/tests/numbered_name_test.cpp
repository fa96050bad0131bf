// Names made of a prefix and a whole, possibly pointer-sized, number.
#include <gtest/gtest.h>
#include <string>
#include "runtime/numbered_name.h"

namespace {

std::string Named(const char* prefix, uintptr_t number) {
  char name[NumberedNameSize];
  NumberedName(name, prefix, number);
  return name;
}

TEST(NumberedName, WritesTheWholeNumberInDecimal) {
  EXPECT_EQ("WindowClass_0", Named("WindowClass_", 0));
  EXPECT_EQ("WindowClass_12", Named("WindowClass_", 12));
  EXPECT_EQ("VX_GadgetStack_4194304", Named("VX_GadgetStack_", 0x400000));
  EXPECT_EQ("7", Named("", 7));
  // Every width this build has, the extremes included: nothing is cut to 32 bits.
  const uintptr_t numbers[] = {9, 10, 99, 100, INT32_MAX, UINT32_MAX, UINTPTR_MAX / 3 * 2, UINTPTR_MAX};
  for (uintptr_t number : numbers) {
    EXPECT_EQ("VX_GadgetStack_" + std::to_string((unsigned long long)number), Named("VX_GadgetStack_", number));
  }
}

}  // namespace
