#include "toolkit/gadget.h"
#include "runtime/object_table.h"
#include "toolkit/common_controls.h"
#include "toolkit/fonts.h"
#include "toolkit/subclass.h"

namespace {

constexpr char GadgetIdProperty[] = "VX_ID";
constexpr intptr_t UnnumberedControl = -1;

ObjectTable* GadgetTable;
HFONT StockGuiFont;
HFONT DefaultFont;  // given to every new gadget

intptr_t ControlIdentifier(HWND control) { return GetWindowLongPtrA(control, GWLP_ID); }

// Every gadget control is subclassed with this procedure: it keeps the table in step with
// the control's life.
LRESULT CALLBACK GadgetWindowProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  intptr_t number = ControlIdentifier(control);
  if (number == UnnumberedControl) return DefaultControlProc(control, message, wParam, lParam);
  GadgetRecord* record = GadgetFind(number);
  if (!record || record->handle != control) return DefaultControlProc(control, message, wParam, lParam);
  ControlProc previous = {record->previousProc, record->previousProcUnicode != 0};
  LRESULT result = CallControlProc(previous, control, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    // The previous procedure may have grown the table: look the record up again.
    record = GadgetFind(number);
    if (record && record->handle == control) {
      if (record->kind && record->kind->destroy) record->kind->destroy(record);
      RemovePropA(control, GadgetIdProperty);
      SetWindowLongPtrA(control, GWLP_ID, UnnumberedControl);
      ObjectTableRelease(GadgetTable, number);
    }
  }
  return result;
}

}  // namespace

void GadgetsStart() {
  GadgetTable = ObjectTableNew(sizeof(GadgetRecord), 50, GadgetFree);
  BrushCacheStart();
  StockGuiFont = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  DefaultFont = StockGuiFont;
  CommonControlsInitialise(0xB08);
}

// Gadgets die with their windows: nothing is left to release here.
void GadgetsStop() {}

GadgetRecord* GadgetRecordFor(intptr_t number) {
  return static_cast<GadgetRecord*>(ObjectTableSlot(GadgetTable, number));
}

GadgetRecord* GadgetFind(intptr_t number) {
  return FindRecord<GadgetRecord>(GadgetTable, number);
}

intptr_t GadgetNumberOf(const GadgetRecord* record) {
  const uint8_t* address = reinterpret_cast<const uint8_t*>(record);
  const uint8_t* slots = GadgetTable->slots;
  if (address >= slots && address < slots + (size_t)GadgetTable->capacity * sizeof(GadgetRecord))
    return (intptr_t)((address - slots) / sizeof(GadgetRecord));
  return ObjectNumberOf(record);
}

intptr_t RegisterGadget(intptr_t number, GadgetRecord* record, HWND control, const GadgetKind* kind) {
  if (!record) {
    DestroyWindow(control);
    return 0;
  }
  bool automatic = number == AutoNumber;
  if (automatic) number = ObjectNumberOf(record);
  record->handle = control;
  static const GadgetKind NoOperations = {};
  record->kind = kind ? kind : &NoOperations;
  ControlProc previous = SubclassControl(control, GadgetWindowProc);
  record->previousProc = previous.proc;
  record->previousProcUnicode = previous.unicode;
  if (ControlIdentifier(control) != number) SetWindowLongPtrA(control, GWLP_ID, number);
  SetPropA(control, GadgetIdProperty, reinterpret_cast<HANDLE>(number));
  SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(DefaultFont), IsWindowVisible(control));
  return automatic ? number : (intptr_t)control;
}

GadgetRecord* GadgetRecordOfControl(HWND control) {
  if (!control) return nullptr;
  // A gadget's identifier is -1 once it is destroyed, and any other control may carry any
  // identifier: only a number that names a live gadget is looked up, and only a record
  // that holds this very control makes it a gadget.
  intptr_t number = ControlIdentifier(control);
  if (number == UnnumberedControl || !ObjectTableVerify(GadgetTable, number)) return nullptr;
  GadgetRecord* record = GadgetFind(number);
  return record && record->handle == control ? record : nullptr;
}

int ControlGadgetNumber(HWND control, intptr_t* number) {
  if (!GadgetRecordOfControl(control)) return 0;
  if (number) *number = ControlIdentifier(control);
  return 1;
}

void GadgetSetFont(intptr_t gadget, HFONT font) {
  if (font == reinterpret_cast<HFONT>(-1)) font = StockGuiFont;
  if (gadget == -1) {
    DefaultFont = font;
    return;
  }
  // A hidden control is drawn in its font when it is shown: it is redrawn only if visible.
  if (GadgetRecord* record = GadgetFind(gadget))
    SendMessageA(record->handle, WM_SETFONT, reinterpret_cast<WPARAM>(font), IsWindowVisible(record->handle));
}

void GadgetFree(intptr_t gadget) {
  // The gadget window procedure releases the record when the control is gone.
  if (GadgetRecord* record = GadgetFind(gadget)) DestroyWindow(record->handle);
}
