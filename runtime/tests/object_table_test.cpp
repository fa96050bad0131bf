// Object tables: numbering, replacement, growth, AutoNumber records and iteration order.
#include <gtest/gtest.h>
#include <stdint.h>
#include <vector>
#include "runtime/heaps.h"
#include "runtime/object_table.h"

namespace {

struct Record {
  int32_t handle;  // non-zero while in use
  int32_t payload;
};

ObjectTable* table;
std::vector<intptr_t> released;  // numbers handed to the release operation, in order

void ReleaseRecord(intptr_t number) {
  Record* record = FindRecord<Record>(table, number);
  if (!record) return;
  released.push_back(number);
  ObjectTableRelease(table, number);
}

Record* Create(intptr_t number, int32_t handle) {
  Record* record = static_cast<Record*>(ObjectTableSlot(table, number));
  record->handle = handle;
  return record;
}

class ObjectTableTest : public testing::Test {
 protected:
  void SetUp() override {
    table = ObjectTableNew(sizeof(Record), 16, ReleaseRecord);
    released.clear();
  }
};

TEST_F(ObjectTableTest, FixedNumberReuseReleasesTheOldObjectFirst) {
  Create(3, 111)->payload = 7;
  Record* second = static_cast<Record*>(ObjectTableSlot(table, 3));
  EXPECT_EQ(std::vector<intptr_t>{3}, released);
  EXPECT_EQ(0, second->handle);  // the slot comes back zero-filled
  EXPECT_EQ(0, second->payload);
  EXPECT_EQ(16, table->capacity);
}

TEST_F(ObjectTableTest, NumberBeyondCapacityGrowsByTheStepAndKeepsSlots) {
  Create(2, 22);
  Create(100, 1000);
  EXPECT_EQ(116, table->capacity);
  for (int n = 16; n < 116; ++n)
    if (n != 100) {
      EXPECT_EQ(nullptr, ObjectTableFind(table, n)) << n;
    }
  ASSERT_NE(nullptr, FindRecord<Record>(table, 2));
  EXPECT_EQ(22, FindRecord<Record>(table, 2)->handle);
  EXPECT_EQ(1000, FindRecord<Record>(table, 100)->handle);
}

TEST_F(ObjectTableTest, FixedNumberWhoseSlotsWouldPassTwoGigabytesIsRefused) {
  // On a 32-bit build the slot array's size would wrap and the slot lie beyond it; the
  // largest pointer-sized numbers would wrap the capacity itself.
  Create(3, 33)->payload = 4;
  const intptr_t refused[] = {(intptr_t)(INT32_MAX / sizeof(Record)), (intptr_t)INT32_MAX,
                              INTPTR_MAX - 15, INTPTR_MAX};
  for (intptr_t number : refused) {
    SCOPED_TRACE(number);
    EXPECT_EQ(nullptr, ObjectTableSlot(table, number));
    EXPECT_EQ(16, table->capacity);
    ASSERT_NE(nullptr, FindRecord<Record>(table, 3));  // nothing changes, nothing is freed
    EXPECT_EQ(33, FindRecord<Record>(table, 3)->handle);
    EXPECT_EQ(4, FindRecord<Record>(table, 3)->payload);
    EXPECT_TRUE(released.empty());
    EXPECT_TRUE(HeapValidate(ProgramHeap, 0, nullptr));
  }
  EXPECT_NE(nullptr, ObjectTableSlot(table, 1000));
}

TEST_F(ObjectTableTest, FindAndVerifyTellLiveFromEmpty) {
  EXPECT_EQ(nullptr, ObjectTableFind(table, 5));
  EXPECT_EQ(0, ObjectTableVerify(table, 5));
  Create(5, 55);
  EXPECT_NE(nullptr, ObjectTableFind(table, 5));
  EXPECT_NE(0, ObjectTableVerify(table, 5));
  ObjectTableRelease(table, 5);
  EXPECT_EQ(nullptr, ObjectTableFind(table, 5));
}

TEST_F(ObjectTableTest, AutoNumbersAreDistinctRecordAddressesOutsideTheFixedRange) {
  Record* a = Create(AutoNumber, 1);
  Record* b = Create(AutoNumber, 2);
  intptr_t na = ObjectNumberOf(a), nb = ObjectNumberOf(b);
  EXPECT_NE(na, nb);
  EXPECT_GE(na, table->capacity);
  EXPECT_GE(nb, table->capacity);
  EXPECT_EQ(a, ObjectTableFind(table, na));
  EXPECT_EQ(na, ObjectTableVerify(table, na));
  EXPECT_TRUE(released.empty());  // an AutoNumber creation releases nothing
}

TEST_F(ObjectTableTest, SmallNumbersBeyondTheSlotsNameNothing) {
  EXPECT_EQ(nullptr, ObjectTableFind(table, 30));  // would be read as address 30 otherwise
  EXPECT_EQ(nullptr, ObjectTableFind(table, 65535));
  EXPECT_EQ(nullptr, ObjectTableFind(table, -5));
  ObjectTableRelease(table, 30);  // nothing to release, nothing touched
  EXPECT_EQ(16, table->capacity);
}

TEST_F(ObjectTableTest, VerifyOfANonRecordDoesNotTouchItsAddress) {
  Create(AutoNumber, 1);
  // An address that is certainly not a record: reading it would fault.
  EXPECT_EQ(0, ObjectTableVerify(table, 0x7FFF0000));
  int32_t local = 5;
  EXPECT_EQ(0, ObjectTableVerify(table, ObjectNumberOf(&local)));
}

TEST_F(ObjectTableTest, FreeAllReleasesFixedAscendingThenAutoOldestFirst) {
  Create(7, 70);
  intptr_t first = ObjectNumberOf(Create(AutoNumber, 1));
  Create(2, 20);
  intptr_t second = ObjectNumberOf(Create(AutoNumber, 2));
  intptr_t third = ObjectNumberOf(Create(AutoNumber, 3));
  Create(40, 400);
  ObjectTableFreeAll(table);
  EXPECT_EQ((std::vector<intptr_t>{2, 7, 40, first, second, third}), released);
  EXPECT_EQ(nullptr, table->newest);
  ObjectTableRewind(table);
  EXPECT_EQ(nullptr, ObjectTableNext(table, nullptr));
}

TEST_F(ObjectTableTest, ReleasingTheMiddleNodeKeepsTheListLinked) {
  intptr_t a = ObjectNumberOf(Create(AutoNumber, 1));
  intptr_t b = ObjectNumberOf(Create(AutoNumber, 2));
  intptr_t c = ObjectNumberOf(Create(AutoNumber, 3));
  ObjectTableRelease(table, b);
  std::vector<intptr_t> order;
  ObjectTableRewind(table);
  intptr_t number;
  while (ObjectTableNext(table, &number)) order.push_back(number);
  EXPECT_EQ((std::vector<intptr_t>{a, c}), order);
  EXPECT_EQ(0, ObjectTableVerify(table, b));
  ObjectTableRelease(table, c);  // the newest
  ObjectTableRelease(table, a);
  EXPECT_EQ(nullptr, table->newest);
}

TEST(ObjectTableNoRelease, FreeAllWithoutReleaseOperationDoesNothing) {
  ObjectTable* plain = ObjectTableNew(8, 4, nullptr);
  static_cast<int32_t*>(ObjectTableSlot(plain, 1))[0] = 9;
  ObjectTableFreeAll(plain);
  EXPECT_NE(nullptr, ObjectTableFind(plain, 1));
}

}  // namespace
