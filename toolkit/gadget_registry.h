#pragma once
// Inside the toolkit only (the layer check refuses it anywhere else): the gadget records,
// the kinds' tables of operations, the registration every creator ends with, and the
// routing of native messages and gadget actions between controls, their kinds and the
// toolkit window that holds them. Callers use the operations of gadget.h and the creators
// of gadget_kinds.h.
#include <windows.h>
#include <stddef.h>
#include <stdint.h>
#include "toolkit/gadget.h"

struct ObjectTable;

// Answer of a kind's handler that asks for default processing.
constexpr LRESULT NotHandled = (LRESULT)0xD0D0D0D1u;

// Private message by which gadget kinds post events to their toolkit window.
constexpr UINT GadgetEventMessage = 13103;

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

struct GadgetRecord;

// One table per kind. An absent operation falls back to the generic one (gadget.cpp).
// Tables are built by naming their operations, for example
//   constexpr GadgetKind LabelKind = GadgetKind::Of(KindLabel).Notify(LabelNotify).Color(ControlColorSet);
struct GadgetKind {
  using NotifyOperation = LRESULT (*)(GadgetRecord* gadget, HWND parent, UINT message, WPARAM wParam, LPARAM lParam);
  using DestroyOperation = void (*)(GadgetRecord* gadget);
  // A state may be a handle (an image box's image), so it is pointer-sized.
  using GetStateOperation = intptr_t (*)(GadgetRecord* gadget);
  using SetStateOperation = void (*)(GadgetRecord* gadget, intptr_t state);
  using GetTextOperation = void (*)(GadgetRecord* gadget, int32_t mark);  // result at mark
  using SetTextOperation = void (*)(GadgetRecord* gadget, const char* text);
  using AddItemOperation = int32_t (*)(GadgetRecord* gadget, int32_t position, const char* text);
  using ClearItemsOperation = void (*)(GadgetRecord* gadget);
  using SetColorOperation = void (*)(GadgetRecord* gadget, int32_t which, int32_t color);

  int32_t kind;  // GadgetKindNumber
  NotifyOperation notify;  // native messages the parent window hands over
  DestroyOperation destroy;  // runs when the control is destroyed
  GetStateOperation getState;
  SetStateOperation setState;
  GetTextOperation getText;
  SetTextOperation setText;
  AddItemOperation addItem;
  ClearItemsOperation clearItems;
  SetColorOperation setColor;

  // A table with the kind's number and no operations yet.
  static constexpr GadgetKind Of(GadgetKindNumber number) {
    GadgetKind made = {};
    made.kind = number;
    return made;
  }
  constexpr GadgetKind Notify(NotifyOperation handler) const {
    GadgetKind made = *this;
    made.notify = handler;
    return made;
  }
  constexpr GadgetKind Destroy(DestroyOperation hook) const {
    GadgetKind made = *this;
    made.destroy = hook;
    return made;
  }
  constexpr GadgetKind State(GetStateOperation get, SetStateOperation set) const {
    GadgetKind made = *this;
    made.getState = get;
    made.setState = set;
    return made;
  }
  constexpr GadgetKind Text(GetTextOperation get, SetTextOperation set) const {
    GadgetKind made = *this;
    made.getText = get;
    made.setText = set;
    return made;
  }
  constexpr GadgetKind Items(AddItemOperation add, ClearItemsOperation clear) const {
    GadgetKind made = *this;
    made.addItem = add;
    made.clearItems = clear;
    return made;
  }
  constexpr GadgetKind Color(SetColorOperation set) const {
    GadgetKind made = *this;
    made.setColor = set;
    return made;
  }
};

// The three kind-specific words of a record, as each kind names them. Colours are
// 0x00BBGGRR or -1 for none.
struct ColorWords {  // edit field, label, list box
  intptr_t backColor;
  intptr_t frontColor;
  HBRUSH backBrush;  // shared through the brush cache
};
struct ImageBoxWords {
  HANDLE image;  // the bitmap or icon shown
  intptr_t mouseState;  // image_box.cpp's mouse state bits
  intptr_t pressPosition;  // client coordinates of the left press, two signed 16-bit halves
};
struct ContainerWords {
  intptr_t backColor;  // the back brush lives in the container window's extra word
};
struct ProgressBarWords {
  intptr_t backColor;
  intptr_t frontColor;
};
struct TextEditorWords {
  intptr_t emptyFirstLine;  // 0 none, 1 the first line is empty and the text still is, 2 the next line is begun
  intptr_t backColor;
  intptr_t frontColor;
};

struct GadgetRecord {
  HWND handle;  // 0 marks a free slot
  const GadgetKind* kind;
  WNDPROC previousProc;
  union {  // the kind's own three words
    ColorWords colors;
    ImageBoxWords imageBox;
    ContainerWords container;
    ProgressBarWords progressBar;
    TextEditorWords editor;
  };
  int32_t previousProcUnicode;  // previousProc is called as a Unicode procedure
  int32_t reserved;  // keeps the record at its table size of 32 bytes
};
static_assert(sizeof(ColorWords) == 3 * sizeof(intptr_t) && sizeof(ImageBoxWords) == 3 * sizeof(intptr_t) &&
                  sizeof(TextEditorWords) == 3 * sizeof(intptr_t),
              "the kind-specific part of a record is three words");
static_assert(offsetof(GadgetRecord, previousProcUnicode) == 6 * sizeof(void*), "three kind-specific words");
static_assert(sizeof(void*) != 4 || sizeof(GadgetRecord) == 32, "gadget records are 32 bytes");

// The registry's state: the table of records and what new gadgets start with. Set up by
// GadgetsStart and changed by GadgetSetFont and GadgetCreateHidden (gadget.cpp).
struct GadgetRegistryState {
  ObjectTable* table;
  HFONT stockFont;  // the stock default GUI font
  HFONT defaultFont;  // given to every new gadget
  bool createHidden;  // new gadgets start hidden
};
extern GadgetRegistryState Gadgets;

// The last step of every creator: numbers the control, subclasses it and sets its font.
// Returns what a creator returns: the handle for a fixed number, the number for AutoNumber.
intptr_t RegisterGadget(intptr_t number, GadgetRecord* record, HWND control, const GadgetKind* kind);
// Takes the record for a number (destroying a gadget that had it); for AutoNumber a new one.
GadgetRecord* GadgetRecordFor(intptr_t number);
GadgetRecord* GadgetFind(intptr_t number);

// The gadget a native control is: its record, or null for a control that is not (or not
// yet, or no longer) a registered gadget.
GadgetRecord* GadgetRecordOfControl(HWND control);
// Non-zero and the number in *number if the control is a gadget (gadget 0 included), else 0.
int ControlGadgetNumber(HWND control, intptr_t* number);

// Hands a native message from the parent window to the kind of the gadget that sent it.
LRESULT ForwardToGadgetKind(HWND control, HWND parent, UINT message, WPARAM wParam, LPARAM lParam);
// Posts a gadget event of the control to its toolkit window.
void PostGadgetEvent(HWND control, int32_t subtype);
// The nearest toolkit window at or above a native window, else its topmost ancestor.
HWND OwnerToolkitWindow(HWND window);
