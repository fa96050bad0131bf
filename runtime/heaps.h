#pragma once
// The runtime's private heaps. Every allocation made through these helpers is zero-filled.
#include <windows.h>
#include <stddef.h>

extern HANDLE ProgramHeap;  // tables, slot arrays, state blocks, arrays, file buffers
extern HANDLE NodeHeap;     // records of objects created with AutoNumber

void* ProgramAlloc(size_t bytes);
// Resizes a ProgramHeap block; bytes added at the end are zero-filled.
void* ProgramRealloc(void* block, size_t bytes);
void ProgramFree(void* block);

// The program heap lives from the first library's start to the last library's stop.
void ProgramHeapStart();
void ProgramHeapStop();
void NodeHeapStart();
