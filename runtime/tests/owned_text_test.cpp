// The owning text: every way a value leaves an owner frees it exactly once.
#include <gtest/gtest.h>
#include <utility>
#include "runtime/owned_text.h"

namespace {

// Blocks in use in the string heap.
int BusyBlocks() {
  int busy = 0;
  PROCESS_HEAP_ENTRY entry = {};
  HeapLock(StringHeap);
  while (HeapWalk(StringHeap, &entry))
    if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) ++busy;
  HeapUnlock(StringHeap);
  return busy;
}

OwnedText Made(const char* text) {
  OwnedText value;
  StrAssign(value.Slot(), text);
  return value;
}

TEST(OwnedTextTest, ScopeMoveAndReassignmentEachFreeTheValueOnce) {
  int before = BusyBlocks();
  {
    OwnedText first = Made("first");
    EXPECT_EQ(before + 1, BusyBlocks());
    OwnedText second(std::move(first));
    EXPECT_EQ(nullptr, first.Get());
    EXPECT_STREQ("first", second.Get());
    second = Made("second");  // the old value goes at once
    EXPECT_EQ(before + 1, BusyBlocks());
    second = std::move(second);
    EXPECT_STREQ("second", second.Get());
    StrAssign(second.Slot(), nullptr);
    EXPECT_EQ(before, BusyBlocks());
    StrAssign(second.Slot(), "third");
  }
  EXPECT_EQ(before, BusyBlocks());
}

TEST(OwnedTextTest, ReleasedValueOutlivesItsOwner) {
  int before = BusyBlocks();
  StringValue kept;
  {
    OwnedText owner = Made("kept");
    kept = owner.Release();
    EXPECT_EQ(nullptr, owner.Get());
  }
  EXPECT_STREQ("kept", kept);
  EXPECT_EQ(before + 1, BusyBlocks());
  StrFree(kept);
  EXPECT_EQ(before, BusyBlocks());
}

TEST(OwnedTextTest, TakesAFinishedScratchExpression) {
  OwnedText path;
  {
    ScratchText text;
    text.Append("C:\\").Append("Brindlex\\");
    text.AssignTo(path.Slot());
  }
  EXPECT_STREQ("C:\\Brindlex\\", path.Get());
}

}  // namespace
