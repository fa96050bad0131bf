#include "runtime/object_table.h"
#include "runtime/heaps.h"

namespace {

bool IsFixed(const ObjectTable* table, intptr_t number) {
  return number >= 0 && number < table->capacity;
}

// AutoNumber records are heap addresses, and Windows never maps the lowest 64 KB: a small
// number beyond the slots names nothing and is never read as an address.
bool CouldBeRecord(intptr_t number) { return number >= 0x10000; }

// The slot array's size in bytes must stay a positive 32-bit count: a larger fixed number
// would wrap the size and hand out a slot beyond the allocation.
intptr_t LargestFixedNumber(const ObjectTable* table) {
  return INT32_MAX / table->recordSize - table->growthStep;
}

void* RecordOf(AutoNode* node) { return node + 1; }
AutoNode* NodeOf(intptr_t number) { return reinterpret_cast<AutoNode*>(number) - 1; }
void* SlotOf(ObjectTable* table, intptr_t number) {
  return table->slots + (size_t)number * table->recordSize;
}
bool InUse(const void* record) { return record && *static_cast<const int32_t*>(record) != 0; }

}  // namespace

ObjectTable* ObjectTableNew(int recordSize, int growthStep, ReleaseOp release) {
  ObjectTable* table = static_cast<ObjectTable*>(ProgramAlloc(sizeof(ObjectTable)));
  if (!table) return nullptr;
  table->recordSize = recordSize;
  table->growthStep = growthStep;
  table->capacity = growthStep;
  table->release = release;
  table->slots = static_cast<uint8_t*>(ProgramAlloc((size_t)growthStep * recordSize));
  return table;
}

void* ObjectTableSlot(ObjectTable* table, intptr_t number) {
  if (number == AutoNumber) {
    AutoNode* node = static_cast<AutoNode*>(
        HeapAlloc(NodeHeap, HEAP_ZERO_MEMORY, sizeof(AutoNode) + table->recordSize));
    if (!node) return nullptr;
    node->older = table->newest;
    if (table->newest) table->newest->newer = node;
    table->newest = node;
    return RecordOf(node);
  }
  if (number < 0 || number > LargestFixedNumber(table)) return nullptr;
  if (number >= table->capacity) {
    int32_t capacity = (int32_t)(number + table->growthStep);
    void* slots = ProgramRealloc(table->slots, (size_t)capacity * table->recordSize);
    if (!slots) return nullptr;
    table->slots = static_cast<uint8_t*>(slots);
    table->capacity = capacity;
  }
  if (table->release) table->release(number);
  return SlotOf(table, number);
}

void* ObjectTableFind(ObjectTable* table, intptr_t number) {
  if (!table) return nullptr;
  void* record;
  if (IsFixed(table, number)) record = SlotOf(table, number);
  else if (!CouldBeRecord(number)) return nullptr;
  else record = reinterpret_cast<void*>(number);
  return InUse(record) ? record : nullptr;
}

intptr_t ObjectTableVerify(ObjectTable* table, intptr_t number) {
  if (!table) return 0;
  if (IsFixed(table, number)) return InUse(SlotOf(table, number)) ? 1 : 0;
  for (AutoNode* node = table->newest; node; node = node->older)
    if (ObjectNumberOf(RecordOf(node)) == number) return number;
  return 0;
}

void ObjectTableRelease(ObjectTable* table, intptr_t number) {
  if (!table) return;
  if (IsFixed(table, number)) {
    ZeroMemory(SlotOf(table, number), table->recordSize);
    return;
  }
  if (!CouldBeRecord(number)) return;
  AutoNode* node = NodeOf(number);
  if (node == table->newest) {
    table->newest = node->older;
    if (table->newest) table->newest->newer = nullptr;
  } else {
    if (node->newer) node->newer->older = node->older;
    if (node->older) node->older->newer = node->newer;
  }
  if (table->iterCursor == node) table->iterCursor = node->newer;
  HeapFree(NodeHeap, 0, node);
}

void ObjectTableRewind(ObjectTable* table) {
  table->iterIndex = 0;
  AutoNode* oldest = table->newest;
  while (oldest && oldest->older) oldest = oldest->older;
  table->iterCursor = oldest;
}

void* ObjectTableNext(ObjectTable* table, intptr_t* number) {
  while (table->iterIndex < table->capacity) {
    int32_t index = table->iterIndex++;
    void* record = SlotOf(table, index);
    if (InUse(record)) {
      if (number) *number = index;
      return record;
    }
  }
  AutoNode* node = table->iterCursor;
  if (!node) return nullptr;
  table->iterCursor = node->newer;
  if (number) *number = ObjectNumberOf(RecordOf(node));
  return RecordOf(node);
}

void ObjectTableFreeAll(ObjectTable* table) {
  if (!table || !table->release) return;
  ObjectTableRewind(table);
  intptr_t number;
  while (ObjectTableNext(table, &number)) table->release(number);
}
