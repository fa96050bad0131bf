#include "toolkit_libraries.h"
#include "runtime/heaps.h"
#include "runtime/strings.h"
#include "toolkit/fonts.h"
#include "toolkit/gadget.h"
#include "toolkit/requesters.h"
#include "toolkit/window.h"

void StartToolkitLibraries() {
  ProgramHeapStart();
  StringsStart();
  NodeHeapStart();
  FontsStart();
  WindowsStart();
  GadgetsStart();
  RequestersStart();
}

void StopToolkitLibraries() {
  GadgetsStop();
  WindowsStop();
  FontsStop();
}
