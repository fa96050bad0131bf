#pragma once
// Numbered gadgets: native child controls addressed by a number that is also their control
// identifier and their "VX_ID" property, both pointer-sized since an AutoNumber number is
// an address. One table of operations per gadget kind makes the generic operations below
// work on every kind.
#include <windows.h>
#include <stdint.h>

// Answer of a kind's handler that asks for default processing.
constexpr LRESULT NotHandled = (LRESULT)0xD0D0D0D1u;

struct GadgetRecord;

struct GadgetKind {
  int32_t kind;  // GadgetKindNumber
  LRESULT (*notify)(GadgetRecord* gadget, HWND parent, UINT message, WPARAM wParam, LPARAM lParam);
  void (*destroy)(GadgetRecord* gadget);
  // A state may be a handle (an image box's image), so it is pointer-sized.
  intptr_t (*getState)(GadgetRecord* gadget);
  void (*setState)(GadgetRecord* gadget, intptr_t state);
  void (*getText)(GadgetRecord* gadget, int32_t mark);  // result at mark, string convention
  void (*setText)(GadgetRecord* gadget, const char* text);
  int32_t (*addItem)(GadgetRecord* gadget, int32_t position, const char* text);
  void (*clearItems)(GadgetRecord* gadget);
  void (*setColor)(GadgetRecord* gadget, int32_t which, int32_t color);
};

enum GadgetKindNumber : int32_t {
  KindButton = 1,
  KindEditField = 2,
  KindLabel = 3,
  KindCheckBox = 4,
  KindListBox = 6,
  KindImageBox = 9,
  KindContainer = 11,
  KindProgressBar = 14,
  KindTextEditor = 22,
};

struct GadgetRecord {
  HWND handle;  // 0 marks a free slot
  const GadgetKind* kind;
  WNDPROC previousProc;
  intptr_t word[3];  // kind-specific: colours, brushes, image, mouse state
  int32_t previousProcUnicode;  // previousProc is called as a Unicode procedure
  int32_t reserved;  // keeps the record at its table size of 32 bytes
};
static_assert(sizeof(void*) != 4 || sizeof(GadgetRecord) == 32, "gadget records are 32 bytes");

constexpr int32_t ColorFront = 1;
constexpr int32_t ColorBack = 2;

void GadgetsStart();
void GadgetsStop();

// The last step of every creator: numbers the control, subclasses it and sets its font.
// Returns what a creator returns: the handle for a fixed number, the number for AutoNumber.
intptr_t RegisterGadget(intptr_t number, GadgetRecord* record, HWND control, const GadgetKind* kind);
// Takes the record for a number (destroying a gadget that had it); for AutoNumber a new one.
GadgetRecord* GadgetRecordFor(intptr_t number);
GadgetRecord* GadgetFind(intptr_t number);
intptr_t GadgetNumberOf(const GadgetRecord* record);

void GadgetSetText(intptr_t gadget, const char* text);
void GadgetGetText(intptr_t gadget, int32_t mark);  // result at mark
intptr_t GadgetGetState(intptr_t gadget);
void GadgetSetState(intptr_t gadget, intptr_t state);
void GadgetHide(intptr_t gadget, int hide);
void GadgetDisable(intptr_t gadget, int disable);
void GadgetClearItems(intptr_t gadget);
int32_t GadgetAddItem(intptr_t gadget, int32_t position, const char* text);
void GadgetSetColor(intptr_t gadget, int32_t which, int32_t color);
HWND GadgetHandle(intptr_t gadget);
void GadgetSetFont(intptr_t gadget, HFONT font);  // gadget -1: default for later gadgets; font -1: stock font
// Non-zero: gadgets created from now on start hidden, as if hidden right after their
// creation but without the work of hiding them; 0 (the default): they start visible again.
void GadgetCreateHidden(int hidden);
void GadgetFree(intptr_t gadget);

// Gadget lists: which native window receives the next gadget.
HWND GadgetListAttach(HWND window);
void GadgetListPush(HWND container);
void GadgetListClose();
HWND GadgetListParent();  // the current parent

// The gadget a native control is: its record, or null for a control that is not (or not
// yet, or no longer) a registered gadget.
GadgetRecord* GadgetRecordOfControl(HWND control);
// Non-zero and the number in *number if the control is a gadget (gadget 0 included), else 0.
int ControlGadgetNumber(HWND control, intptr_t* number);

LRESULT ForwardToGadgetKind(HWND control, HWND parent, UINT message, WPARAM wParam, LPARAM lParam);
void PostGadgetEvent(HWND control, int32_t subtype);
HWND OwnerToolkitWindow(HWND window);
