// GoogleTest entry for tests of gadgets: starts the runtime libraries that gadgets need, in
// the program's own start order.
#include <gtest/gtest.h>
#include "image/image.h"
#include "runtime/heaps.h"
#include "runtime/strings.h"
#include "toolkit/fonts.h"
#include "toolkit/gadget.h"
#include "toolkit/requesters.h"
#include "toolkit/window.h"

int main(int argc, char** argv) {
  ProgramHeap = HeapCreate(0, 4096, 0);
  StringsStart();
  NodeHeapStart();
  FontsStart();
  WindowsStart();
  GadgetsStart();
  DecodersStart();
  ImagesStart();
  RequestersStart();
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
