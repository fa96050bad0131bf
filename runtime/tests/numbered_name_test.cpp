// Names made of a prefix and a whole, possibly pointer-sized, number.
#include <gtest/gtest.h>
#include <string>
#include "runtime/numbered_name.h"

namespace {

std::string Named(const char* prefix, intptr_t number) {
  char name[NumberedNameSize];
  NumberedName(name, prefix, number);
  return name;
}

TEST(NumberedName, WritesTheWholeNumberAsSignedDecimal) {
  EXPECT_EQ("WindowClass_0", Named("WindowClass_", 0));
  EXPECT_EQ("WindowClass_12", Named("WindowClass_", 12));
  EXPECT_EQ("VX_GadgetStack_4194304", Named("VX_GadgetStack_", 0x400000));
  EXPECT_EQ("x-1", Named("x", -1));
  EXPECT_EQ("7", Named("", 7));
  // Every width this build has, the extremes included: nothing is cut to 32 bits.
  const intptr_t numbers[] = {INT32_MAX, INT32_MIN, INTPTR_MAX, INTPTR_MIN,
                              (intptr_t)((uintptr_t)INTPTR_MAX / 3 * 2)};
  for (intptr_t number : numbers)
    EXPECT_EQ("VX_GadgetStack_" + std::to_string((long long)number), Named("VX_GadgetStack_", number));
}

}  // namespace
