#pragma once
// Numbered objects. A library keeps its objects in an ObjectTable: fixed numbers (0 or
// greater) index a slot array that grows by a fixed step; AutoNumber objects live in
// nodes of the NodeHeap and their number is the address of their record.
// A record is in use while its first 32-bit field is non-zero.
// Numbers are pointer-sized wherever they are kept or passed: an AutoNumber number is an
// address, and on 64-bit Windows addresses do not fit in 32 bits.
#include <stdint.h>

// The setup numbers all its objects itself; AutoNumber stays because every numbered library
// offers it to its callers, the same way.
constexpr int AutoNumber = -1;

typedef void (*ReleaseOp)(intptr_t number);

struct AutoNode {
  AutoNode* older;
  AutoNode* newer;
  // the record follows
};

struct ObjectTable {
  int32_t recordSize;
  int32_t growthStep;
  int32_t capacity;
  AutoNode* newest;
  ReleaseOp release;
  int32_t iterIndex;
  AutoNode* iterCursor;
  uint8_t* slots;
};

ObjectTable* ObjectTableNew(int recordSize, int growthStep, ReleaseOp release);
// The record a create operation fills. For AutoNumber a new node is linked in (the number
// is then ObjectNumberOf(record)); for a fixed number the table grows as needed and the
// object that had the number is released first. A fixed number whose slots could not be
// addressed gives null and changes nothing.
void* ObjectTableSlot(ObjectTable* table, intptr_t number);
// The live record of a number, or null. Constant time for both kinds of number.
void* ObjectTableFind(ObjectTable* table, intptr_t number);
// Non-zero if the number names an object; walks the AutoNumber list, never touches
// memory at an unknown address.
intptr_t ObjectTableVerify(ObjectTable* table, intptr_t number);
void ObjectTableRelease(ObjectTable* table, intptr_t number);
void ObjectTableRewind(ObjectTable* table);
// Next object in iteration order (fixed numbers ascending, then AutoNumber oldest first),
// or null at the end. The position advances first, so the caller may release the result.
void* ObjectTableNext(ObjectTable* table, intptr_t* number);
void ObjectTableFreeAll(ObjectTable* table);

// The number of an AutoNumber record (its address).
inline intptr_t ObjectNumberOf(const void* record) { return (intptr_t)record; }

template <typename Record>
inline Record* FindRecord(ObjectTable* table, intptr_t number) {
  return static_cast<Record*>(ObjectTableFind(table, number));
}
