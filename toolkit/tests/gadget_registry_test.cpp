// The gadget table, registration, the generic operations and the routing to gadget kinds.
#include <gtest/gtest.h>
#include <string>
#include "gadget_test_support.h"
#include "runtime/object_table.h"
#include "runtime/strings.h"
#include "toolkit/fonts.h"
#include "toolkit/gadget_registry.h"
#include "toolkit/gadget_kinds.h"
#include "toolkit/window.h"

namespace {

int DestroyedGadgets;
void CountDestroy(GadgetRecord*) { ++DestroyedGadgets; }
const GadgetKind CountingKind = [] {
  GadgetKind kind = {};
  kind.kind = KindButton;
  kind.destroy = CountDestroy;
  return kind;
}();

// A kind that answers native messages handed to it with the message plus its back colour.
LRESULT AnswerNotify(GadgetRecord* gadget, HWND, UINT message, WPARAM, LPARAM) {
  return message + gadget->colors.backColor;
}
const GadgetKind NotifyKind = [] {
  GadgetKind kind = KindWithoutOperations(KindListBox);
  kind.notify = AnswerNotify;
  return kind;
}();

std::string TextOf(int gadget) {
  ScratchText text;
  GadgetGetText(gadget, text.Start());
  return text.Get();
}

// The "VX_ID" property, which other programs can read (gadget 0 carries the value 0).
struct FoundProperty {
  bool found;
  HANDLE value;
};

BOOL CALLBACK TakeIdProperty(HWND, LPSTR name, HANDLE data, ULONG_PTR param) {
  if (HIWORD((ULONG_PTR)name) == 0 || lstrcmpA(name, "VX_ID") != 0) return TRUE;
  *reinterpret_cast<FoundProperty*>(param) = {true, data};
  return FALSE;
}

std::string PropertyId(HWND control) {
  FoundProperty property = {false, nullptr};
  EnumPropsExA(control, TakeIdProperty, reinterpret_cast<LPARAM>(&property));
  return property.found ? std::to_string((intptr_t)property.value) : "none";
}

// ControlGadgetNumber as text.
std::string GadgetOf(HWND control) {
  intptr_t number = 0;
  return ControlGadgetNumber(control, &number) ? std::to_string(number) : "none";
}

class Gadgets : public testing::Test {
 protected:
  void SetUp() override {
    DestroyedGadgets = 0;
    window_ = (HWND)WindowOpen(1, 50, 50, 400, 300, "gadgets", WS_OVERLAPPEDWINDOW);
    ASSERT_NE(nullptr, window_);
  }
  void TearDown() override {
    WindowClose(1);
    DrainEvents();
  }
  HWND window_;
};

TEST_F(Gadgets, RegistrationNumbersTheControlAndGivesItTheDefaultFont) {
  HWND control = (HWND)MakeGadget(7, "Button", 0, &CountingKind);
  ASSERT_NE(nullptr, control);
  EXPECT_EQ(window_, GetParent(control));
  EXPECT_EQ(7, GetWindowLongPtrA(control, GWLP_ID));
  EXPECT_EQ("7", PropertyId(control));
  EXPECT_EQ(GetStockObject(DEFAULT_GUI_FONT), (HGDIOBJ)SendMessageA(control, WM_GETFONT, 0, 0));
  EXPECT_EQ(control, GadgetHandle(7));
}

TEST_F(Gadgets, AutoNumberGivesANumberAboveTheIdentifierRangeThatIsAlsoTheIdentifier) {
  intptr_t number = MakeGadget(AutoNumber, "Button", 0, &CountingKind);
  ASSERT_GT(number, 65535);
  HWND control = GadgetHandle(number);
  ASSERT_NE(nullptr, control);
  EXPECT_EQ(number, GetWindowLongPtrA(control, GWLP_ID));
  EXPECT_EQ(std::to_string(number), PropertyId(control));
  GadgetFree(number);
  EXPECT_FALSE(IsWindow(control));
  EXPECT_EQ(1, DestroyedGadgets);
}

TEST_F(Gadgets, CreatingANumberTwiceDestroysTheFirstGadget) {
  HWND first = (HWND)MakeGadget(5, "Button", 0, &CountingKind);
  HWND second = (HWND)MakeGadget(5, "Button", 0, &CountingKind);
  ASSERT_NE(nullptr, second);
  EXPECT_FALSE(IsWindow(first));
  EXPECT_EQ(1, DestroyedGadgets);
  EXPECT_EQ(second, GadgetHandle(5));
  EXPECT_EQ(5, GetWindowLongPtrA(second, GWLP_ID));
  EXPECT_EQ("5", PropertyId(second));
}

TEST_F(Gadgets, GadgetFreeDestroysTheControlAndFreesTheNumber) {
  HWND control = (HWND)MakeGadget(3, "Button", 0, &CountingKind);
  GadgetFree(3);
  EXPECT_FALSE(IsWindow(control));
  EXPECT_EQ(nullptr, GadgetHandle(3));
  EXPECT_EQ(1, DestroyedGadgets);
  GadgetFree(3);  // nothing left: does nothing
  EXPECT_EQ(1, DestroyedGadgets);
}

TEST_F(Gadgets, ClosingTheWindowReleasesAllItsGadgets) {
  MakeGadget(1, "Button", 0, &CountingKind);
  MakeGadget(60, "Button", 0, &CountingKind);  // beyond the first 50 slots
  HWND automatic = GadgetHandle(MakeGadget(AutoNumber, "Button", 0, &CountingKind));
  WindowClose(1);
  EXPECT_EQ(3, DestroyedGadgets);
  EXPECT_FALSE(IsWindow(automatic));
  EXPECT_EQ(nullptr, GadgetHandle(1));
  EXPECT_EQ(nullptr, GadgetHandle(60));
}

TEST_F(Gadgets, OperationsAKindLacksFallBackToPlainNativeCalls) {
  HWND control = (HWND)MakeGadget(2, "Button", BS_AUTOCHECKBOX, &CountingKind, "first");
  GadgetSetText(2, "second");
  char text[32];
  GetWindowTextA(control, text, sizeof(text));
  EXPECT_STREQ("second", text);
  EXPECT_EQ("second", TextOf(2));
  GadgetSetText(2, nullptr);
  EXPECT_EQ("", TextOf(2));

  GadgetSetState(2, 1);
  EXPECT_EQ(BST_UNCHECKED, SendMessageA(control, BM_GETCHECK, 0, 0));
  SendMessageA(control, BM_SETCHECK, BST_CHECKED, 0);
  EXPECT_EQ(0, GadgetGetState(2));
  EXPECT_EQ(0, GadgetAddItem(2, -1, "item"));
  GadgetClearItems(2);
  GadgetSetColor(2, ColorBack, 0xFF);

  GadgetHide(2, 1);
  EXPECT_FALSE(IsWindowVisible(control));
  GadgetHide(2, 0);
  EXPECT_TRUE(IsWindowVisible(control));
  GadgetDisable(2, 1);
  EXPECT_FALSE(IsWindowEnabled(control));
  GadgetDisable(2, 0);
  EXPECT_TRUE(IsWindowEnabled(control));
}

TEST_F(Gadgets, ANumberWithoutGadgetDoesNothingAndGivesZero) {
  GadgetSetText(77, "x");
  GadgetSetState(77, 1);
  GadgetHide(77, 1);
  GadgetDisable(77, 1);
  GadgetClearItems(77);
  GadgetSetColor(77, ColorFront, 0);
  GadgetSetFont(77, nullptr);
  GadgetFree(77);
  EXPECT_EQ(0, GadgetGetState(77));
  EXPECT_EQ(0, GadgetAddItem(77, -1, "x"));
  EXPECT_EQ(nullptr, GadgetHandle(77));
  EXPECT_EQ("", TextOf(77));
}

TEST_F(Gadgets, DefaultFontChangesOnlyGadgetsCreatedAfterwards) {
  HFONT font = (HFONT)FontLoad(10, "Arial", 12);
  HWND before = (HWND)MakeGadget(1, "Button", 0, &CountingKind);
  GadgetSetFont(-1, font);
  HWND after = (HWND)MakeGadget(2, "Button", 0, &CountingKind);
  EXPECT_EQ(GetStockObject(DEFAULT_GUI_FONT), (HGDIOBJ)SendMessageA(before, WM_GETFONT, 0, 0));
  EXPECT_EQ(font, (HFONT)SendMessageA(after, WM_GETFONT, 0, 0));

  GadgetSetFont(1, font);
  EXPECT_EQ(font, (HFONT)SendMessageA(before, WM_GETFONT, 0, 0));
  GadgetSetFont(1, (HFONT)-1);  // -1: the stock font
  EXPECT_EQ(GetStockObject(DEFAULT_GUI_FONT), (HGDIOBJ)SendMessageA(before, WM_GETFONT, 0, 0));

  GadgetSetFont(-1, (HFONT)-1);
  HWND restored = (HWND)MakeGadget(3, "Button", 0, &CountingKind);
  EXPECT_EQ(GetStockObject(DEFAULT_GUI_FONT), (HGDIOBJ)SendMessageA(restored, WM_GETFONT, 0, 0));
  WindowClose(1);
  FontFree(10);
}

// The brush a label's window answers to its control-colour request.
HBRUSH LabelBrush(HWND window, int label) {
  HDC dc = GetDC(window);
  HBRUSH brush = (HBRUSH)SendMessageA(window, WM_CTLCOLORSTATIC, (WPARAM)dc, (LPARAM)GadgetHandle(label));
  ReleaseDC(window, dc);
  return brush;
}

TEST_F(Gadgets, LabelsWithOneBackColourShareOneBrushUntilTheLastIsGone) {
  CreateLabel(1, 10, 10, 80, 20, "one");
  CreateLabel(2, 10, 40, 80, 20, "two");
  GadgetSetColor(1, ColorBack, 0xDCDCDC);
  GadgetSetColor(2, ColorBack, 0xDCDCDC);
  HBRUSH shared = LabelBrush(window_, 1);
  ASSERT_EQ(OBJ_BRUSH, GetObjectType(shared));
  EXPECT_EQ(shared, LabelBrush(window_, 2));

  GadgetSetColor(1, ColorBack, 0xBEBEBE);
  HBRUSH other = LabelBrush(window_, 1);
  EXPECT_NE(shared, other);
  EXPECT_EQ(OBJ_BRUSH, GetObjectType(shared));  // label 2 still uses it
  EXPECT_EQ(shared, LabelBrush(window_, 2));

  GadgetSetColor(1, ColorBack, 0xDCDCDC);
  EXPECT_EQ(shared, LabelBrush(window_, 1));
  WindowClose(1);  // destroys both labels
  EXPECT_EQ(0u, GetObjectType(shared));
  EXPECT_EQ(0u, GetObjectType(other));
}

TEST_F(Gadgets, NativeMessagesReachTheKindOnlyForGadgetControls) {
  HWND gadgetZero = (HWND)MakeGadget(0, "Button", 0, &NotifyKind);
  GadgetFind(0)->colors.backColor = 1000;
  EXPECT_EQ(WM_COMMAND + 1000, ForwardToGadgetKind(gadgetZero, window_, WM_COMMAND, 0, 0));

  // Identifier 0 but no "VX_ID": not gadget 0.
  HWND stranger = CreateWindowExA(0, "Button", "", WS_CHILD, 0, 0, 10, 10, window_, (HMENU)0,
                                  GetModuleHandleA(nullptr), nullptr);
  EXPECT_EQ(NotHandled, ForwardToGadgetKind(stranger, window_, WM_COMMAND, 0, 0));
  // "VX_ID" that differs from the identifier: not a gadget either.
  SetPropA(stranger, "VX_ID", (HANDLE)0);
  SetWindowLongPtrA(stranger, GWLP_ID, 12);
  EXPECT_EQ(NotHandled, ForwardToGadgetKind(stranger, window_, WM_COMMAND, 0, 0));
  RemovePropA(stranger, "VX_ID");
  DestroyWindow(stranger);

  HWND withoutHandler = (HWND)MakeGadget(1, "Button", 0, &CountingKind);
  EXPECT_EQ(NotHandled, ForwardToGadgetKind(withoutHandler, window_, WM_COMMAND, 0, 0));
  EXPECT_EQ(NotHandled, ForwardToGadgetKind(nullptr, window_, WM_COMMAND, 0, 0));
}

HWND PlainControl(intptr_t identifier, HWND parent) {
  return CreateWindowExA(0, "Button", "", WS_CHILD, 0, 0, 10, 10, parent, (HMENU)identifier,
                         GetModuleHandleA(nullptr), nullptr);
}

TEST_F(Gadgets, AControlIsTheGadgetThatItsIdentifierNamesNowAndNoOther) {
  HWND zero = (HWND)MakeGadget(0, "Button", 0, &CountingKind);
  // A fixed number freed, carried by a plain control, then given to a new gadget.
  HWND firstFour = (HWND)MakeGadget(4, "Button", 0, &CountingKind);
  GadgetFree(4);
  HWND plainFour = PlainControl(4, window_);
  HWND secondFour = (HWND)MakeGadget(4, "Button", 0, &CountingKind);
  // An automatic number freed and carried by a plain control; the next automatic gadget
  // may well get the same record, and so the same number.
  intptr_t oldAutomatic = MakeGadget(AutoNumber, "Button", 0, &CountingKind);
  GadgetFree(oldAutomatic);
  HWND plainAutomatic = PlainControl(oldAutomatic, window_);
  intptr_t automatic = MakeGadget(AutoNumber, "Button", 0, &CountingKind);

  struct Case {
    const char* what;
    HWND control;
    std::string gadget;
  } cases[] = {
      {"gadget 0", zero, "0"},
      {"gadget 4", secondFour, "4"},
      {"the freed gadget 4", firstFour, "none"},
      {"a plain control with gadget 4's number", plainFour, "none"},
      {"an automatic gadget", GadgetHandle(automatic), std::to_string(automatic)},
      {"a plain control with a freed automatic number", plainAutomatic, "none"},
      {"a gadget's own child with its parent's number", PlainControl(4, secondFour), "none"},
      {"an identifier beyond the table's slots", PlainControl(4000, window_), "none"},
      // Read as an address by a careless look-up.
      {"an identifier like an automatic number", PlainControl(0x7FFE0000, window_), "none"},
      {"the window itself", window_, "none"},
      {"no control", nullptr, "none"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(c.gadget, GadgetOf(c.control));
    GadgetRecord* record = GadgetRecordOfControl(c.control);
    EXPECT_EQ(c.gadget != "none", record != nullptr);
    if (record) {
      EXPECT_EQ(c.control, record->handle);
    }
  }
  // The freed automatic number's plain control is still no gadget once its number is free.
  GadgetFree(automatic);
  EXPECT_EQ("none", GadgetOf(plainAutomatic));
}

TEST_F(Gadgets, OwnerToolkitWindowIsTheNearestWindowWithAWindowNumber) {
  HWND panel = CreateWindowExA(0, "Static", "", WS_CHILD | WS_VISIBLE, 0, 0, 100, 100, window_,
                               nullptr, GetModuleHandleA(nullptr), nullptr);
  HWND inner = CreateWindowExA(0, "Button", "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, panel,
                               nullptr, GetModuleHandleA(nullptr), nullptr);
  EXPECT_EQ(window_, OwnerToolkitWindow(inner));
  EXPECT_EQ(window_, OwnerToolkitWindow(window_));

  // Outside any toolkit window: the topmost ancestor, not the owner of a top-level window.
  HWND plain = CreateWindowExA(0, "Static", "", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, window_,
                               nullptr, GetModuleHandleA(nullptr), nullptr);
  HWND plainChild = CreateWindowExA(0, "Button", "", WS_CHILD, 0, 0, 10, 10, plain, nullptr,
                                    GetModuleHandleA(nullptr), nullptr);
  EXPECT_EQ(plain, OwnerToolkitWindow(plainChild));
  DestroyWindow(plain);
}

// Operations that only tell themselves apart, for the tables' builder.
LRESULT AnyNotify(GadgetRecord*, HWND, UINT, WPARAM, LPARAM) { return 0; }
void AnyDestroy(GadgetRecord*) {}
intptr_t AnyGetState(GadgetRecord*) { return 0; }
void AnySetState(GadgetRecord*, intptr_t) {}
void AnyGetText(GadgetRecord*, int32_t) {}
void AnySetText(GadgetRecord*, const char*) {}
int32_t AnyAddItem(GadgetRecord*, int32_t, const char*) { return 0; }
void AnyClearItems(GadgetRecord*) {}
void AnySetColor(GadgetRecord*, int32_t, int32_t) {}

// Each step of the builder fills the slots it names, in the order of the record, and
// leaves every other slot as it was.
TEST(GadgetKindTables, EachStepFillsOnlyTheOperationsItNames) {
  constexpr GadgetKind full = GadgetKind::Of(KindListBox)
                                  .Notify(AnyNotify)
                                  .Destroy(AnyDestroy)
                                  .State(AnyGetState, AnySetState)
                                  .Text(AnyGetText, AnySetText)
                                  .Items(AnyAddItem, AnyClearItems)
                                  .Color(AnySetColor);
  EXPECT_EQ(KindListBox, full.kind);
  EXPECT_EQ(&AnyNotify, full.notify);
  EXPECT_EQ(&AnyDestroy, full.destroy);
  EXPECT_EQ(&AnyGetState, full.getState);
  EXPECT_EQ(&AnySetState, full.setState);
  EXPECT_EQ(&AnyGetText, full.getText);
  EXPECT_EQ(&AnySetText, full.setText);
  EXPECT_EQ(&AnyAddItem, full.addItem);
  EXPECT_EQ(&AnyClearItems, full.clearItems);
  EXPECT_EQ(&AnySetColor, full.setColor);

  constexpr GadgetKind some = GadgetKind::Of(KindTextEditor).Text(nullptr, AnySetText).Color(AnySetColor);
  EXPECT_EQ(KindTextEditor, some.kind);
  EXPECT_EQ(nullptr, some.notify);
  EXPECT_EQ(nullptr, some.destroy);
  EXPECT_EQ(nullptr, some.getState);
  EXPECT_EQ(nullptr, some.setState);
  EXPECT_EQ(nullptr, some.getText);
  EXPECT_EQ(&AnySetText, some.setText);
  EXPECT_EQ(nullptr, some.addItem);
  EXPECT_EQ(nullptr, some.clearItems);
  EXPECT_EQ(&AnySetColor, some.setColor);
}

}  // namespace
