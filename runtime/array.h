#pragma once
// Dynamic arrays of two or more dimensions with inclusive bounds. An array variable is a
// data reference followed by one 32-bit field per dimension; ArrayCreate turns the sizes
// written there into strides (the last field keeps its size).
#include <stdint.h>

struct ArrayHeader {
  int32_t dimensions;
  int32_t elementSize;
  const int32_t* layout;  // FreeLayout of one element
  void* owner;            // the array variable
  int32_t count;
  int32_t kind;           // caller's code, stored only
};

// FreeLayout entries: an offset >= 0 of a StringValue in the element; LayoutNested
// followed by (count, offset, stride, nested layout); LayoutEnd closes the list.
constexpr int32_t LayoutEnd = -1;
constexpr int32_t LayoutNested = -2;

template <int Dimensions>
struct ArrayVariable {
  void* data;
  int32_t fields[Dimensions];
};

inline ArrayHeader* ArrayHeaderOf(const void* data) {
  return reinterpret_cast<ArrayHeader*>(const_cast<void*>(data)) - 1;
}

void ArrayCreate(int elementSize, int dimensions, const int32_t* layout, void* variable, int kind);
void ArrayFree(void* data);
