// GoogleTest entry for tests of gadgets: the toolkit's libraries and those below them.
#include <gtest/gtest.h>
#include "toolkit_libraries.h"

int main(int argc, char** argv) {
  StartToolkitLibraries();
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
