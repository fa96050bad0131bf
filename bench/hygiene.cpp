// Resource hygiene of the wizard, in-process on the real window: the GDI and USER objects
// and the runtime's heaps after 100 Back/Next round trips through every page before the
// installation and 1000 PollEvent calls, against the same figures after one warm-up trip.
// Prints "name_before value" and "name_after value" lines; a wizard that does not move
// prints "error ...".
#include <windows.h>
#include <stdio.h>
#include "bench/gui_objects.h"
#include "runtime/heaps.h"
#include "runtime/strings.h"
#include "toolkit/window.h"
#include "wizard/gadgets.h"
#include "wizard/program.h"
#include "wizard/tests/wizard_driver.h"

namespace {

constexpr int ReadyPage = 5;
constexpr int RoundTrips = 100;
constexpr int Polls = 1000;

struct HeapFigures {
  unsigned long usedBytes;
  unsigned long usedBlocks;
  unsigned long committedBytes;
};

HeapFigures Measure(HANDLE heap) {
  HeapFigures figures = {};
  PROCESS_HEAP_ENTRY entry = {};
  while (HeapWalk(heap, &entry)) {
    if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) {
      figures.usedBytes += entry.cbData;
      ++figures.usedBlocks;
    } else if (entry.wFlags & PROCESS_HEAP_REGION) {
      figures.committedBytes += entry.Region.dwCommittedSize;
    }
  }
  return figures;
}

struct Snapshot {
  GuiObjectCount gdi, user;
  HeapFigures programHeap, stringHeap, nodeHeap;
};

Snapshot Take() {
  return {CountGdiObjects(), CountUserObjects(), Measure(ProgramHeap), Measure(StringHeap),
          Measure(NodeHeap)};
}

bool RoundTrip() {
  GoForwardTo(ReadyPage);
  if (CurrentPage != ReadyPage) return false;
  for (int step = 0; step < 10 && CurrentPage > 0; ++step) Click(BtnBack);
  return CurrentPage == 0;
}

void Print(const char* name, long before, long after) {
  printf("%s_before %ld\n%s_after %ld\n", name, before, name, after);
}

void PrintHeap(const char* heap, const HeapFigures& before, const HeapFigures& after) {
  char name[64];
  snprintf(name, sizeof(name), "%s_used_bytes", heap);
  Print(name, before.usedBytes, after.usedBytes);
  snprintf(name, sizeof(name), "%s_used_blocks", heap);
  Print(name, before.usedBlocks, after.usedBlocks);
  snprintf(name, sizeof(name), "%s_committed_bytes", heap);
  Print(name, before.committedBytes, after.committedBytes);
}

}  // namespace

int main() {
  StartWizardProgram();
  RebuildWizard();
  // The first trip creates what every later one reuses (list contents, cached brushes).
  if (!RoundTrip()) {
    printf("error the wizard did not go to the ready page and back\n");
    return 1;
  }
  Snapshot before = Take();
  for (int trip = 0; trip < RoundTrips; ++trip)
    if (!RoundTrip()) {
      printf("error round trip %d did not complete\n", trip + 2);
      return 1;
    }
  for (int poll = 0; poll < Polls; ++poll) PollEvent();
  Snapshot after = Take();

  Print("gdi_objects", before.gdi.count, after.gdi.count);
  printf("gdi_objects_counted_by %s\n", after.gdi.source);
  Print("user_objects", before.user.count, after.user.count);
  printf("user_objects_counted_by %s\n", after.user.source);
  PrintHeap("program_heap", before.programHeap, after.programHeap);
  PrintHeap("string_heap", before.stringHeap, after.stringHeap);
  PrintHeap("node_heap", before.nodeHeap, after.nodeHeap);
  return 0;
}
