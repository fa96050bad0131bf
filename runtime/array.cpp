#include "runtime/array.h"
#include "runtime/heaps.h"
#include "runtime/strings.h"

void ArrayCreate(int elementSize, int dimensions, const LayoutEntry* layout, void* variable, int kind) {
  int32_t* fields = reinterpret_cast<int32_t*>(static_cast<void**>(variable) + 1);
  int32_t firstSize = fields[0];
  for (int k = 0; k < dimensions - 1; ++k) {
    int32_t stride = 1;
    for (int j = k + 1; j < dimensions; ++j) stride *= fields[j];
    fields[k] = stride;
  }
  int32_t count = firstSize * fields[0];
  ArrayHeader* header = static_cast<ArrayHeader*>(
      ProgramAlloc(sizeof(ArrayHeader) + (size_t)elementSize * (count + 1)));
  if (!header) {
    *static_cast<void**>(variable) = nullptr;
    return;
  }
  header->dimensions = dimensions;
  header->elementSize = elementSize;
  header->layout = layout;
  header->owner = variable;
  header->count = count;
  header->kind = kind;
  *static_cast<void**>(variable) = header + 1;
}

static void FreeElement(uint8_t* element, const LayoutEntry* layout) {
  while (*layout != LayoutEnd) {
    if (*layout >= 0) {
      StringValue* value = reinterpret_cast<StringValue*>(element + *layout);
      StrFree(*value);
      *value = nullptr;
      ++layout;
    } else {  // LayoutNested: count, offset, stride, nested layout
      intptr_t count = layout[1], offset = layout[2], stride = layout[3];
      const LayoutEntry* nested = reinterpret_cast<const LayoutEntry*>(layout[4]);
      for (intptr_t i = 0; i < count; ++i) FreeElement(element + offset + i * stride, nested);
      layout += 5;
    }
  }
}

void ArrayFree(void* data) {
  if (!data) return;
  ArrayHeader* header = ArrayHeaderOf(data);
  uint8_t* element = static_cast<uint8_t*>(data);
  for (int32_t i = 0; i < header->count; ++i, element += header->elementSize)
    FreeElement(element, header->layout);
  ProgramFree(header);
}
