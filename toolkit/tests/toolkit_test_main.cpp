// GoogleTest entry for tests of gadgets: the runtime libraries started as the program
// starts them.
#include <gtest/gtest.h>
#include "runtime/heaps.h"
#include "runtime/library_sequence.h"

int main(int argc, char** argv) {
  ProgramHeap = HeapCreate(0, 4096, 0);
  RuntimeStart();
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
