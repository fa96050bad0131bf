#pragma once
// Dynamic arrays of two or more dimensions with inclusive bounds. An array variable is a
// data reference followed by one 32-bit field per dimension; ArrayCreate turns the sizes
// written there into strides (the last field keeps its size).
#include <stdint.h>

// FreeLayout entries: an offset >= 0 of a StringValue in the element; LayoutNested
// followed by (count, offset, stride, nested layout); LayoutEnd closes the list. An entry
// is pointer-sized, since one of them is the address of a nested layout.
typedef intptr_t LayoutEntry;
constexpr LayoutEntry LayoutEnd = -1;
constexpr LayoutEntry LayoutNested = -2;

struct ArrayHeader {
  int32_t dimensions;
  int32_t elementSize;
  const LayoutEntry* layout;  // FreeLayout of one element
  void* owner;                // the array variable
  int32_t count;
  int32_t kind;               // caller's code, stored only
};
static_assert(sizeof(void*) != 4 || sizeof(ArrayHeader) == 24, "the array header is six 32-bit fields");

template <int Dimensions>
struct ArrayVariable {
  void* data;
  int32_t fields[Dimensions];
};

inline ArrayHeader* ArrayHeaderOf(const void* data) {
  return reinterpret_cast<ArrayHeader*>(const_cast<void*>(data)) - 1;
}

void ArrayCreate(int elementSize, int dimensions, const LayoutEntry* layout, void* variable, int kind);
// Only tests call it (the setup's arrays live until the process ends); it stays as the
// arrays' counterpart of ArrayCreate.
void ArrayFree(void* data);
