// Object numbers that are addresses above 4 GiB. On the 64-bit build this program reserves
// the low 4 GiB of its address space before the runtime starts, so every heap, and with it
// every AutoNumber record, lies above them: a number cut to 32 bits anywhere on its way
// through the tables, the control identifiers or the event state then names nothing. On
// the 32-bit build the same round trips run at ordinary addresses.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "gadget_test_support.h"
#include "toolkit_libraries.h"
#include "runtime/files.h"
#include "runtime/object_table.h"
#include "toolkit/fonts.h"
#include "toolkit/focus.h"
#include "toolkit/gadget_registry.h"
#include "toolkit/gadget_kinds.h"
#include "toolkit/window.h"

namespace {

constexpr uint64_t FourGiB = 1ull << 32;
constexpr bool Wide = sizeof(void*) == 8;

// Reserves every free range below 4 GiB, so that later allocations can only land above.
void ReserveLowAddressSpace() {
  if (!Wide) return;
  uint64_t address = 0x10000;
  MEMORY_BASIC_INFORMATION region;
  while (address < FourGiB && VirtualQuery((void*)(uintptr_t)address, &region, sizeof region)) {
    uint64_t end = (uintptr_t)region.BaseAddress + region.RegionSize;
    if (region.State == MEM_FREE) {
      uint64_t start = (address + 0xFFFF) & ~0xFFFFull;
      uint64_t stop = end < FourGiB ? end : FourGiB;
      if (stop > start) VirtualAlloc((void*)(uintptr_t)start, (SIZE_T)(stop - start), MEM_RESERVE, PAGE_NOACCESS);
    }
    address = end;
  }
}

// An AutoNumber number as this build makes them: above 4 GiB on the 64-bit build.
void ExpectHigh(intptr_t number) {
  EXPECT_GE(number, 0x10000);
  if (Wide) {
    EXPECT_GE((uint64_t)number, FourGiB) << "the low 4 GiB were not reserved";
  }
}

struct Record {
  HANDLE handle;  // non-zero while in use
  intptr_t value;
};

ObjectTable* Table;
std::vector<intptr_t> Released;

void ReleaseRecord(intptr_t number) {
  if (!FindRecord<Record>(Table, number)) return;
  Released.push_back(number);
  ObjectTableRelease(Table, number);
}

std::vector<intptr_t> IterationOrder() {
  std::vector<intptr_t> order;
  intptr_t number;
  ObjectTableRewind(Table);
  while (ObjectTableNext(Table, &number)) order.push_back(number);
  return order;
}

TEST(HighAddresses, AutoNumbersSurviveFindVerifyIterationAndRelease) {
  Table = ObjectTableNew(sizeof(Record), 16, ReleaseRecord);
  std::vector<intptr_t> numbers;
  for (int i = 0; i < 3; ++i) {
    Record* record = static_cast<Record*>(ObjectTableSlot(Table, AutoNumber));
    ASSERT_NE(nullptr, record);
    record->handle = (HANDLE)(intptr_t)(i + 1);
    numbers.push_back(ObjectNumberOf(record));
    ExpectHigh(numbers.back());
  }
  for (intptr_t number : numbers) {
    EXPECT_EQ((void*)number, ObjectTableFind(Table, number));
    EXPECT_EQ(number, ObjectTableVerify(Table, number));
    // The same number cut to 32 bits names no object.
    if (Wide) {
      EXPECT_EQ(0, ObjectTableVerify(Table, (intptr_t)(uint32_t)number));
    }
  }
  EXPECT_EQ(numbers, IterationOrder());

  ObjectTableRelease(Table, numbers[1]);
  EXPECT_EQ(0, ObjectTableVerify(Table, numbers[1]));
  EXPECT_EQ((std::vector<intptr_t>{numbers[0], numbers[2]}), IterationOrder());

  ObjectTableFreeAll(Table);
  EXPECT_EQ((std::vector<intptr_t>{numbers[0], numbers[2]}), Released);
  EXPECT_EQ(nullptr, Table->newest);
}

TEST(HighAddresses, AutoNumberedFilesAndFontsAreFoundAgain) {
  char folder[MAX_PATH], path[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  GetTempFileNameA(folder, "brx", 0, path);
  intptr_t file = FileCreate(AutoNumber, path);
  ExpectHigh(file);
  EXPECT_EQ(1, FileIsOpen(file));
  EXPECT_EQ(4, FileWriteLine(file, "ab"));
  EXPECT_EQ(1, FileClose(file));
  EXPECT_EQ(0, FileIsOpen(file));
  DeleteFileA(path);

  intptr_t font = FontLoad(AutoNumber, "Arial", 10);
  ExpectHigh(font);
  HFONT handle = *reinterpret_cast<HFONT*>(font);  // the record the number addresses holds the font first
  EXPECT_EQ(OBJ_FONT, GetObjectType(handle));
  FontFree(font);
  EXPECT_EQ(0u, GetObjectType(handle));
}

// A kind whose state is kept in its record, as an image box keeps its image handle.
intptr_t StoredState(GadgetRecord* gadget) { return (intptr_t)gadget->imageBox.image; }
void StoreState(GadgetRecord* gadget, intptr_t state) { gadget->imageBox.image = (HANDLE)state; }
const GadgetKind StateKind = [] {
  GadgetKind kind = KindWithoutOperations(KindImageBox);
  kind.getState = StoredState;
  kind.setState = StoreState;
  return kind;
}();

TEST(HighAddresses, AutoNumberedWindowAndGadgetsAreFoundFromTheirControlsAndEvents) {
  intptr_t window = WindowOpen(AutoNumber, 20, 20, 300, 200, "high", WS_OVERLAPPEDWINDOW);
  ExpectHigh(window);
  HWND handle = WindowHandle(window);
  ASSERT_TRUE(IsWindow(handle));
  EXPECT_EQ((HANDLE)(window + 1), GetPropA(handle, "VX_WindowID"));
  char className[64] = "";
  GetClassNameA(handle, className, sizeof className);
  EXPECT_EQ("WindowClass_" + std::to_string(window), className);

  intptr_t button = CreateButton(AutoNumber, 10, 10, 80, 24, "b");
  ExpectHigh(button);
  HWND control = GadgetHandle(button);
  ASSERT_TRUE(IsWindow(control));
  EXPECT_EQ(button, GetWindowLongPtrA(control, GWLP_ID));
  intptr_t fromControl = 0;
  ASSERT_TRUE(ControlGadgetNumber(control, &fromControl));
  EXPECT_EQ(button, fromControl);
  // Other programs read the whole number from the control's property.
  EXPECT_EQ((HANDLE)button, GetPropA(control, "VX_ID"));

  DrainEvents();
  PostLeftClick(control);
  EXPECT_EQ((std::vector<GadgetEvent>{{button, GsLeftClick, window}}), CollectGadgetEvents());
  Activate(handle);
  SetFocus(control);
  EXPECT_EQ(button, FocusedGadget());

  MoveWindow(handle, 40, 40, 320, 220, TRUE);
  bool moved = false;
  for (int i = 0; i < 1000 && !moved; ++i) {
    int32_t kind = PollEvent();
    if (kind == 0) break;
    moved = kind == EvMove && LastEventWindow() == window;
  }
  EXPECT_TRUE(moved) << "no move event with the window's whole number";

  intptr_t stateful = MakeGadget(AutoNumber, "Static", 0, &StateKind, "", 10, 50);
  ExpectHigh(stateful);
  const intptr_t wideState = (intptr_t)(~(uintptr_t)0 / 3);  // every other bit, all widths
  GadgetSetState(stateful, wideState);
  EXPECT_EQ(wideState, GadgetGetState(stateful));

  HWND statefulControl = GadgetHandle(stateful);
  GadgetFree(button);
  EXPECT_FALSE(IsWindow(control));
  WindowClose(window);
  EXPECT_FALSE(IsWindow(handle));
  EXPECT_FALSE(IsWindow(statefulControl));
}

}  // namespace

int main(int argc, char** argv) {
  ReserveLowAddressSpace();
  StartToolkitLibraries();
  FilesStart();
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
