#include "runtime/heaps.h"

HANDLE ProgramHeap;
HANDLE NodeHeap;

void* ProgramAlloc(size_t bytes) {
  return HeapAlloc(ProgramHeap, HEAP_ZERO_MEMORY, bytes);
}

void* ProgramRealloc(void* block, size_t bytes) {
  if (!block) return ProgramAlloc(bytes);
  return HeapReAlloc(ProgramHeap, HEAP_ZERO_MEMORY, block, bytes);
}

void ProgramFree(void* block) {
  if (block) HeapFree(ProgramHeap, 0, block);
}

void ProgramHeapStart() {
  ProgramHeap = HeapCreate(0, 4096, 0);
}

void ProgramHeapStop() {
  HeapDestroy(ProgramHeap);
}

void NodeHeapStart() {
  NodeHeap = HeapCreate(0, 1024, 0);
}
