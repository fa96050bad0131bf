// GoogleTest entry for tests of numbered windows: heaps, strings and the window library.
#include <gtest/gtest.h>
#include "runtime/heaps.h"
#include "runtime/strings.h"
#include "toolkit/window.h"

int main(int argc, char** argv) {
  ProgramHeapStart();
  StringsStart();
  NodeHeapStart();
  WindowsStart();
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
