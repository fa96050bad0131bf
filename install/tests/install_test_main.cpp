// GoogleTest entry for the installation run: the heaps, the string buffer and the files it
// writes through; no window.
#include <gtest/gtest.h>
#include "runtime/files.h"
#include "runtime/heaps.h"
#include "runtime/strings.h"

int main(int argc, char** argv) {
  ProgramHeapStart();
  StringsStart();
  NodeHeapStart();
  FilesStart();
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
