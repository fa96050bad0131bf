// Arrays of string values: strides, element places and freeing.
#include <gtest/gtest.h>
#include "runtime/array.h"
#include "runtime/heaps.h"
#include "runtime/strings.h"

namespace {

const LayoutEntry StringElement[] = {0, LayoutEnd};

TEST(Array, ElevenByThreeHasStrideThreeAndThirtyFourEmptyPlaces) {
  ArrayVariable<2> table = {nullptr, {11, 3}};
  ArrayCreate(sizeof(StringValue), 2, StringElement, &table, 8);
  ASSERT_NE(nullptr, table.data);
  EXPECT_EQ(3, table.fields[0]);
  EXPECT_EQ(3, table.fields[1]);
  ArrayHeader* header = ArrayHeaderOf(table.data);
  EXPECT_EQ(2, header->dimensions);
  EXPECT_EQ((int32_t)sizeof(StringValue), header->elementSize);  // 4 on the 32-bit build
  EXPECT_EQ(33, header->count);
  EXPECT_EQ(8, header->kind);
  EXPECT_EQ(&table, header->owner);
  EXPECT_GE(HeapSize(ProgramHeap, 0, header), sizeof(ArrayHeader) + 34 * sizeof(StringValue));
  StringValue* elements = static_cast<StringValue*>(table.data);
  for (int i = 0; i < 34; ++i) EXPECT_EQ(nullptr, elements[i]) << i;
  ArrayFree(table.data);
}

TEST(Array, ThreeDimensionsUseProductsOfTheLaterSizes) {
  ArrayVariable<3> cube = {nullptr, {2, 3, 4}};
  ArrayCreate(sizeof(StringValue), 3, StringElement, &cube, 0);
  EXPECT_EQ(12, cube.fields[0]);
  EXPECT_EQ(4, cube.fields[1]);
  EXPECT_EQ(4, cube.fields[2]);
  EXPECT_EQ(24, ArrayHeaderOf(cube.data)->count);
  ArrayFree(cube.data);
}

// Counts the StringHeap's busy blocks, to see that every string is freed exactly once.
int BusyStringBlocks() {
  int busy = 0;
  PROCESS_HEAP_ENTRY entry = {};
  while (HeapWalk(StringHeap, &entry))
    if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) ++busy;
  return busy;
}

TEST(Array, FreeReleasesEveryStringOnce) {
  int before = BusyStringBlocks();
  ArrayVariable<2> table = {nullptr, {11, 3}};
  ArrayCreate(sizeof(StringValue), 2, StringElement, &table, 8);
  StringValue* elements = static_cast<StringValue*>(table.data);
  for (int row = 1; row <= 6; ++row) {
    StrAssign(&elements[row * 3 + 1], "heading");
    StrAssign(&elements[row * 3 + 2], "sub-heading");
  }
  EXPECT_EQ(before + 12, BusyStringBlocks());
  ArrayFree(table.data);
  EXPECT_EQ(before, BusyStringBlocks());
  ArrayFree(nullptr);  // nothing happens
}

struct Pair {
  StringValue names[2];
  int32_t number;
};
const LayoutEntry NamesOnly[] = {0, LayoutEnd};
const LayoutEntry PairLayout[] = {LayoutNested, 2, 0, sizeof(StringValue), (LayoutEntry)NamesOnly, LayoutEnd};

TEST(Array, NestedLayoutFreesTheStringsOfEachSubElement) {
  int before = BusyStringBlocks();
  ArrayVariable<2> pairs = {nullptr, {2, 2}};
  ArrayCreate(sizeof(Pair), 2, PairLayout, &pairs, 0);
  Pair* elements = static_cast<Pair*>(pairs.data);
  for (int i = 0; i < 4; ++i) {
    StrAssign(&elements[i].names[0], "a");
    StrAssign(&elements[i].names[1], "b");
  }
  ArrayFree(pairs.data);
  EXPECT_EQ(before, BusyStringBlocks());
}

}  // namespace
