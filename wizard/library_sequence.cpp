#include "wizard/library_sequence.h"
#include "image/decoder_registry.h"
#include "image/image.h"
#include "runtime/files.h"
#include "runtime/heaps.h"
#include "runtime/strings.h"
#include "toolkit/fonts.h"
#include "toolkit/gadget.h"
#include "toolkit/requesters.h"
#include "toolkit/window.h"

void StartLibraries() {
  StringsStart();
  NodeHeapStart();
  FilesStart();
  FontsStart();
  WindowsStart();
  GadgetsStart();
  DecodersStart();
  ImagesStart();
  RequestersStart();
}

// Files close last, after every window has gone; the string and node heaps and the
// directory listings stay until the process ends.
void StopLibraries() {
  ImagesStop();
  GadgetsStop();
  WindowsStop();
  FontsStop();
  FilesStop();
}
