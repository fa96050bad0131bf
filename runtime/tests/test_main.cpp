// GoogleTest entry for tests that need the runtime's heaps and the string buffer.
#include <gtest/gtest.h>
#include "runtime/heaps.h"
#include "runtime/strings.h"

int main(int argc, char** argv) {
  ProgramHeapStart();
  StringsStart();
  NodeHeapStart();
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
